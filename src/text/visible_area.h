#pragma once

#include <QRect>

class QPainter;

namespace text {

// The part of the painter's logical plane that its device shows; empty without a device or when the
// transform cannot be inverted. Work outside it would never be seen.
QRect visibleArea(const QPainter& painter);

} // namespace text
