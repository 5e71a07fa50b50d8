#include "sample_photo.h"

#include "art_kit.h"
#include "noise.h"

#include <QLinearGradient>
#include <algorithm>
#include <cmath>
#include <vector>

namespace starter {

namespace {

QColor skyAt(double u, double v) {
    const QColor zenith(52, 104, 186);
    const QColor middle(140, 184, 228);
    const QColor horizon(250, 214, 172);
    QColor sky = v < 0.32 ? mix(zenith, middle, v / 0.32) : mix(middle, horizon, (v - 0.32) / 0.26);
    const double sunDistance = std::hypot((u - 0.72) * 1.33, v - 0.36);
    const double glow = std::exp(-sunDistance * sunDistance / 0.02) * 0.8 + std::exp(-sunDistance * 40) * 0.9;
    return mix(sky, QColor(255, 244, 214), std::min(1.0, glow));
}

double smoothstep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

QColor shaded(const QColor& colour, double factor) {
    return QColor(std::clamp(static_cast<int>(colour.red() * factor), 0, 255),
                  std::clamp(static_cast<int>(colour.green() * factor), 0, 255),
                  std::clamp(static_cast<int>(colour.blue() * factor), 0, 255));
}

constexpr double kShore = 0.6;

// The skyline of each layer depends on the column only, so it is worked out once per column.
struct Skylines {
    std::vector<double> far;
    std::vector<double> near;
    std::vector<double> meadow;
};

Skylines skylinesFor(int width) {
    Skylines lines;
    for (int x = 0; x < width; ++x) {
        const double u = (x + 0.5) / width;
        lines.far.push_back(0.36 + 0.16 * fractalNoise(11, u * 3.2, 0.5, 5) -
                            0.05 * std::exp(-std::pow((u - 0.3) * 5, 2)));
        lines.near.push_back(0.5 + 0.06 * fractalNoise(23, u * 2.5 + 7, 0.3, 4));
        lines.meadow.push_back(0.74 + 0.04 * fractalNoise(31, u * 2 + 3, 0.1, 3) - 0.06 * u);
    }
    return lines;
}

QColor sceneAt(const Skylines& lines, int column, double v, double aspect, double pixel) {
    const auto width = static_cast<int>(lines.far.size());
    const double u = (column + 0.5) / width;
    const double farRidge = lines.far[column];
    const double nearRidge = lines.near[column];
    const double meadowLine = lines.meadow[column];
    if (v >= meadowLine) {
        const double depth = (v - meadowLine) / (1 - meadowLine);
        QColor grass = mix(QColor(122, 170, 66), QColor(52, 104, 34), depth);
        const double blades = fractalNoise(41, u * 260 * aspect, v * 40, 3);
        grass = shaded(grass, 0.8 + 0.45 * blades);
        // Flowers: sparse bright dots.
        constexpr double size = 0.008;
        const double cellU = u * aspect / size;
        const double cellV = v / size;
        const std::uint32_t h = hash3(53, static_cast<std::int32_t>(std::floor(cellU)),
                                      static_cast<std::int32_t>(std::floor(cellV)));
        const double fromCentre =
            std::hypot(cellU - std::floor(cellU) - 0.5, cellV - std::floor(cellV) - 0.5);
        if (h % 19 == 0 && size / pixel > 1.5 && fromCentre < 0.4) {
            static const QColor petals[] = {QColor(255, 236, 90), QColor(255, 255, 250),
                                            QColor(246, 132, 170)};
            return mix(petals[(h >> 8) % 3], grass, std::max(0.0, fromCentre - 0.3) * 10);
        }
        return grass;
    }
    if (v >= kShore) {
        // The lake mirrors the sky and hills, broken by ripples.
        const double ripple = (valueNoise(61, u * 12 * aspect, v * 260) - 0.5) * 0.012;
        const double mirrored = 2 * kShore - v + ripple;
        const int shifted = std::clamp(column + static_cast<int>(ripple * 0.5 * width), 0, width - 1);
        QColor reflected = sceneAt(lines, shifted, std::clamp(mirrored, 0.0, kShore - 0.001), aspect, pixel);
        const double sparkle =
            std::pow(valueNoise(67, u * 90 * aspect, v * 500), 12) * std::exp(-std::pow((u - 0.72) * 5, 2));
        reflected = mix(shaded(reflected, 0.82), QColor(40, 78, 120), 0.2 + (v - kShore) * 0.8);
        return mix(reflected, QColor(255, 250, 230), sparkle * 2);
    }
    if (v >= nearRidge) {
        const double shade = 0.75 + 0.5 * fractalNoise(71, u * 40 * aspect, v * 60, 4);
        QColor hill = mix(QColor(70, 118, 64), QColor(40, 78, 48), (v - nearRidge) / (kShore - nearRidge));
        hill = shaded(hill, shade);
        return mix(hill, skyAt(u, kShore), 0.18);
    }
    if (v >= farRidge) {
        const double rock = fractalNoise(83, u * 30 * aspect, v * 30, 5);
        QColor mountain = shaded(QColor(104, 120, 150), 0.8 + 0.4 * rock);
        const double snow = smoothstep(0.05, 0.02, v - farRidge) * smoothstep(0.42, 0.36, farRidge);
        mountain = mix(mountain, QColor(240, 242, 248), snow * (0.6 + 0.4 * rock));
        return mix(mountain, skyAt(u, v), 0.35 * (1 - (v - farRidge) * 3));
    }
    QColor sky = skyAt(u, v);
    const double cloud =
        smoothstep(0.52, 0.78, fractalNoise(97, u * 5 * aspect, v * 14, 5)) * smoothstep(0.5, 0.15, v);
    return mix(sky, QColor(255, 255, 255), cloud * 0.85);
}

void paintPine(QPainter& painter, double x, double baseY, double height) {
    const double width = height * 0.42;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(58, 40, 28));
    painter.drawRect(QRectF(x - width * 0.05, baseY - height * 0.12, width * 0.1, height * 0.12));
    for (int tier = 0; tier < 4; ++tier) {
        const double top = baseY - height + tier * height * 0.18;
        const double bottom = top + height * 0.4;
        const double half = width * (0.22 + tier * 0.1);
        QPainterPath tierPath;
        tierPath.moveTo(x, top);
        tierPath.quadTo(x + half * 0.5, top + (bottom - top) * 0.6, x + half, bottom);
        tierPath.quadTo(x, bottom - height * 0.04, x - half, bottom);
        tierPath.quadTo(x - half * 0.5, top + (bottom - top) * 0.6, x, top);
        QLinearGradient shade(x - half, 0, x + half, 0);
        shade.setColorAt(0, QColor(24, 62, 38));
        shade.setColorAt(1, QColor(44, 92, 52));
        painter.fillPath(tierPath, shade);
    }
}

} // namespace

QImage samplePhoto(int width, int height) {
    QImage photo(width, height, QImage::Format_RGB32);
    const double aspect = static_cast<double>(width) / height;
    const double pixel = 1.0 / height;
    const Skylines lines = skylinesFor(width);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = sceneAt(lines, x, (y + 0.5) / height, aspect, pixel).rgb();
    }
    QPainter painter(&photo);
    smoothHints(painter);
    const double trees[][3] = {{0.06, 0.8, 0.34}, {0.13, 0.78, 0.26}, {0.02, 0.86, 0.4}, {0.92, 0.72, 0.2}};
    for (const auto& tree : trees)
        paintPine(painter, tree[0] * width, tree[1] * height, tree[2] * height);
    return photo;
}

} // namespace starter
