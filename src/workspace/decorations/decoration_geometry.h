#pragma once
// Where frames, masks, cliparts and decorations land on screen: their transforms from picture pixels to
// window pixels for a view V of a Cw × Ch canvas, the frame's photo crop, and the scale and angle the
// object dials set.

#include "workspace/object_records.h"
#include "workspace/view_geometry.h"

#include <QRect>
#include <QTransform>
#include <vector>

namespace workspace {

// Share of the fitted view a frame takes when it is shown at scale 1.
inline constexpr double kFrameViewShare = 0.6;
// How far, in window pixels, the photo in a frame reaches under the frame's edge.
inline constexpr double kFramePhotoBleed = 1.0;
// The smallest scale the scale dial gives.
inline constexpr float kMinimumObjectScale = 0.1f;

// The scale dial (-180 to 180) as a scale: v / 180 + 1, never below 0.1.
float scaleFromDial(int value);
// What the scale dial's readout shows ("%d%%"): v × 100 / 180 + 100, or 10 below -90 + 100.
int scaleReadoutPercent(int value);
// The scale dial's position for a scale factor, rounded and held to -180..180.
int scaleDialFor(double scale);
// The rotation dial's position for an angle in degrees: the same turn within -180..180, rounded.
int angleDialFor(double angle);

// The canvas's centre on screen moved by an offset in canvas pixels.
QPointF screenCentre(const Rect& view, int canvasWidth, int canvasHeight, int offsetX, int offsetY);

// A frame's size on screen at scale 1: its picture fitted into the view, times 0.6, truncated.
QSize frameDisplaySize(const Rect& view, int width, int height);

// A rectangle of the canvas photo in the proportion of the frame's hole, centred.
struct FrameCrop {
    QRect rect;        // in photo pixels; empty when the hole has no usable proportion
    int holeWidth = 0; // the hole on screen, in whole window pixels: its proportion decides the crop
    int holeHeight = 0;
    QSizeF hole; // the hole on screen exactly, which the photo covers
};
// The crop for a hole of holeWidth × holeHeight screen pixels from a canvas of Cw × Ch: the whole width
// and a centred band of truncate(Ch × p / aspect) rows when the hole is relatively wider than the photo (p
// = Cw / Ch), else the whole height and truncate(Cw × aspect / p) columns.
QRect frameCropRect(int canvasWidth, int canvasHeight, int holeWidth, int holeHeight);
// The frame's hole on screen and the photo crop that fills it.
FrameCrop frameCrop(const FrameObject& frame, const Rect& view, int canvasWidth, int canvasHeight);

// Frame picture pixels (0, 0, width, height) to the window.
QTransform frameTransform(const FrameObject& frame, const Rect& view, int canvasWidth, int canvasHeight);
// Crop pixels (0, 0, crop width, crop height) to the window: the photo covers the hole, turned and
// scaled with the frame, and reaches a window pixel under the frame all round, so that no seam of
// background shows where the two meet. It is centred on the hole, which for the usual centred hole is
// the frame's centre.
QTransform framePhotoTransform(const FrameObject& frame, const FrameCrop& crop, const Rect& view,
                               int canvasWidth, int canvasHeight);
// Mask picture pixels to the window (its scale includes the base factor).
QTransform maskTransform(const MaskObject& mask, const Rect& view, int canvasWidth, int canvasHeight);
// Clipart picture pixels to the window: one picture pixel covers one canvas pixel at scale 1.
QTransform clipartTransform(const ClipartObject& clipart, const Rect& view, int canvasWidth,
                            int canvasHeight);
// The window rectangle a decoration is drawn into: the whole view, anchored at the view's top-left
// corner moved by the offset.
QRect decorationRect(const DecorationObject& decoration, const Rect& view, int canvasWidth, int canvasHeight);

// One piece of a decoration picture and where it lands, relative to the area's top-left corner.
struct DecorationSlice {
    QRect source; // picture pixels
    QRect target; // area pixels
};
// How a decoration picture covers an area. When the picture fitted to the area fills it to within a
// pixel, the whole picture is stretched over the area in one piece. Otherwise in nine: square corners a
// quarter of the picture's shorter side, scaled by the ratio of the area's shorter side to the picture's
// so they keep their shape, and the edges and the middle stretched between them. The targets tile the
// area exactly; pieces with nothing to cover are left out.
std::vector<DecorationSlice> decorationSlices(QSize picture, QSize area);

// The window point's offset from the canvas centre in canvas pixels (integer arithmetic), as clipart
// placing and brush stamps take it.
QPoint canvasOffsetOf(const Rect& view, int canvasWidth, int canvasHeight, int x, int y);

} // namespace workspace
