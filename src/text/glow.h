#pragma once
// Soft glows: a drawing made k times smaller in an offscreen picture and stretched back k times with a
// smooth cubic B-spline, which blurs it by about k pixels without any ringing.

#include <QRectF>
#include <functional>

class QPainter;

namespace text {

// `paint` draws in the target's logical coordinates, everything inside `area`; the glow lands on the
// target up to 2 x factor pixels around the area. Only the part visible on the target's device is
// computed. A factor below 2 draws nothing.
void drawGlow(QPainter& target, const QRectF& area, int factor, const std::function<void(QPainter&)>& paint);

} // namespace text
