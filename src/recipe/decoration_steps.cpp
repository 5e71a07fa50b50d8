// Steps with the library's pictures: frames, masks, cliparts and decorations placed as a pick in their
// panel's list places them, then sized and turned with the object dials and moved with the arrow keys;
// brush strokes painted as the mouse paints them. Like a user, a step first opens the panel of what it
// places.
#include "recipe/photo_points.h"
#include "recipe/recipe_library.h"
#include "recipe/step_handlers.h"
#include "workspace/decorations/decoration_geometry.h"
#include "workspace/document.h"

namespace recipe {

using imaging::Outcome;
using workspace::PlaceResult;
using workspace::WorkspaceDocument;

namespace {

// What the brush panel shows before it is touched: the slider's position, the opacity dial at 0, black.
constexpr int kPanelBrushSize = 128;
constexpr int kPanelBrushOpacity = workspace::brushOpacityFromDial(0);

Outcome placed(PlaceResult result, const char* what, int index) {
    switch (result) {
    case PlaceResult::Placed:
        return Outcome::success();
    case PlaceResult::NotFound:
        return failure(QStringLiteral("the library holds no %1s").arg(QLatin1String(what)));
    case PlaceResult::Unreadable:
        return failure(QStringLiteral("%1 %2 of the library is damaged").arg(QLatin1String(what)).arg(index));
    case PlaceResult::NotPlaced:
        return Outcome::failure("there is not enough memory to flatten the photo first");
    }
    return Outcome::success();
}

} // namespace

int scaleDialOf(double scale) {
    // The dial's positions from -163 down all give its lowest scale; -162 gives a hair more.
    if (static_cast<float>(scale) <= workspace::kMinimumObjectScale)
        return -180;
    return workspace::scaleDialFor(scale);
}

// Each change is an undo step of its own, as in the editor.
void adjustPlaced(WorkspaceDocument& document, const StepFields& fields) {
    if (fields.has("scale") && document.SetSelectedScale(scaleDialOf(fields.number("scale", 1.0))))
        document.RecordObjectStep();
    if (fields.has("angle") && document.SetSelectedAngle(fields.integer("angle", 0)))
        document.RecordObjectStep();
    const QPoint offset = fields.point("offset", {});
    if (!offset.isNull() && document.NudgeSelected(offset.x(), offset.y()))
        document.EndNudge();
}

Outcome placeFrame(StepContext& context, const StepFields& fields) {
    WorkspaceDocument& document = context.document;
    document.SetTool(workspace::ToolFrame);
    const int index = fields.integer("index", 0);
    if (Outcome outcome = placed(document.PlaceFrame(index), "frame", index); !outcome)
        return outcome;
    adjustPlaced(document, fields);
    return Outcome::success();
}

Outcome placeMask(StepContext& context, const StepFields& fields) {
    WorkspaceDocument& document = context.document;
    document.SetTool(workspace::ToolMask);
    const int index = fields.integer("index", 0);
    if (Outcome outcome = placed(document.PlaceMask(index), "mask", index); !outcome)
        return outcome;
    adjustPlaced(document, fields);
    return Outcome::success();
}

// Centred on the photo pixel `at`, or where a pick in the list places it.
Outcome placeClipart(StepContext& context, const StepFields& fields) {
    WorkspaceDocument& document = context.document;
    QPoint window = document.nextPlacingPoint();
    if (fields.has("at")) {
        const QPoint at = fields.point("at", {});
        if (const QString problem = outsidePhoto(document, at, "at"); !problem.isEmpty())
            return failure(problem);
        window = windowPoint(document, at);
    }
    document.SetTool(workspace::ToolClipart);
    const int index = fields.integer("index", 0);
    if (Outcome outcome = placed(document.PlaceClipart(index, window.x(), window.y()), "clipart", index);
        !outcome)
        return outcome;
    adjustPlaced(document, fields);
    return Outcome::success();
}

// Moved by "offset" with the arrow keys, as a clipart is.
Outcome placeDecoration(StepContext& context, const StepFields& fields) {
    WorkspaceDocument& document = context.document;
    document.SetTool(workspace::ToolDecoration);
    const int index = fields.integer("index", 0);
    if (Outcome outcome = placed(document.PlaceDecoration(index), "decoration", index); !outcome)
        return outcome;
    adjustPlaced(document, fields);
    return Outcome::success();
}

// The brush switched on with the step's settings, then "points": a press on the first point, one stamp
// on each further point (none between them, unlike a drag of the mouse) and the release; or "stamps": the
// stamps a drag of the mouse laid, each on its own photo pixel. The brush is off again after it, so that
// later presses select.
Outcome paintStroke(StepContext& context, const StepFields& fields) {
    WorkspaceDocument& document = context.document;
    if (fields.has("points") == fields.has("stamps"))
        return failure(QStringLiteral("a stroke is given by \"points\" or by \"stamps\", one of the two"));
    const int tip = fields.integer("tip", 0);
    if (!context.library || tip >= static_cast<int>(context.library->brushTips.size()))
        return failure(QStringLiteral("the library holds no brush tip %1").arg(tip));
    const int angle = fields.integer("angle", 0);
    const int opacity = fields.integer("opacity", kPanelBrushOpacity);
    const int size = fields.integer("size", kPanelBrushSize);
    const text::RgbColour colour = fields.colour("colour", 0);
    // The brush paints in every tool but the crop; a tool without handles keeps a press from sizing.
    document.SetTool(workspace::ToolFrame);
    document.SetBrush(tip, true, angle, opacity, size, colour);

    bool painting = false;
    if (fields.has("stamps")) {
        // A stamp's place is kept as its offset from the canvas centre.
        const QPoint centre(document.canvasWidth() / 2, document.canvasHeight() / 2);
        std::vector<QPoint> offsets = fields.points("stamps");
        for (QPoint& offset : offsets)
            offset -= centre;
        painting = document.PaintStroke(offsets);
    } else {
        const std::vector<QPoint> points = fields.points("points");
        const QPoint first = windowPoint(document, points.front());
        document.ButtonDown(first.x(), first.y());
        painting = document.manipulation().drag == workspace::ManipulationState::Drag::Brush;
        for (std::size_t i = 1; painting && i < points.size(); ++i) {
            const QPoint window = windowPoint(document, points[i]);
            document.StampStroke(window.x(), window.y());
        }
        document.ButtonUp();
    }
    document.SetBrush(tip, false, angle, opacity, size, colour);
    if (!painting)
        return failure(QStringLiteral("brush tip %1 could not be painted with").arg(tip));
    return Outcome::success();
}

} // namespace recipe
