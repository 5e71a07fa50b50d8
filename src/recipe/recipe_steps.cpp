#include "recipe/recipe_steps.h"

#include "recipe/photo_points.h"
#include "text/style_samples.h"
#include "workspace/document.h"

namespace recipe {

namespace {

using imaging::Outcome;
using workspace::WorkspaceDocument;

// Places are photo pixels; a photo is at most 1600 × 1200, the rest leaves room for what a step may
// point past the photo.
constexpr double kMaxPlace = 65535;

Outcome failure(const QString& reason) {
    return Outcome::failure(reason.toStdString());
}

int textCount(const WorkspaceDocument& document) {
    const std::vector<int>& kinds = document.objects().kinds();
    return static_cast<int>(std::count(kinds.begin(), kinds.end(), workspace::Text));
}

Outcome setBackground(StepContext& context, const StepFields& fields) {
    context.document.SetBackgroundColour(fields.colour("colour", 0));
    return Outcome::success();
}

// As the text panel's "Add": the template takes the panel's fields, then the text is placed at a point.
// The record takes face → font face name, height → font height (canvas pixels), colour1 → colour,
// colour2 → second colour, at → its rectangle's top-left.
Outcome addText(StepContext& context, const StepFields& fields) {
    WorkspaceDocument& document = context.document;
    const QPoint at = fields.point("at", QPoint(0, 0));
    if (const QString problem = outsidePhoto(document, at, "at"); !problem.isEmpty())
        return failure(problem);

    const int style = fields.integer("style", 0);
    const text::StyleColours samples = text::kStyleSampleColours[static_cast<std::size_t>(style)];
    text::TextObject& panel = document.textTemplate();
    text::setFaceName(panel.font, fields.text("face", context.defaultFace));
    panel.font.height = fields.integer("height", text::kPanelTextHeight);
    panel.style = style;
    panel.colour = fields.colour("colour1", samples.first);
    panel.secondColour = fields.colour("colour2", samples.second);
    panel.transparency = static_cast<float>(fields.number("transparency", 0.0));
    text::setText(panel, fields.text("text", QString()));

    document.SetTool(workspace::ToolText);
    const int before = textCount(document);
    const QPoint window = windowPoint(document, at);
    document.PlaceText(window.x(), window.y());
    // A press on an existing text puts the caret into it rather than adding another.
    if (textCount(document) == before)
        return failure(QStringLiteral("a text already lies at (%1, %2); the editor edits it there instead "
                                      "of adding one")
                           .arg(at.x())
                           .arg(at.y()));
    return Outcome::success();
}

Outcome undo(StepContext& context, const StepFields&) {
    if (!context.document.canUndo())
        return Outcome::failure("there is nothing to undo");
    context.document.undo();
    return Outcome::success();
}

Outcome redo(StepContext& context, const StepFields&) {
    if (!context.document.canRedo())
        return Outcome::failure("there is nothing to redo");
    context.document.redo();
    return Outcome::success();
}

using enum FieldType;

} // namespace

const std::vector<StepKind>& stepKinds() {
    static const std::vector<StepKind> kinds{
        {"background", {{"colour", Colour, 0, 0, true}}, setBackground},
        {"text",
         {{"text", Text, 0, text::kTextBytes - 1},
          {"face", Text, 1, text::kFaceNameBytes - 1},
          {"height", Integer, 4, 1200},
          {"style", Integer, 0, text::kStyleCount - 1},
          {"colour1", Colour},
          {"colour2", Colour},
          {"transparency", Number, 0, 1},
          {"at", Point, 0, kMaxPlace}},
         addText},
        {"undo", {}, undo},
        {"redo", {}, redo},
    };
    return kinds;
}

const StepKind* findStepKind(const QString& op) {
    for (const StepKind& kind : stepKinds())
        if (op == QLatin1String(kind.op))
            return &kind;
    return nullptr;
}

QStringList stepNames() {
    QStringList names;
    for (const StepKind& kind : stepKinds())
        names << QLatin1String(kind.op);
    return names;
}

} // namespace recipe
