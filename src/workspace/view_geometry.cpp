#include "workspace/view_geometry.h"

#include "imaging/fit_size.h"

#include <algorithm>
#include <cstdint>

namespace workspace {

Rect computeViewRect(int canvasWidth, int canvasHeight, int clientWidth, int clientHeight) {
    const auto fitted = imaging::FitSize(std::max(0, clientWidth - 20), std::max(0, clientHeight - 20),
                                         canvasWidth, canvasHeight, false);
    const int left = (clientWidth - fitted.width) / 2;
    const int top = (clientHeight - fitted.height) / 2;
    return {left, top, left + fitted.width, top + fitted.height};
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
