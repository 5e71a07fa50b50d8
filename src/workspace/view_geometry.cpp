#include "workspace/view_geometry.h"

#include "imaging/fit_size.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace workspace {

Rect computeViewRect(int canvasWidth, int canvasHeight, int clientWidth, int clientHeight) {
    const auto fitted = imaging::FitSize(std::max(0, clientWidth - 20), std::max(0, clientHeight - 20),
                                         canvasWidth, canvasHeight, false);
    const int left = (clientWidth - fitted.width) / 2;
    const int top = (clientHeight - fitted.height) / 2;
    return {left, top, left + fitted.width, top + fitted.height};
}

Rect fittedViewRect(int canvasWidth, int canvasHeight, int clientWidth, int clientHeight) {
    const auto fitted = imaging::FitSize(std::max(0, clientWidth - 20), std::max(0, clientHeight - 20),
                                         canvasWidth, canvasHeight, true);
    const int left = (clientWidth - fitted.width) / 2;
    const int top = (clientHeight - fitted.height) / 2;
    return {left, top, left + fitted.width, top + fitted.height};
}

Rect zoomedViewRect(const Rect& view, int canvasWidth, int canvasHeight, double zoom, QPoint anchor,
                    QSize client) {
    if (view.width() <= 0 || view.height() <= 0)
        return view;
    const int width = std::max(1, static_cast<int>(std::lround(canvasWidth * zoom)));
    const int height = std::max(1, static_cast<int>(std::lround(canvasHeight * zoom)));
    // The anchor's place in the view as a fraction stays the same.
    const double fx = double(anchor.x() - view.left) / view.width();
    const double fy = double(anchor.y() - view.top) / view.height();
    const int left = anchor.x() - static_cast<int>(std::lround(fx * width));
    const int top = anchor.y() - static_cast<int>(std::lround(fy * height));
    return placeView({left, top, left + width, top + height}, client);
}

Rect placeView(const Rect& view, QSize client) {
    auto place = [](int start, int length, int window) {
        if (length <= window)
            return (window - length) / 2;
        return std::clamp(start, window - length, 0);
    };
    const int left = place(view.left, view.width(), client.width());
    const int top = place(view.top, view.height(), client.height());
    return {left, top, left + view.width(), top + view.height()};
}

int mapAcrossViews(int value, int fromStart, int fromLength, int toStart, int toLength) {
    if (fromLength <= 0)
        return toStart;
    return toStart + static_cast<int>(std::lround(double(value - fromStart) * toLength / fromLength));
}

Rect initialCropRect(const Rect& view) {
    const int dx = view.width() / 8;
    const int dy = view.height() / 8;
    return {view.left + dx, view.top + dy, view.right - dx, view.bottom - dy};
}

CanvasCut canvasCutOf(int canvasWidth, int canvasHeight, const Rect& view, const Rect& crop) {
    if (canvasWidth <= 0 || canvasHeight <= 0 || view.width() <= 0 || view.height() <= 0)
        return {};
    CanvasCut cut;
    cut.width = static_cast<int>(std::int64_t{canvasWidth} * crop.width() / view.width()) / 4 * 4;
    cut.height = static_cast<int>(std::int64_t{canvasHeight} * crop.height() / view.height());
    cut.row = std::max(0, static_cast<int>(std::int64_t{crop.top - view.top} * canvasHeight / view.height()));
    cut.column =
        std::max(0, static_cast<int>(std::int64_t{crop.left - view.left} * canvasWidth / view.width()));
    // A crop rectangle reaching past the photo is cut to it rather than read beyond the buffer.
    cut.width = std::min(cut.width, (canvasWidth - cut.column) / 4 * 4);
    cut.height = std::min(cut.height, canvasHeight - cut.row);
    return cut;
}

} // namespace workspace
