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

// The part of a canvas that a crop rectangle covers in the view, in canvas pixels: its first column and
// row, and its size with the width rounded down to a multiple of 4, all of it held inside the canvas.
struct CanvasCut {
    int column = 0;
    int row = 0;
    int width = 0;
    int height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
};
CanvasCut canvasCutOf(int canvasWidth, int canvasHeight, const Rect& view, const Rect& crop);

} // namespace workspace
