#pragma once
// Sizing and moving rectangles by the mouse, in window pixels: the eight handles, sizing by one of them,
// the crop rectangle's aspect constraint, and keeping a dragged rectangle inside the view.

#include "workspace/view_geometry.h"

namespace workspace {

inline constexpr int kHandleCount = 8;

// Handles 1, 3, 5 and 7 sit on the edges; 0, 2, 4 and 6 on the corners.
constexpr bool isEdgeHandle(int handle) {
    return handle % 2 == 1;
}

// `start` sized by dragging `handle` to (x, y): the edges the handle touches follow the point, the opposite
// edges stay, and the result is ordered (it may turn over) and held inside the view.
Rect resizeByHandle(const Rect& start, const Rect& view, int x, int y, int handle);

// `sized` (a corner handle's result from `start`) cut to the proportion width : height, rebuilt from the
// start rectangle's fixed corner. Edge handles and a zero part return `sized` unchanged.
Rect constrainToAspect(const Rect& start, const Rect& sized, int handle, float widthPart, float heightPart);

// A dragged text moved back into the view: left, then right, then top, then bottom, so a text larger
// than the view ends aligned to its right and bottom.
Rect keepTextInView(const Rect& rect, const Rect& view);
// A moved crop rectangle moved back into the view: left, right, bottom, then top.
Rect keepCropInView(const Rect& rect, const Rect& view);

// Where the crop rectangle goes when an aspect is chosen: a rectangle of the view's proportions scaled by
// 1.5 × (crop width + height) / (view width + height), centred in the view (or the view itself when it
// would not fit), shrunk by 8 pixels each side and narrowed about its centre to width : height.
Rect seatCropRect(const Rect& crop, const Rect& view, float widthPart, float heightPart);

} // namespace workspace
