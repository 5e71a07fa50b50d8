// The handles of the selected clipart, mask or frame: which picture shows them, a press on one, and the
// drag that sizes or turns it through the object dials' values.
#include "workspace/decorations/decoration_geometry.h"
#include "workspace/document.h"
#include "workspace/manipulation/hit_testing.h"
#include "workspace/manipulation/picture_handles.h"

namespace workspace {

using Drag = ManipulationState::Drag;

namespace {

QTransform toWindowOf(const ClipartObject& clipart, const Rect& view, int cw, int ch) {
    return clipartTransform(clipart, view, cw, ch);
}
QTransform toWindowOf(const MaskObject& mask, const Rect& view, int cw, int ch) {
    return maskTransform(mask, view, cw, ch);
}
QTransform toWindowOf(const FrameObject& frame, const Rect& view, int cw, int ch) {
    return frameTransform(frame, view, cw, ch);
}

} // namespace

int WorkspaceDocument::handledPicture() const {
    if (tool_ == ToolCrop || preview_)
        return -1;
    return firstSelectedTurnable(objects_);
}

std::optional<PictureHandles> WorkspaceDocument::pictureHandlesAt(int index) const {
    if (index < 0 || index >= objects_.size())
        return std::nullopt;
    std::optional<PictureHandles> handles;
    visitTurnable(objects_.at(index), [&](const auto& picture) {
        // Only a picture the last composition drew has a place on screen.
        if (!picture.hitRegion.isEmpty())
            handles = pictureHandles(toWindowOf(picture, view_, photo_.width, photo_.height), picture.width,
                                     picture.height);
    });
    return handles;
}

int WorkspaceDocument::pictureHandleAt(int x, int y) const {
    const std::optional<PictureHandles> handles = pictureHandlesAt(handledPicture());
    return handles ? hitPictureHandle(*handles, x, y) : -1;
}

bool WorkspaceDocument::startPictureHandleDrag(int x, int y) {
    const int handle = pictureHandleAt(x, y);
    if (handle < 0)
        return false;
    const int index = handledPicture();
    ManipulationState& m = manipulation_;
    m.drag = Drag::PictureHandle;
    m.handle = handle;
    m.handled.index = index;
    m.handled.centre = pictureHandlesAt(index)->centre;
    visitTurnable(objects_.at(index), [&](const auto& picture) {
        m.handled.scale = picture.scale;
        m.handled.angle = picture.angle;
    });
    return true;
}

PointerCursor WorkspaceDocument::pictureHandleCursor(int x, int y) const {
    const ManipulationState& m = manipulation_;
    const bool dragged = m.drag == Drag::PictureHandle;
    const std::optional<PictureHandles> handles =
        pictureHandlesAt(dragged ? m.handled.index : handledPicture());
    if (!handles)
        return PointerCursor::Arrow;
    // While dragging, the handle keeps its cursor wherever the pointer goes.
    return workspace::pictureHandleCursor(*handles, dragged ? m.handle : hitPictureHandle(*handles, x, y));
}

void WorkspaceDocument::dragPictureHandle(int x, int y, bool snap) {
    const ManipulationState& m = manipulation_;
    const ManipulationState::HandledStart& start = m.handled;
    if (start.index < 0 || start.index >= objects_.size())
        return;
    // Pixel centres, as handles are hit.
    const QPointF press(m.start.x() + 0.5, m.start.y() + 0.5);
    const QPointF point(x + 0.5, y + 0.5);
    visitTurnable(objects_.at(start.index), [&](auto& picture) {
        if (m.handle == kTurnHandle) {
            const int dial = angleDialAfterDrag(start.angle, start.centre, press, point, snap);
            // Back at the start, the picture keeps its own angle rather than the dial's rounding of it.
            picture.angle = dial == angleDialFor(start.angle) ? start.angle : static_cast<float>(dial);
        } else {
            const int dial = scaleDialAfterDrag(start.scale, start.centre, press, point);
            picture.scale = dial == scaleDialFor(start.scale) ? start.scale : scaleFromDial(dial);
        }
    });
    composeDragStep();
    selectionChanged(); // the dials show the new values as they change
}

bool WorkspaceDocument::endPictureHandleDrag() {
    const ManipulationState::HandledStart& start = manipulation_.handled;
    bool changed = false;
    if (start.index >= 0 && start.index < objects_.size())
        visitTurnable(objects_.at(start.index), [&](const auto& picture) {
            changed = picture.scale != start.scale || picture.angle != start.angle;
        });
    manipulation_.handled = {};
    return changed;
}

} // namespace workspace
