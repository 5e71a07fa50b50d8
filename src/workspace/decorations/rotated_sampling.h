#pragma once
// Laying a picture of w × h pixels, turned about its centre by whole degrees, on a canvas: the pixel
// arithmetic that masks and brush stamps share. Each canvas pixel inside the turned picture's box takes
// the picture pixel under its centre (nearest neighbour); smooth enlargement mixes the four around it.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace workspace {

// The turn in radians of an angle truncated to whole degrees and wrapped into 0-359, with the constant
// the drawing rules name.
double wholeDegreeRadians(float degrees);

// round(x) as the drawing rules define it: truncate(x + 0.5).
inline int roundHalfUp(double x) {
    return static_cast<int>(x + 0.5);
}

// Nearest-neighbour scaling: for each of the `scaledSide` pixels, the source pixel round(i / scale), or -1
// where that falls outside the `sourceSide` source pixels. The division is in single precision.
std::vector<int> nearestSourcePixels(int scaledSide, int sourceSide, float scale);

// Smooth (bilinear) enlargement along one side: scaled pixel i lies at i / scale source pixels, between
// `first` and `second` (the same at the far edge), `share` of the way to the second. It covers the same
// pixels as nearestSourcePixels: `first` is -1 where that gives -1.
struct BlendedSource {
    int first = -1;
    int second = -1;
    float share = 0;
};
std::vector<BlendedSource> blendedSourcePixels(int scaledSide, int sourceSide, float scale);

// The bilinear mix of the four source values around a point, `across` and `down` of the way from the
// top-left one.
inline float blended(float topLeft, float topRight, float bottomLeft, float bottomRight, float across,
                     float down) {
    const float top = topLeft + (topRight - topLeft) * across;
    const float bottom = bottomLeft + (bottomRight - bottomLeft) * across;
    return top + (bottom - top) * down;
}

// The box of a w × h picture turned by `radians`: each side of the turned corners' extent, rounded.
struct TurnedBox {
    int width = 0;
    int height = 0;
};
TurnedBox turnedBox(int width, int height, double radians);

// Calls visit(canvasX, canvasY, pictureX, pictureY) for every canvas pixel (within canvasWidth ×
// canvasHeight) of the box of the w × h picture turned clockwise on screen by `radians` and centred at
// (centreX, centreY), edges included, whose centre falls on a picture pixel. The box is centred by integer
// division; picture pixels are found by turning each canvas pixel's centre back about the box's centre.
// Only canvas rows from firstRow up to endRow are visited, so bands of rows may be laid on several threads.
template <typename Visit>
void forEachTurnedPixel(int width, int height, double radians, int centreX, int centreY, int canvasWidth,
                        int canvasHeight, Visit&& visit, int firstRow = 0,
                        int endRow = std::numeric_limits<int>::max()) {
    if (width <= 0 || height <= 0)
        return;
    const TurnedBox box = turnedBox(width, height, radians);
    const std::int64_t left = std::int64_t{centreX} - box.width / 2;
    const std::int64_t top = std::int64_t{centreY} - box.height / 2;
    const int x0 = static_cast<int>(std::max<std::int64_t>(0, left));
    const int y0 = static_cast<int>(std::max<std::int64_t>(std::max(0, firstRow), top));
    const int x1 = static_cast<int>(std::min<std::int64_t>(canvasWidth - 1, left + box.width));
    const int y1 = static_cast<int>(
        std::min<std::int64_t>(std::min<std::int64_t>(canvasHeight, endRow) - 1, top + box.height));
    if (x0 > x1 || y0 > y1)
        return;
    const double boxCentreX = static_cast<double>(left) + box.width / 2.0;
    const double boxCentreY = static_cast<double>(top) + box.height / 2.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const double halfWidth = width / 2.0;
    const double halfHeight = height / 2.0;
    // The products of each column are made once; every pixel then adds them up in the order of
    // dx × c + dy × s + w / 2 and -dx × s + dy × c + h / 2, so the result is the same as computing it whole.
    std::vector<double> columnCos(static_cast<std::size_t>(x1 - x0 + 1));
    std::vector<double> columnSin(columnCos.size());
    for (int x = x0; x <= x1; ++x) {
        const double dx = x + 0.5 - boxCentreX;
        columnCos[static_cast<std::size_t>(x - x0)] = dx * c;
        columnSin[static_cast<std::size_t>(x - x0)] = -dx * s;
    }
    if (c == 1 && s == 0) {
        // Upright, each column has its picture column and each row its picture row, the same sums as
        // below less the zero products: they are looked up, not worked out at every pixel.
        std::vector<int> pictureColumns(columnCos.size(), -1);
        for (std::size_t i = 0; i < columnCos.size(); ++i) {
            const double sx = columnCos[i] + halfWidth;
            if (sx >= 0 && sx < width)
                pictureColumns[i] = static_cast<int>(sx);
        }
        for (int y = y0; y <= y1; ++y) {
            const double sy = (y + 0.5 - boxCentreY) + halfHeight;
            if (!(sy >= 0 && sy < height))
                continue;
            for (int x = x0; x <= x1; ++x) {
                const int sx = pictureColumns[static_cast<std::size_t>(x - x0)];
                if (sx >= 0)
                    visit(x, y, sx, static_cast<int>(sy));
            }
        }
        return;
    }
    for (int y = y0; y <= y1; ++y) {
        const double dy = y + 0.5 - boxCentreY;
        const double rowSin = dy * s;
        const double rowCos = dy * c;
        for (int x = x0; x <= x1; ++x) {
            const std::size_t i = static_cast<std::size_t>(x - x0);
            const double sx = columnCos[i] + rowSin + halfWidth;
            const double sy = columnSin[i] + rowCos + halfHeight;
            // Inside, truncation is the floor: the pixel under the centre.
            if (!(sx >= 0 && sy >= 0 && sx < width && sy < height))
                continue;
            visit(x, y, static_cast<int>(sx), static_cast<int>(sy));
        }
    }
}

} // namespace workspace
