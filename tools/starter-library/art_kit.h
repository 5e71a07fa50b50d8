#pragma once
// Small drawing helpers shared by the starter art: canvases, soft grey planes, grain and lighting.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdint>
#include <vector>

namespace starter {

// A transparent premultiplied canvas with an antialiased painter's usual hints.
QImage blankCanvas(int width, int height);
void smoothHints(QPainter& painter);

// The straight-alpha ARGB32 form every entry is stored in.
QImage straightAlpha(const QImage& picture);

// One float per pixel, used for coverage and grey levels that are blurred and combined before they
// become pixels.
struct GreyPlane {
    int width = 0;
    int height = 0;
    std::vector<float> values;

    GreyPlane(int w, int h, float fill = 0);
    float& at(int x, int y) { return values[static_cast<std::size_t>(y) * width + x]; }
    float at(int x, int y) const { return values[static_cast<std::size_t>(y) * width + x]; }
};

// Coverage of a path filled (antialiased) into a plane of the given size, 0 outside and 1 inside.
GreyPlane coverageOf(const QPainterPath& path, int width, int height);

// Three box passes, close to a Gaussian of the given radius.
void blur(GreyPlane& plane, int radius);

// Multiplies the colour of every pixel by 1 + strength × (noise - 0.5); noise is fractal noise of the given
// feature size in pixels, stretched by `stretchX` along x (fibres, brushed metal).
void addGrain(QImage& premultiplied, std::uint32_t seed, double feature, double strength, double stretchX = 1,
              int octaves = 4);

// A soft shadow of the path's shape, drawn under whatever is painted next.
void dropShadow(QPainter& painter, const QPainterPath& shape, QPointF offset, int blurRadius, int opacity,
                int canvasWidth, int canvasHeight);

// A heart of the given height centred on a point, and a star of `points` points whose first points up
// (or at `turn` radians).
QPainterPath heartPath(QPointF centre, double size);
QPainterPath starPath(QPointF centre, double outer, double inner, int points,
                      double turn = -1.5707963267948966);

inline double square(double x) {
    return x * x;
}
inline double cube(double x) {
    return x * x * x;
}

// A colour lerped between two others.
QColor mix(const QColor& from, const QColor& to, double amount);

// Unit vectors for shading embossed surfaces under one light from the top left.
struct Vec3 {
    double x = 0, y = 0, z = 0;
};
Vec3 normalized(Vec3 v);
double dot(Vec3 a, Vec3 b);
Vec3 lightDirection();
// Lambert diffuse and a Blinn-Phong highlight of the given shininess for a surface normal.
double diffuseOf(Vec3 normal);
double highlightOf(Vec3 normal, double shininess);

} // namespace starter
