#include "workspace/manipulation/picture_handles.h"

#include "workspace/decorations/decoration_geometry.h"

#include <QLineF>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace workspace {

namespace {

// Degrees from the positive x axis, clockwise on screen (y grows downward).
double screenAngle(QPointF from, QPointF to) {
    return std::atan2(to.y() - from.y(), to.x() - from.x()) * 180.0 / std::numbers::pi;
}

} // namespace

PictureHandles pictureHandles(const QTransform& toWindow, int width, int height) {
    const double w = width;
    const double h = height;
    PictureHandles handles;
    handles.centre = toWindow.map(QPointF(w / 2, h / 2));
    handles.topMiddle = toWindow.map(QPointF(w / 2, 0));
    handles.points[0] = toWindow.map(QPointF(0, 0));
    handles.points[1] = toWindow.map(QPointF(w, 0));
    handles.points[2] = toWindow.map(QPointF(w, h));
    handles.points[3] = toWindow.map(QPointF(0, h));
    // Upward as the picture is turned: the picture's own up, mapped and made a unit.
    QLineF up(handles.topMiddle, toWindow.map(QPointF(w / 2, -1)));
    if (up.length() <= 0)
        up = QLineF(handles.topMiddle, handles.topMiddle - QPointF(0, 1));
    up.setLength(kTurnHandleReach);
    handles.points[kTurnHandle] = up.p2();
    return handles;
}

int hitPictureHandle(const PictureHandles& handles, int x, int y) {
    // Pixel centres, as for the pictures' own hit regions.
    const QPointF pixel(x + 0.5, y + 0.5);
    for (int k = 0; k < kPictureHandleCount; ++k) {
        const QPointF d = pixel - handles.points[static_cast<std::size_t>(k)];
        if (std::abs(d.x()) <= kPictureHandleSide / 2 && std::abs(d.y()) <= kPictureHandleSide / 2)
            return k;
    }
    return -1;
}

PointerCursor pictureHandleCursor(const PictureHandles& handles, int handle) {
    if (handle == kTurnHandle)
        return PointerCursor::Turn;
    if (handle < 0 || handle >= kPictureCorners)
        return PointerCursor::Arrow;
    // The line through the centre and the corner, folded into 0 to 180 degrees and read in 45° sectors.
    double along =
        std::fmod(screenAngle(handles.centre, handles.points[static_cast<std::size_t>(handle)]), 180.0);
    if (along < 0)
        along += 180.0;
    if (along < 22.5 || along >= 157.5)
        return PointerCursor::SizeHorizontal;
    if (along < 67.5)
        return PointerCursor::SizeDiagonal; // down and to the right: north-west / south-east
    if (along < 112.5)
        return PointerCursor::SizeVertical;
    return PointerCursor::SizeAntiDiagonal;
}

int scaleDialAfterDrag(float startScale, QPointF centre, QPointF press, QPointF point) {
    const double pressed = QLineF(centre, press).length();
    if (pressed < 1.0)
        return scaleDialFor(startScale);
    return scaleDialFor(startScale * QLineF(centre, point).length() / pressed);
}

int angleDialAfterDrag(float startAngle, QPointF centre, QPointF press, QPointF point, bool snap) {
    if (point == centre)
        return angleDialFor(startAngle);
    double angle = startAngle + screenAngle(centre, point) - screenAngle(centre, press);
    if (snap)
        angle = std::round(angle / kTurnSnap) * kTurnSnap;
    return angleDialFor(angle);
}

} // namespace workspace
