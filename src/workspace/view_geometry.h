#pragma once
// Where the canvas lies in the workspace window.

#include <QPoint>
#include <QRect>
#include <QSize>

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

// The canvas fitted into the client area less 20 pixels each way, never enlarged, centred: the view that
// renders for output are measured against, whatever the zoom.
Rect computeViewRect(int canvasWidth, int canvasHeight, int clientWidth, int clientHeight);
// The canvas fitted into the client area less 20 pixels each way, enlarged or reduced, centred: how a photo
// opens, so that a small one is not shown at its own tiny size.
Rect fittedViewRect(int canvasWidth, int canvasHeight, int clientWidth, int clientHeight);

// The zoom range in view pixels per canvas pixel; a fitted view may lie beyond it.
inline constexpr double kMinimumZoom = 0.1;
inline constexpr double kMaximumZoom = 8.0;
// The view at `zoom`, keeping the canvas point under `anchor` (a window point) where it is, then held to
// the window by placeView.
Rect zoomedViewRect(const Rect& view, int canvasWidth, int canvasHeight, double zoom, QPoint anchor,
                    QSize client);
// A view held to the window: centred on an axis where it is smaller than the window, else moved so that it
// covers the window on that axis (panning never shows beyond the photo's edge).
Rect placeView(const Rect& view, QSize client);
// A point or rectangle edge at `value` in `from` (one axis: start and length) at the same canvas place in
// `to`.
int mapAcrossViews(int value, int fromStart, int fromLength, int toStart, int toLength);

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
