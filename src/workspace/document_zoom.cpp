// Zooming and panning: the view rectangle grows, shrinks and moves over the window. Everything placed in
// window pixels (texts, the crop rectangle) moves with it; pictures live in canvas pixels and follow.
#include "workspace/document.h"

#include <algorithm>

namespace workspace {

double WorkspaceDocument::zoom() const {
    return photo_.width > 0 ? static_cast<double>(view_.width()) / photo_.width : 1.0;
}

void WorkspaceDocument::fitToWindow() {
    if (dragging() || preview_)
        return;
    fitted_ = true;
    zoomedBeforePreview_.reset();
    moveView(fittedViewRect(photo_.width, photo_.height, clientSize_.width(), clientSize_.height()));
}

void WorkspaceDocument::setZoom(double zoom, QPoint anchor) {
    if (dragging() || preview_ || photo_.empty())
        return;
    const Rect fit = fittedViewRect(photo_.width, photo_.height, clientSize_.width(), clientSize_.height());
    const double fitZoom = static_cast<double>(fit.width()) / photo_.width;
    // Zooming to or past the fitted size from the other side lands on it exactly.
    const double from = this->zoom();
    if ((from < fitZoom && zoom >= fitZoom) || (from > fitZoom && zoom <= fitZoom)) {
        fitToWindow();
        return;
    }
    zoom = std::clamp(zoom, std::min(kMinimumZoom, fitZoom), std::max(kMaximumZoom, fitZoom));
    fitted_ = false;
    moveView(zoomedViewRect(view_, photo_.width, photo_.height, zoom, anchor, clientSize_));
}

void WorkspaceDocument::zoomBy(double factor, QPoint anchor) {
    setZoom(zoom() * factor, anchor);
}

void WorkspaceDocument::panBy(int dx, int dy) {
    if (dragging() || preview_)
        return;
    const Rect moved =
        placeView({view_.left + dx, view_.top + dy, view_.right + dx, view_.bottom + dy}, clientSize_);
    if (moved != view_)
        moveView(moved);
}

void WorkspaceDocument::moveView(const Rect& view) {
    const Rect old = view_;
    view_ = view;
    crop_ = {mapAcrossViews(crop_.left, old.left, old.width(), view.left, view.width()),
             mapAcrossViews(crop_.top, old.top, old.height(), view.top, view.height()),
             mapAcrossViews(crop_.right, old.left, old.width(), view.left, view.width()),
             mapAcrossViews(crop_.bottom, old.top, old.height(), view.top, view.height())};
    placeTextsInView();
    Recompose(preview_);
}

Rect WorkspaceDocument::placingArea() const {
    const QRect part = shownViewPart();
    if (part.isEmpty())
        return view_;
    return {part.left(), part.top(), part.right() + 1, part.bottom() + 1};
}

void WorkspaceDocument::placeTextsInView() {
    for (int i = 0; i < objects_.size(); ++i) {
        text::TextObject* object = objects_.get<text::TextObject>(i);
        if (!object || object->anchorViewWidth <= 0)
            continue;
        const int width = object->right - object->left;
        const int height = object->bottom - object->top;
        object->left = view_.left + static_cast<int>(std::int64_t{object->anchorX} * view_.width() /
                                                     object->anchorViewWidth);
        object->top = view_.top + static_cast<int>(std::int64_t{object->anchorY} * view_.width() /
                                                   object->anchorViewWidth);
        object->right = object->left + width;
        object->bottom = object->top + height;
    }
}

} // namespace workspace
