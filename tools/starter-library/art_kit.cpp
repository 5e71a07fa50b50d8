#include "art_kit.h"

#include "noise.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace starter {

QImage blankCanvas(int width, int height) {
    QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    return canvas;
}

void smoothHints(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

QImage straightAlpha(const QImage& picture) {
    return picture.convertToFormat(QImage::Format_ARGB32);
}

GreyPlane::GreyPlane(int w, int h, float fill)
    : width(w), height(h), values(static_cast<std::size_t>(w) * h, fill) {}

GreyPlane coverageOf(const QPainterPath& path, int width, int height) {
    QImage mask(width, height, QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(path, Qt::white);
    }
    GreyPlane plane(width, height);
    for (int y = 0; y < height; ++y) {
        const uchar* row = mask.constScanLine(y);
        for (int x = 0; x < width; ++x)
            plane.at(x, y) = row[x] / 255.0f;
    }
    return plane;
}

namespace {

// One box pass along rows (stride 1) or columns (stride width), edges clamped.
void boxPass(std::vector<float>& values, std::vector<float>& line, int count, int lines, int step,
             int lineStep, int radius) {
    const float scale = 1.0f / static_cast<float>(2 * radius + 1);
    for (int l = 0; l < lines; ++l) {
        float* first = values.data() + static_cast<std::size_t>(l) * lineStep;
        for (int i = 0; i < count; ++i)
            line[i] = first[static_cast<std::size_t>(i) * step];
        float sum = 0;
        for (int i = -radius; i <= radius; ++i)
            sum += line[std::clamp(i, 0, count - 1)];
        for (int i = 0; i < count; ++i) {
            first[static_cast<std::size_t>(i) * step] = sum * scale;
            sum += line[std::min(i + radius + 1, count - 1)] - line[std::max(i - radius, 0)];
        }
    }
}

} // namespace

void blur(GreyPlane& plane, int radius) {
    if (radius <= 0)
        return;
    const int passRadius = std::max(1, radius / 2);
    std::vector<float> line(static_cast<std::size_t>(std::max(plane.width, plane.height)));
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(plane.values, line, plane.width, plane.height, 1, plane.width, passRadius);
        boxPass(plane.values, line, plane.height, plane.width, plane.width, 1, passRadius);
    }
}

void addGrain(QImage& premultiplied, std::uint32_t seed, double feature, double strength, double stretchX,
              int octaves) {
    for (int y = 0; y < premultiplied.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(premultiplied.scanLine(y));
        for (int x = 0; x < premultiplied.width(); ++x) {
            const int alpha = qAlpha(row[x]);
            if (alpha == 0)
                continue;
            const double n = fractalNoise(seed, x / (feature * stretchX), y / feature, octaves);
            const double factor = 1 + strength * (n - 0.5);
            auto channel = [&](int value) {
                return std::clamp(static_cast<int>(std::lround(value * factor)), 0, alpha);
            };
            row[x] = qRgba(channel(qRed(row[x])), channel(qGreen(row[x])), channel(qBlue(row[x])), alpha);
        }
    }
}

void dropShadow(QPainter& painter, const QPainterPath& shape, QPointF offset, int blurRadius, int opacity,
                int canvasWidth, int canvasHeight) {
    GreyPlane plane = coverageOf(shape.translated(offset), canvasWidth, canvasHeight);
    blur(plane, blurRadius);
    QImage shadow(canvasWidth, canvasHeight, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < canvasHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(shadow.scanLine(y));
        for (int x = 0; x < canvasWidth; ++x)
            row[x] = qRgba(0, 0, 0, static_cast<int>(plane.at(x, y) * opacity + 0.5f));
    }
    painter.drawImage(0, 0, shadow);
}

QPainterPath heartPath(QPointF centre, double size) {
    QPainterPath path;
    const double x = centre.x();
    const double y = centre.y();
    path.moveTo(x, y + size * 0.42);
    path.cubicTo(x - size * 0.14, y + size * 0.3, x - size * 0.56, y + size * 0.04, x - size * 0.5,
                 y - size * 0.2);
    path.cubicTo(x - size * 0.45, y - size * 0.44, x - size * 0.12, y - size * 0.5, x, y - size * 0.26);
    path.cubicTo(x + size * 0.12, y - size * 0.5, x + size * 0.45, y - size * 0.44, x + size * 0.5,
                 y - size * 0.2);
    path.cubicTo(x + size * 0.56, y + size * 0.04, x + size * 0.14, y + size * 0.3, x, y + size * 0.42);
    path.closeSubpath();
    return path;
}

QPainterPath starPath(QPointF centre, double outer, double inner, int points, double turn) {
    QPainterPath path;
    for (int i = 0; i <= 2 * points; ++i) {
        const double angle = turn + i * std::numbers::pi / points;
        const double radius = i % 2 ? inner : outer;
        const QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        i == 0 ? path.moveTo(point) : path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

QColor mix(const QColor& from, const QColor& to, double amount) {
    const double a = std::clamp(amount, 0.0, 1.0);
    return QColor::fromRgbF(static_cast<float>(from.redF() + (to.redF() - from.redF()) * a),
                            static_cast<float>(from.greenF() + (to.greenF() - from.greenF()) * a),
                            static_cast<float>(from.blueF() + (to.blueF() - from.blueF()) * a),
                            static_cast<float>(from.alphaF() + (to.alphaF() - from.alphaF()) * a));
}

Vec3 normalized(Vec3 v) {
    const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return length > 0 ? Vec3{v.x / length, v.y / length, v.z / length} : Vec3{0, 0, 1};
}

double dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 lightDirection() {
    return normalized({-0.5, -0.62, 0.6});
}

double diffuseOf(Vec3 normal) {
    return std::max(0.0, dot(normal, lightDirection()));
}

double highlightOf(Vec3 normal, double shininess) {
    const Vec3 light = lightDirection();
    const Vec3 half = normalized({light.x, light.y, light.z + 1});
    return std::pow(std::max(0.0, dot(normal, half)), shininess);
}

} // namespace starter
