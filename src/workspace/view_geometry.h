#pragma once
// Where the canvas lies in the workspace window.

#include <QRect>

namespace workspace {

// A rectangle by its edges; right and bottom lie just outside, so width = right - left.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    QRect toQRect() const { return QRect(left, top, width(), height()); }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The canvas fitted into the client area less 20 pixels each way, never enlarged, centred.
Rect computeViewRect(int canvasWidth, int canvasHeight, int clientWidth, int clientHeight);
// The starting crop rectangle: the view shrunk by an eighth of its width and height on every side.
Rect initialCropRect(const Rect& view);

} // namespace workspace
