#pragma once
// The program's numbered pictures: the window skin, button faces, list decorations, cursors and the
// window icon. Callers name them by their fixed numbers. Every picture is drawn as vectors at the size
// asked for, so it is crisp at any device pixel ratio and stretches without blurring.

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <vector>

class QPainter;
class QRectF;

namespace controls {

namespace image {
enum : int {
    WindowIcon = 128,
    BottomEdge = 132, // 14 high: 20-px left end, stretched middle, 30-px right end with a size grip
    LeftEdge = 133,   // 20 wide: 10-px top piece, stretched middle, 24-px bottom piece
    RightEdge = 134,  // as the left edge, mirrored
    TopEdge = 135,    // 30 high title strip: 30-px ends, stretched middle
    CloseButton = 136,
    MaximiseButton = 137,
    MinimiseButton = 138,
    TabNormal = 141,
    DropCursor = 178,
    HandCursor = 179,
    BrushCursor = 180,
    PickerCursor = 181, // the colour swatch grid's eyedropper
    BrushOff = 187,
    BrushOn = 188,
    CellFrame = 189, // stretched over a thumbnail grown by 1 px left/top and 2 px right/bottom
    MissingFile = 190,
    TabActive = 192,
    CloseHover = 217,
    ClosePressed = 218,
    MaximiseHover = 219,
    MaximisePressed = 220,
    MinimiseHover = 221,
    MinimisePressed = 222,
    // The colour picker's face, 114 × 20: a 10-px left end, a middle stretched from x 10-60 and a 20-px
    // right end from x 94.
    ColourPickerFace = 236,
    RadioOff = 240, // 16 × 16: an aspect choice that is not taken
    RadioOn = 241,  // 16 × 16: the aspect choice taken
};
} // namespace image

// Every number that names a picture, in ascending order.
std::vector<int> numberedImageIds();
// The picture's natural size in device-independent pixels; empty for an unknown number.
QSize numberedImageSize(int id);
// Draws picture `id` filling `target` (device-independent coordinates of the painter). Returns false,
// drawing nothing, for an unknown number.
bool paintNumberedImage(QPainter& painter, int id, const QRectF& target);
// The picture as a transparent pixmap of `size` device-independent pixels (the natural size when `size`
// is empty) at the given device pixel ratio; null for an unknown number or an empty size.
QPixmap numberedImage(int id, qreal devicePixelRatio = 1.0);
QPixmap numberedImage(int id, const QSize& size, qreal devicePixelRatio);
// Cursors 178 (drop), 179 (hand), 180 (brush) and 181 (picker), drawn for the primary screen's pixel
// ratio; any other number gives the arrow.
QCursor numberedCursor(int id);
// The window icon (128) in the usual icon sizes; null for other numbers.
QIcon numberedIcon(int id);

} // namespace controls
