#pragma once
// Picture-frame mouldings shaded per pixel: four mitred sides around a rectangular opening, each side a
// profile of heights across its width lit from the top left, so wood, gilt and metal read as solid.

#include "art_kit.h"

#include <QImage>
#include <QRect>
#include <functional>

namespace starter {

enum class Side { Top, Right, Bottom, Left };

// Where a point lies on a side: `along` the side in pixels (left to right on the top and bottom, top to
// bottom on the left and right), `across` in pixels from the outer edge, and that side's full width.
struct MouldingPoint {
    Side side = Side::Top;
    double along = 0;
    double across = 0;
    double width = 1;
    double t() const { return across / width; } // 0 at the outer edge, 1 at the opening
};

// Height of the surface in pixels at a point; its slopes give the shading normal.
using HeightFunction = std::function<double(const MouldingPoint&)>;
// Opaque colour of the surface at a point under the given unit normal.
using SurfaceFunction = std::function<QRgb(const MouldingPoint&, const Vec3& normal)>;

// Paints the band between `outer` and `hole` (both in whole pixels, the hole inside the outer rectangle),
// with antialiased mitres. Pixels outside the band are left alone.
void paintMoulding(QImage& canvas, const QRect& outer, const QRect& hole, const HeightFunction& height,
                   const SurfaceFunction& surface);

} // namespace starter
