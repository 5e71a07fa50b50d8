#include "workspace/view_geometry.h"

#include "imaging/fit_size.h"

#include <algorithm>

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

} // namespace workspace
