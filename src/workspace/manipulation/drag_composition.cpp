// A drag step, or a dial step, composed from the layers that do not change while one object does.
#include "workspace/document.h"

#include <QPainter>
#include <algorithm>

namespace workspace {

namespace {

// The smallest rectangle holding every pixel that is not fully transparent.
QRect paintedBounds(const QImage& layer) {
    int top = layer.height();
    int bottom = -1;
    int left = layer.width();
    int right = -1;
    for (int y = 0; y < layer.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        int x = 0;
        while (x < layer.width() && qAlpha(line[x]) == 0)
            ++x;
        if (x == layer.width())
            continue;
        int end = layer.width() - 1;
        while (qAlpha(line[end]) == 0)
            --end;
        top = std::min(top, y);
        bottom = y;
        left = std::min(left, x);
        right = std::max(right, end);
    }
    return bottom < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

// The objects a drag step changes: the active text, the selected pictures, the picture whose handle is
// dragged, or none (the crop rectangle).
std::pair<int, int> WorkspaceDocument::draggedObjects() const {
    using Drag = ManipulationState::Drag;
    const ManipulationState& m = manipulation_;
    const int count = objects_.size();
    if ((m.drag == Drag::Text || (m.drag == Drag::Handle && tool_ == ToolText)) && activeText_ >= 0 &&
        activeText_ < count)
        return {activeText_, activeText_};
    if (m.drag == Drag::PictureHandle && m.handled.index >= 0 && m.handled.index < count)
        return {m.handled.index, m.handled.index};
    if (m.drag == Drag::Pictures && !m.pictures.empty()) {
        const auto [low, high] =
            std::minmax_element(m.pictures.begin(), m.pictures.end(),
                                [](const auto& a, const auto& b) { return a.index < b.index; });
        return {std::min(low->index, count), std::min(high->index, count - 1)};
    }
    return {count, count - 1};
}

void WorkspaceDocument::composeDragStep() {
    if (preview_)
        return;
    const auto [first, last] = draggedObjects();
    composeBetweenLayers(first, last);
}

void WorkspaceDocument::composeBetweenLayers(int first, int last) {
    if (backBuffer_.isNull())
        return;
    DragLayers& layers = dragLayers_;
    if (!layers.valid || layers.first != first || layers.last != last ||
        layers.below.size() != backBuffer_.size()) {
        // Below: the composition up to the first dragged object, without what is drawn over everything.
        output_.objectsEnd = first;
        output_.overlays = false;
        composeInto(backBuffer_, false);
        output_.objectsEnd = -1;
        output_.overlays = true;
        layers.below = backBuffer_.copy();
        layers.above = QImage(backBuffer_.size(), QImage::Format_ARGB32_Premultiplied);
        layers.above.fill(Qt::transparent);
        {
            QPainter painter(&layers.above);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
            drawObjects(painter, last + 1, objects_.size(), false);
        }
        layers.aboveBounds = paintedBounds(layers.above);
        layers.first = first;
        layers.last = last;
        layers.valid = true;
    }

    QPainter painter(&backBuffer_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, layers.below);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    drawObjects(painter, first, last + 1, false);
    if (!layers.aboveBounds.isEmpty())
        painter.drawImage(layers.aboveBounds.topLeft(), layers.above, layers.aboveBounds);
    if (output_.decorations)
        drawDecorations(painter, QRect(QPoint(0, 0), clientSize_));
    if (tool_ == ToolCrop)
        drawCropOverlay(painter);
    painter.end();
    listener_.composed();
}

} // namespace workspace
