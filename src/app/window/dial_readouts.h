#pragma once
// What the dials' readouts say: turns in degrees, sizes and the brush's opacity in percent.

#include "workspace/decorations/decoration_geometry.h"

#include <QString>
#include <cmath>

namespace app {

inline QString degreesReadout(int degrees) {
    return QStringLiteral("%1\u00B0").arg(degrees);
}

// The object scale dial's position, as the size it gives.
inline QString scaleReadout(int dial) {
    return QStringLiteral("%1%").arg(workspace::scaleReadoutPercent(dial));
}

// A brush opacity of 0 to 255.
inline QString opacityReadout(int opacity) {
    return QStringLiteral("%1%").arg(std::lround(opacity * 100.0 / 255.0));
}

} // namespace app
