// Steps on placed objects, done as the mouse and the keys do them: a press and release selects, a press,
// a move and a release drags (on a handle of the selected picture: sizes or turns it), an arrow-key nudge
// moves, and the Edit commands delete and restack. Like a user who opens an object's panel before working
// on it, a step first takes the tool of the object's kind, since dragging, nudging and restacking act on
// the tool's kind.
#include "recipe/photo_points.h"
#include "recipe/step_handlers.h"
#include "workspace/document.h"
#include "workspace/manipulation/hit_testing.h"

#include <optional>

namespace recipe {

using imaging::Outcome;
using workspace::WorkspaceDocument;

namespace {

// The kind of the first selected object, when one is.
std::optional<workspace::ObjectKind> selectedKind(const workspace::ObjectList& objects) {
    for (int i = 0; i < objects.size(); ++i) {
        bool selected = false;
        if (const text::TextObject* text = objects.get<text::TextObject>(i))
            selected = text->selected == 1;
        else
            workspace::visitPicture(objects.at(i),
                                    [&](const auto& picture) { selected = picture.selected == 1; });
        if (selected)
            return objects.kind(i);
    }
    return std::nullopt;
}

// The object under a photo pixel, with its tool taken; its window point in `window`.
std::optional<Outcome> takeToolOfObjectAt(WorkspaceDocument& document, QPoint at, const char* field,
                                          QPoint& window) {
    if (const QString problem = outsidePhoto(document, at, field); !problem.isEmpty())
        return failure(problem);
    window = windowPoint(document, at);
    const int hit = workspace::hitObject(document.objects(), window.x(), window.y());
    if (hit < 0)
        return failure(QStringLiteral("no object lies at (%1, %2)").arg(at.x()).arg(at.y()));
    document.SetTool(document.objects().kind(hit));
    return std::nullopt;
}

// A press on a handle of the selected clipart, mask or frame sizes or turns it, as the mouse does; the
// turn handle may stand beyond the photo's edge. Anywhere else the press must be on an object.
bool takeToolOfHandleAt(WorkspaceDocument& document, QPoint window) {
    if (document.pictureHandleAt(window.x(), window.y()) < 0)
        return false;
    document.SetTool(document.objects().kind(workspace::firstSelectedTurnable(document.objects())));
    return true;
}

Outcome noSelection() {
    return Outcome::failure("no object is selected");
}

} // namespace

Outcome select(StepContext& context, const StepFields& fields) {
    WorkspaceDocument& document = context.document;
    QPoint window;
    if (auto refused = takeToolOfObjectAt(document, fields.point("at", {}), "at", window))
        return *refused;
    document.ButtonDown(window.x(), window.y());
    document.ButtonUp();
    return Outcome::success();
}

Outcome drag(StepContext& context, const StepFields& fields) {
    WorkspaceDocument& document = context.document;
    QPoint from = windowPoint(document, fields.point("from", {}));
    if (!takeToolOfHandleAt(document, from)) {
        if (auto refused = takeToolOfObjectAt(document, fields.point("from", {}), "from", from))
            return *refused;
    }
    // The mouse may leave the photo while it drags; only the press must be on an object.
    const QPoint to = windowPoint(document, fields.point("to", {}));
    document.ButtonDown(from.x(), from.y());
    document.MouseMove(to.x(), to.y());
    document.ButtonUp();
    return Outcome::success();
}

// The arrow keys held for `by` canvas pixels, then released: one undo step.
Outcome move(StepContext& context, const StepFields& fields) {
    WorkspaceDocument& document = context.document;
    const auto kind = selectedKind(document.objects());
    if (!kind)
        return noSelection();
    document.SetTool(*kind);
    const QPoint by = fields.point("by", {});
    document.NudgeSelected(by.x(), by.y());
    document.EndNudge();
    return Outcome::success();
}

Outcome deleteSelected(StepContext& context, const StepFields&) {
    WorkspaceDocument& document = context.document;
    const int before = document.objects().size();
    document.DeleteSelected();
    if (document.objects().size() == before)
        return Outcome::failure("no text or clipart is selected");
    return Outcome::success();
}

Outcome stack(StepContext& context, const StepFields& fields) {
    WorkspaceDocument& document = context.document;
    const auto kind = selectedKind(document.objects());
    if (!kind)
        return noSelection();
    if (*kind != workspace::Text && *kind != workspace::Clipart)
        return Outcome::failure("only a text or a clipart changes its place in the stack");
    document.SetTool(*kind);
    const QString to = fields.text("to", {});
    if (to == QLatin1String("front"))
        document.BringToFront();
    else if (to == QLatin1String("back"))
        document.SendToBack();
    else if (to == QLatin1String("forward"))
        document.BringForward();
    else
        document.SendBackward();
    return Outcome::success();
}

} // namespace recipe
