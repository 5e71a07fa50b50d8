#include "recipe/recipe_text.h"

#include "recipe/recipe_steps.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>
#include <charconv>
#include <cmath>

namespace recipe {

namespace {

constexpr qsizetype kStepIndent = 3;
constexpr qsizetype kLineWidth = 100;

// The shortest text that reads back as the same number; a number that came from a float (a scale, a
// transparency) is written as that float is, so that it reads back as the same float.
QByteArray numberText(double number) {
    if (number == std::trunc(number) && std::abs(number) < 9.0e15)
        return QByteArray::number(static_cast<qint64>(number));
    char digits[32];
    const auto single = static_cast<float>(number);
    const std::to_chars_result written = static_cast<double>(single) == number
                                             ? std::to_chars(digits, digits + sizeof digits, single)
                                             : std::to_chars(digits, digits + sizeof digits, number);
    return QByteArray(digits, static_cast<qsizetype>(written.ptr - digits));
}

QByteArray valueText(const QJsonValue& value);

QByteArray fieldText(const QString& name, const QJsonValue& value) {
    return valueText(name) + ": " + valueText(value);
}

// `object`'s fields, those named in `order` first and in that order, then the rest; a line that would grow
// past `width` characters goes on under the first field, indented by `indent`.
QByteArray objectText(const QJsonObject& object, const QStringList& order, qsizetype indent = 0,
                      qsizetype width = 0) {
    QStringList names = order;
    names.removeIf([&](const QString& name) { return !object.contains(name); });
    for (const QString& name : object.keys())
        if (!names.contains(name))
            names.append(name);
    QByteArray text = "{";
    qsizetype lineStart = -indent;
    for (const QString& name : names) {
        const QByteArray field = fieldText(name, object.value(name));
        if (text.size() > 1) {
            text += ',';
            if (width > 0 && text.size() - lineStart + 1 + field.size() + 2 > width) {
                text += '\n' + QByteArray(indent + 1, ' ');
                lineStart = text.size() - indent - 1;
            } else {
                text += ' ';
            }
        }
        text += field;
    }
    return text + '}';
}

QByteArray valueText(const QJsonValue& value) {
    switch (value.type()) {
    case QJsonValue::Double:
        return numberText(value.toDouble());
    case QJsonValue::Array: {
        QByteArrayList items;
        for (const QJsonValue& item : value.toArray())
            items.append(valueText(item));
        return '[' + items.join(", ") + ']';
    }
    case QJsonValue::Object:
        return objectText(value.toObject(), {});
    default: {
        // Strings, booleans and null as Qt escapes them, without the array around them.
        const QByteArray one = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
        return one.mid(1, one.size() - 2);
    }
    }
}

QByteArray stepText(const QJsonObject& step) {
    QStringList order{QStringLiteral("op")};
    if (const StepKind* kind = findStepKind(step.value(QLatin1String("op")).toString()))
        for (const FieldRule& rule : kind->fields)
            order.append(QLatin1String(rule.name));
    return objectText(step, order, kStepIndent, kLineWidth);
}

} // namespace

QByteArray recipeText(const QJsonObject& recipe) {
    QByteArrayList lines;
    for (const char* name : {"recipe", "view", "units", "export"})
        if (recipe.contains(QLatin1String(name)))
            lines.append(fieldText(QLatin1String(name), recipe.value(QLatin1String(name))));
    QByteArrayList steps;
    for (const QJsonValue& step : recipe.value(QLatin1String("steps")).toArray())
        steps.append(QByteArray(kStepIndent, ' ') + stepText(step.toObject()));
    lines.append(steps.isEmpty() ? QByteArray("\"steps\": []")
                                 : "\"steps\": [\n" + steps.join(",\n") + "\n ]");
    return "{" + lines.join(",\n ") + "}\n";
}

} // namespace recipe
