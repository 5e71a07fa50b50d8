// Steps on the document as a whole and on texts: the background, the text panel's "Add" and its style
// changes, undo and redo.
#include "recipe/photo_points.h"
#include "recipe/step_handlers.h"
#include "text/style_samples.h"
#include "workspace/document.h"

#include <algorithm>
#include <optional>

namespace recipe {

using imaging::Outcome;
using workspace::WorkspaceDocument;

namespace {

int textCount(const WorkspaceDocument& document) {
    const std::vector<int>& kinds = document.objects().kinds();
    return static_cast<int>(std::count(kinds.begin(), kinds.end(), workspace::Text));
}

} // namespace

Outcome setBackground(StepContext& context, const StepFields& fields) {
    context.document.SetBackgroundColour(fields.colour("colour", 0));
    return Outcome::success();
}

// As Set Current Image as Background: the whole view becomes the background sheet and the objects photo
// pixels. With a crop rectangle chosen ("constraint", "rect") it is done in the Crop tab, where the photo
// is cut to the rectangle as well; otherwise in a tool that cuts nothing.
Outcome setImageBackground(StepContext& context, const StepFields& fields) {
    WorkspaceDocument& document = context.document;
    if (fields.has("constraint") || fields.has("rect")) {
        if (auto refused = chooseCropRect(document, fields))
            return *refused;
    } else if (document.tool() == workspace::ToolCrop) {
        document.SetTool(workspace::ToolFrame);
    }
    if (!document.SetImageAsBackground())
        return Outcome::failure("the image could not be drawn to become the background");
    return Outcome::success();
}

// As an export does before it writes: the objects become photo pixels, so that the next object of the
// same kind is placed beside them rather than replacing or joining them.
Outcome flatten(StepContext& context, const StepFields&) {
    if (!context.document.FlattenIntoPhoto(false))
        return Outcome::failure("the photo could not be drawn to fix the objects into it");
    return Outcome::success();
}

// As the zoom keys Ctrl+0 (the photo fitted) and Ctrl+1 (100 %): in a view of one window pixel
// per photo pixel, the steps after it place things on every photo pixel.
Outcome zoom(StepContext& context, const StepFields& fields) {
    WorkspaceDocument& document = context.document;
    if (fields.text("to", {}) == QLatin1String("fit")) {
        document.fitToWindow();
    } else {
        const QSize client = document.clientSize();
        document.setZoom(1.0, QPoint(client.width() / 2, client.height() / 2));
    }
    return Outcome::success();
}

// As the text panel's "Add": the template takes the panel's fields, then a new text is placed. The record
// takes face → font face name, height → font height (photo pixels; without it a tenth of the photo's
// shorter side), colour1 → colour, colour2 → second colour, at → its rectangle's top-left, centre → its
// rectangle's centre (without either the text is centred on the photo).
Outcome addText(StepContext& context, const StepFields& fields) {
    WorkspaceDocument& document = context.document;
    if (fields.has("at") && fields.has("centre"))
        return failure(QStringLiteral("a text is placed by \"at\" or by \"centre\", not both"));
    const char* placedBy = fields.has("centre") ? "centre" : "at";
    const std::optional<QPoint> at =
        fields.has(placedBy) ? std::optional<QPoint>(fields.point(placedBy, QPoint())) : std::nullopt;
    if (at) {
        if (const QString problem = outsidePhoto(document, *at, placedBy); !problem.isEmpty())
            return failure(problem);
    }
    const QString words = fields.text("text", QString());
    // The panel refuses such a text too: it could not be seen.
    if (words.trimmed().isEmpty())
        return failure(QStringLiteral("the text has no words to show"));

    const int style = fields.integer("style", 0);
    const text::StyleColours samples = text::kStyleSampleColours[static_cast<std::size_t>(style)];
    text::TextObject& panel = document.textTemplate();
    text::setFaceName(panel.font, fields.text("face", context.defaultFace));
    panel.font.height = fields.integer("height", 0);
    panel.style = style;
    panel.colour = fields.colour("colour1", samples.first);
    panel.secondColour = fields.colour("colour2", samples.second);
    panel.transparency = static_cast<float>(fields.number("transparency", 0.0));
    text::setText(panel, words);

    document.SetTool(workspace::ToolText);
    const int before = textCount(document);
    if (at) {
        const QPoint window = windowPoint(document, *at);
        if (fields.has("centre"))
            document.PlaceTextCentred(window.x(), window.y());
        else
            document.PlaceText(window.x(), window.y());
    } else {
        document.PlaceText();
    }
    // The first text flattens the photo's other objects, which needs memory for the whole photo.
    if (textCount(document) == before)
        return Outcome::failure("there is not enough memory to flatten the photo first");
    return Outcome::success();
}

// As choosing a style or a colour in the text panel while a text is selected: the selected text takes the
// style and colours, and keeps its face, height and transparency. A style given alone brings its own
// colours, as in the panel. The record takes style → style index, colour1 → colour, colour2 → second
// colour.
Outcome restyleText(StepContext& context, const StepFields& fields) {
    WorkspaceDocument& document = context.document;
    if (!fields.has("style") && !fields.has("colour1") && !fields.has("colour2"))
        return failure(QStringLiteral("restyle names no style and no colour"));
    const text::TextObject* selected = nullptr;
    for (int i = 0; i < document.objects().size() && !selected; ++i) {
        const text::TextObject* object = document.objects().get<text::TextObject>(i);
        if (object && object->selected == 1)
            selected = object;
    }
    if (!selected)
        return failure(QStringLiteral("no text is selected"));

    text::TextObject& panel = document.textTemplate();
    text::StyleColours colours{selected->colour, selected->secondColour};
    panel.style = selected->style;
    unsigned settings = 0;
    if (fields.has("style")) {
        panel.style = fields.integer("style", 0); // 0 to 7, checked when the recipe was read
        colours = text::kStyleSampleColours[static_cast<std::size_t>(panel.style)];
        settings |= text::TextStyle | text::TextColour | text::TextSecondColour;
    }
    panel.colour = fields.colour("colour1", colours.first);
    panel.secondColour = fields.colour("colour2", colours.second);
    if (fields.has("colour1"))
        settings |= text::TextColour;
    if (fields.has("colour2"))
        settings |= text::TextSecondColour;
    document.ApplyTextStyle(settings);
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

} // namespace recipe
