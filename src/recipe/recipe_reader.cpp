#include "imaging/batch_naming.h"
#include "recipe/recipe.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

namespace recipe {

namespace {

using enum FieldType;

const FieldRule kViewRule{"view", Point, 100, 4096};
const FieldRule kExtentRule{"extent", Choice, 0, 0, false, "photo|whole"};
const FieldRule kSizeRule{"size", Choice, 0, 0, false, "original|working"};
const FieldRule kUnitsRule{"units", Choice, 0, 0, false, "pixels|fraction"};

QString quoted(const QString& word) {
    return QLatin1Char('"') + word + QLatin1Char('"');
}

QString listOf(const QStringList& words) {
    return words.isEmpty() ? QStringLiteral("no fields") : words.join(QStringLiteral(", "));
}

// The first key of `object` that is not among `known`.
std::optional<QString> unknownKey(const QJsonObject& object, const QStringList& known) {
    for (auto it = object.begin(); it != object.end(); ++it)
        if (!known.contains(it.key()))
            return it.key();
    return std::nullopt;
}

QString readExport(const QJsonValue& value, Recipe& recipe) {
    if (!value.isObject())
        return QStringLiteral(
            "\"export\" must be an object such as {\"extent\": \"photo\", \"format\": \"jpg\"}");
    const QJsonObject object = value.toObject();
    if (const auto key = unknownKey(object, {QStringLiteral("extent"), QStringLiteral("format"),
                                             QStringLiteral("size")}))
        return QStringLiteral("export: unknown field %1; it takes extent, format, size").arg(quoted(*key));
    if (object.contains(QLatin1String("extent"))) {
        if (const QString problem = fieldProblem(kExtentRule, object.value(QLatin1String("extent")));
            !problem.isEmpty())
            return QStringLiteral("export: ") + problem;
        recipe.wholeImage = object.value(QLatin1String("extent")).toString() == QLatin1String("whole");
    }
    if (object.contains(QLatin1String("size"))) {
        if (const QString problem = fieldProblem(kSizeRule, object.value(QLatin1String("size")));
            !problem.isEmpty())
            return QStringLiteral("export: ") + problem;
        recipe.workingSize = object.value(QLatin1String("size")).toString() == QLatin1String("working");
    }
    if (object.contains(QLatin1String("format"))) {
        const QString format = object.value(QLatin1String("format")).toString().toLower();
        if (!imaging::isBatchFormat(format))
            return QStringLiteral("export: \"format\" must be one of jpg, bmp, gif, png, pnm, tga, tif, pcx");
        recipe.format = format;
    }
    return {};
}

QString readStep(const QJsonValue& value, int number, bool fractions, RecipeStep& step) {
    const QString where = QStringLiteral("step %1").arg(number);
    if (!value.isObject())
        return where + QStringLiteral(": a step must be an object such as {\"op\": \"undo\"}");
    const QJsonObject object = value.toObject();
    const QJsonValue op = object.value(QLatin1String("op"));
    if (op.isUndefined())
        return where + QStringLiteral(": missing \"op\", the operation");
    step.kind = findStepKind(op.toString());
    if (!step.kind)
        return where + QStringLiteral(": unknown operation %1; the operations are %2")
                           .arg(op.isString() ? quoted(op.toString()) : QStringLiteral("(not a text)"),
                                stepNames().join(QStringLiteral(", ")));

    const QString named = QStringLiteral("%1 (%2): ").arg(where, QLatin1String(step.kind->op));
    QStringList known{QStringLiteral("op")};
    for (const FieldRule& rule : step.kind->fields)
        known << QLatin1String(rule.name);
    if (const auto key = unknownKey(object, known))
        return named + QStringLiteral("unknown field %1; this operation takes %2")
                           .arg(quoted(*key), listOf(known.mid(1)));
    for (const FieldRule& rule : step.kind->fields) {
        const QJsonValue field = object.value(QLatin1String(rule.name));
        if (field.isUndefined()) {
            if (rule.required)
                return named + QStringLiteral("missing %1").arg(quoted(QLatin1String(rule.name)));
            continue;
        }
        if (const QString problem = fieldProblem(rule, field, fractions); !problem.isEmpty())
            return named + problem;
    }
    step.fields = StepFields(object);
    return {};
}

QString readSteps(const QJsonValue& value, Recipe& recipe) {
    if (!value.isArray())
        return QStringLiteral("\"steps\" must be a list of steps [{\"op\": ...}, ...]");
    const QJsonArray steps = value.toArray();
    if (steps.size() > kMaxSteps)
        return QStringLiteral("\"steps\" holds %1 steps; a recipe may have at most %2")
            .arg(steps.size())
            .arg(kMaxSteps);
    for (qsizetype i = 0; i < steps.size(); ++i) {
        RecipeStep step;
        if (const QString problem = readStep(steps[i], static_cast<int>(i + 1), recipe.fractions, step);
            !problem.isEmpty())
            return problem;
        recipe.steps.push_back(std::move(step));
    }
    return {};
}

QString readObject(const QJsonObject& object, Recipe& recipe) {
    const QStringList known{QStringLiteral("recipe"), QStringLiteral("view"), QStringLiteral("units"),
                            QStringLiteral("export"), QStringLiteral("steps")};
    if (const auto key = unknownKey(object, known))
        return QStringLiteral("unknown field %1; a recipe takes %2").arg(quoted(*key), listOf(known));
    const QJsonValue version = object.value(QLatin1String("recipe"));
    if (version.isUndefined())
        return QStringLiteral("missing \"recipe\": %1, the version of the recipe format").arg(kRecipeVersion);
    if (!version.isDouble() || version.toDouble() != kRecipeVersion)
        return QStringLiteral("\"recipe\" must be %1: this program reads version %1 of the recipe format")
            .arg(kRecipeVersion);
    if (object.contains(QLatin1String("view"))) {
        if (!fieldProblem(kViewRule, object.value(QLatin1String("view"))).isEmpty())
            return QStringLiteral("\"view\" must be [width, height], each a whole number from %1 to %2")
                .arg(kViewRule.minimum)
                .arg(kViewRule.maximum);
        const QPoint view = StepFields(object).point("view", {});
        recipe.view = QSize(view.x(), view.y());
    }
    if (object.contains(QLatin1String("units"))) {
        if (const QString problem = fieldProblem(kUnitsRule, object.value(QLatin1String("units")));
            !problem.isEmpty())
            return problem;
        recipe.fractions = object.value(QLatin1String("units")).toString() == QLatin1String("fraction");
    }
    if (object.contains(QLatin1String("export")))
        if (const QString problem = readExport(object.value(QLatin1String("export")), recipe);
            !problem.isEmpty())
            return problem;
    if (!object.contains(QLatin1String("steps")))
        return QStringLiteral("missing \"steps\", the list of steps");
    return readSteps(object.value(QLatin1String("steps")), recipe);
}

} // namespace

ReadRecipe readRecipe(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return {std::nullopt,
                QStringLiteral("not a JSON file: %1 at byte %2").arg(error.errorString()).arg(error.offset)};
    if (!document.isObject())
        return {std::nullopt, QStringLiteral("a recipe must be a JSON object {\"recipe\": 1, ...}")};
    Recipe recipe;
    if (const QString problem = readObject(document.object(), recipe); !problem.isEmpty())
        return {std::nullopt, problem};
    return {std::move(recipe), {}};
}

} // namespace recipe
