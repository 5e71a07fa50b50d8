#include "moulding.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace starter {

namespace {

struct SideGeometry {
    Side side;
    double inwardX, inwardY;
    double alongX, alongY;
};

constexpr std::array<SideGeometry, 4> kSides{{
    {Side::Top, 0, 1, 1, 0},
    {Side::Right, -1, 0, 0, 1},
    {Side::Bottom, 0, -1, 1, 0},
    {Side::Left, 1, 0, 0, 1},
}};

struct Band {
    double left, top, right, bottom; // outer edges
    std::array<double, 4> widths;    // per side, in the order of kSides
};

// The side a point belongs to is the one whose width it has crossed the least of, which puts the mitres
// on the lines from the outer corners to the opening's corners.
std::array<double, 4> fractions(const Band& band, double x, double y) {
    return {(y - band.top) / band.widths[0], (band.right - x) / band.widths[1],
            (band.bottom - y) / band.widths[2], (x - band.left) / band.widths[3]};
}

MouldingPoint pointOn(const Band& band, int index, double x, double y) {
    MouldingPoint point;
    point.side = kSides[index].side;
    point.width = band.widths[index];
    point.across = fractions(band, x, y)[index] * point.width;
    point.along = kSides[index].alongX != 0 ? x - band.left : y - band.top;
    return point;
}

QRgb shadeAt(const Band& band, int index, double x, double y, const HeightFunction& height,
             const SurfaceFunction& surface) {
    const MouldingPoint point = pointOn(band, index, x, y);
    auto heightAt = [&](double dAcross, double dAlong) {
        MouldingPoint moved = point;
        moved.across = std::clamp(point.across + dAcross, 0.0, point.width);
        moved.along += dAlong;
        return height(moved);
    };
    const double slopeAcross = heightAt(0.5, 0) - heightAt(-0.5, 0);
    const double slopeAlong = heightAt(0, 0.5) - heightAt(0, -0.5);
    const SideGeometry& geometry = kSides[index];
    const double gx = slopeAcross * geometry.inwardX + slopeAlong * geometry.alongX;
    const double gy = slopeAcross * geometry.inwardY + slopeAlong * geometry.alongY;
    return surface(point, normalized({-gx, -gy, 1}));
}

int nearestSide(const std::array<double, 4>& t) {
    return static_cast<int>(std::min_element(t.begin(), t.end()) - t.begin());
}

} // namespace

void paintMoulding(QImage& canvas, const QRect& outer, const QRect& hole, const HeightFunction& height,
                   const SurfaceFunction& surface) {
    const Band band{static_cast<double>(outer.left()),
                    static_cast<double>(outer.top()),
                    static_cast<double>(outer.right() + 1),
                    static_cast<double>(outer.bottom() + 1),
                    {static_cast<double>(hole.top() - outer.top()),
                     static_cast<double>(outer.right() - hole.right()),
                     static_cast<double>(outer.bottom() - hole.bottom()),
                     static_cast<double>(hole.left() - outer.left())}};
    const double narrowest = *std::min_element(band.widths.begin(), band.widths.end());
    for (int y = outer.top(); y <= outer.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(canvas.scanLine(y));
        for (int x = outer.left(); x <= outer.right(); ++x) {
            if (hole.contains(x, y))
                continue;
            const double cx = x + 0.5;
            const double cy = y + 0.5;
            std::array<double, 4> t = fractions(band, cx, cy);
            std::array<double, 4> sorted = t;
            std::sort(sorted.begin(), sorted.end());
            if ((sorted[1] - sorted[0]) * narrowest > 1.5) {
                row[x] = shadeAt(band, nearestSide(t), cx, cy, height, surface);
                continue;
            }
            // Near a mitre: average 4 × 4 samples so the joint is a clean antialiased line.
            int r = 0, g = 0, b = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    const double px = x + (sx + 0.5) / 4;
                    const double py = y + (sy + 0.5) / 4;
                    const QRgb c =
                        shadeAt(band, nearestSide(fractions(band, px, py)), px, py, height, surface);
                    r += qRed(c);
                    g += qGreen(c);
                    b += qBlue(c);
                }
            }
            row[x] = qRgb((r + 8) / 16, (g + 8) / 16, (b + 8) / 16);
        }
    }
}

} // namespace starter
