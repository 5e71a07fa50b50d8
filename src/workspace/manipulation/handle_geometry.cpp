#include "workspace/manipulation/handle_geometry.h"

#include <algorithm>

namespace workspace {

namespace {

// Which start edge stays put on each axis for a handle; 0 when the handle does not move that axis.
enum class Fixed { None, Low, High };

Fixed horizontalFixed(int handle) {
    switch (handle) {
    case 0:
    case 1:
    case 2:
        return Fixed::High; // the left edge moves, the right one stays
    case 4:
    case 5:
    case 6:
        return Fixed::Low;
    default:
        return Fixed::None;
    }
}

Fixed verticalFixed(int handle) {
    switch (handle) {
    case 0:
    case 6:
    case 7:
        return Fixed::High; // the top edge moves, the bottom one stays
    case 2:
    case 3:
    case 4:
        return Fixed::Low;
    default:
        return Fixed::None;
    }
}

void sizeAxis(Fixed fixed, int startLow, int startHigh, int viewLow, int viewHigh, int point, int& low,
              int& high) {
    if (fixed == Fixed::None)
        return;
    const int stay = fixed == Fixed::High ? startHigh : startLow;
    low = std::max(viewLow, std::min(point, stay));
    high = std::min(viewHigh, std::max(point, stay));
}

} // namespace

Rect resizeByHandle(const Rect& start, const Rect& view, int x, int y, int handle) {
    Rect sized = start;
    sizeAxis(horizontalFixed(handle), start.left, start.right, view.left, view.right, x, sized.left,
             sized.right);
    sizeAxis(verticalFixed(handle), start.top, start.bottom, view.top, view.bottom, y, sized.top,
             sized.bottom);
    return sized;
}

Rect constrainToAspect(const Rect& start, const Rect& sized, int handle, float widthPart, float heightPart) {
    if (isEdgeHandle(handle) || handle < 0 || handle >= kHandleCount || widthPart <= 0 || heightPart <= 0)
        return sized;
    int width = sized.width();
    int height = sized.height();
    // a / b ≥ D / E, compared without dividing so that a flat rectangle needs no special case.
    if (widthPart * static_cast<float>(height) >= heightPart * static_cast<float>(width))
        height = static_cast<int>(static_cast<float>(width) * heightPart / widthPart);
    else
        width = static_cast<int>(static_cast<float>(height) * widthPart / heightPart);

    Rect result = sized;
    const bool topMoves = handle == 0 || handle == 6; // the fixed corner is at the bottom
    if (topMoves) {
        if (sized.top < start.bottom)
            result.top = result.bottom - height;
        else
            result.bottom = result.top + height;
    } else {
        if (start.top < sized.bottom)
            result.bottom = result.top + height;
        else
            result.top = result.bottom - height;
    }
    const bool leftMoves = handle == 0 || handle == 2; // the fixed corner is on the right
    if (leftMoves) {
        if (sized.left < start.right)
            result.left = result.right - width;
        else
            result.right = result.left + width;
    } else {
        if (start.left < sized.right)
            result.right = result.left + width;
        else
            result.left = result.right - width;
    }
    return result;
}

namespace {

void shift(Rect& rect, int dx, int dy) {
    rect.left += dx;
    rect.right += dx;
    rect.top += dy;
    rect.bottom += dy;
}

} // namespace

Rect keepTextInView(const Rect& rect, const Rect& view) {
    Rect kept = rect;
    if (kept.left < view.left)
        shift(kept, view.left - kept.left, 0);
    if (kept.right > view.right)
        shift(kept, view.right - kept.right, 0);
    if (kept.top < view.top)
        shift(kept, 0, view.top - kept.top);
    if (kept.bottom > view.bottom)
        shift(kept, 0, view.bottom - kept.bottom);
    return kept;
}

Rect keepCropInView(const Rect& rect, const Rect& view) {
    Rect kept = rect;
    if (kept.left < view.left)
        shift(kept, view.left - kept.left, 0);
    if (kept.right > view.right)
        shift(kept, view.right - kept.right, 0);
    if (kept.bottom > view.bottom)
        shift(kept, 0, view.bottom - kept.bottom);
    if (kept.top < view.top)
        shift(kept, 0, view.top - kept.top);
    return kept;
}

Rect seatCropRect(const Rect& crop, const Rect& view, float widthPart, float heightPart) {
    const int viewWidth = view.width();
    const int viewHeight = view.height();
    if (viewWidth + viewHeight <= 0 || widthPart <= 0 || heightPart <= 0)
        return crop;
    const float scale =
        1.5f * static_cast<float>(crop.width() + crop.height()) / static_cast<float>(viewWidth + viewHeight);
    const int width = static_cast<int>(static_cast<float>(viewWidth) * scale);
    const int height = static_cast<int>(static_cast<float>(viewHeight) * scale);
    Rect seat = view;
    if (width <= viewWidth && height <= viewHeight) {
        seat.left = view.left + (viewWidth - width) / 2;
        seat.top = view.top + (viewHeight - height) / 2;
        seat.right = seat.left + width;
        seat.bottom = seat.top + height;
    }
    seat = {seat.left + 8, seat.top + 8, seat.right - 8, seat.bottom - 8};

    const float w = static_cast<float>(seat.width());
    const float h = static_cast<float>(seat.height());
    if (w <= 0 || h <= 0)
        return crop; // a view too small for the margins keeps the rectangle it has
    if (w * heightPart >= widthPart * h) {
        const int cut = static_cast<int>((w - widthPart * h / heightPart) / 2);
        seat.left += cut;
        seat.right -= cut;
    } else {
        const int cut = static_cast<int>((h - heightPart * w / widthPart) / 2);
        seat.top += cut;
        seat.bottom -= cut;
    }
    return seat;
}

} // namespace workspace
