#pragma once
// The handles of a selected clipart, mask or frame, in window pixels: one on each corner sizes the
// picture about its centre, one above its top edge turns it. They turn with the picture. What a drag
// gives is a value of the object dials, so the mouse sizes and turns exactly as the dials do.

#include "workspace/manipulation/manipulation_state.h"

#include <QPointF>
#include <QTransform>
#include <array>

namespace workspace {

// Handles 0 to 3 are the picture's own top-left, top-right, bottom-right and bottom-left corners.
inline constexpr int kPictureCorners = 4;
inline constexpr int kTurnHandle = 4;
inline constexpr int kPictureHandleCount = 5;
// A handle's square, centred on its point.
inline constexpr double kPictureHandleSide = 10;
// How far the turn handle stands out from the middle of the top edge.
inline constexpr double kTurnHandleReach = 24;
// Shift turns in steps of this many degrees.
inline constexpr int kTurnSnap = 15;

struct PictureHandles {
    QPointF centre;
    QPointF topMiddle; // where the turn handle's stem meets the picture
    std::array<QPointF, kPictureHandleCount> points;
};

// The handles of a w × h picture drawn through `toWindow`.
PictureHandles pictureHandles(const QTransform& toWindow, int width, int height);

// The first handle whose square holds the window pixel (x, y); -1 when none does.
int hitPictureHandle(const PictureHandles& handles, int x, int y);

// A corner's sizing arrow points along the line from the centre through that corner, as the picture is
// turned now; the turn handle has the turn cursor.
PointerCursor pictureHandleCursor(const PictureHandles& handles, int handle);

// The scale dial value (-180 to 180) for a corner dragged from `press` to `point`: the scale grows with
// the pointer's distance from the centre.
int scaleDialAfterDrag(float startScale, QPointF centre, QPointF press, QPointF point);

// The rotation dial value (-180 to 180) for the turn handle dragged from `press` to `point`: the angle
// grows by the angle the pointer swept about the centre; with `snap`, to the nearest multiple of 15°.
int angleDialAfterDrag(float startAngle, QPointF centre, QPointF press, QPointF point, bool snap);

} // namespace workspace
