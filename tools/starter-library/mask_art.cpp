#include "mask_art.h"

#include "art_kit.h"
#include "noise.h"
#include "resources/package_writer.h"
#include "sample_photo.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace starter {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kW = kMaskWidth;
constexpr int kH = kMaskHeight;

double smoothstep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Turns photo coverage (1 where the photo shows) into the stored grey picture.
StarterEntry maskEntry(const QString& name, const GreyPlane& photo) {
    QImage picture(kW, kH, QImage::Format_ARGB32);
    for (int y = 0; y < kH; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < kW; ++x) {
            const int grey = std::clamp(static_cast<int>(std::lround((1 - photo.at(x, y)) * 255)), 0, 255);
            row[x] = qRgb(grey, grey, grey);
        }
    }
    StarterEntry entry;
    entry.name = name;
    entry.thumbnail = maskThumbnail(picture);
    entry.picture = std::move(picture);
    return entry;
}

GreyPlane softShape(const QPainterPath& shape, int blurRadius) {
    GreyPlane plane = coverageOf(shape, kW, kH);
    blur(plane, blurRadius);
    return plane;
}

// Round puffs on a flatter base, as a cumulus cloud.
QPainterPath cloudPath() {
    QPainterPath cloud;
    cloud.setFillRule(Qt::WindingFill);
    const double puffs[][3] = {{512, 330, 170}, {350, 380, 130}, {680, 370, 140}, {240, 450, 100},
                               {800, 450, 105}, {430, 250, 110}, {600, 240, 120}, {330, 500, 110},
                               {512, 500, 130}, {700, 500, 110}, {160, 520, 70},  {880, 520, 75}};
    for (const auto& puff : puffs)
        cloud.addEllipse(QPointF(puff[0], puff[1]), puff[2], puff[2]);
    QPainterPath base;
    base.addRoundedRect(QRectF(150, 470, kW - 300, 120), 60, 60);
    return cloud.united(base).simplified();
}

GreyPlane brushedEdge() {
    GreyPlane plane(kW, kH);
    const double inset = 96;
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const double px = x + 0.5;
            const double py = y + 0.5;
            // Horizontal strokes: their ends fray into bristle streaks, their long edges wave gently.
            const double fromSides = std::min(px, kW - px) - inset;
            const double fromTops = std::min(py, kH - py) - inset;
            const double bristles = fractalNoise(1301, px / 260, py / 2.2, 4) - 0.5;
            const double wave = fractalNoise(1303, px / 90, py / 40, 4) - 0.5;
            const double sides = (fromSides + 150 * bristles) / 24;
            const double tops = (fromTops + 60 * wave + 18 * bristles) / 14;
            const double dryBrush = smoothstep(0.25, 0.6, fractalNoise(1307, px / 160, py / 3, 3));
            double coverage = std::clamp(std::min(sides, tops), 0.0, 1.0);
            // Dry-brush gaps only near the edges of the painted area.
            const double nearEdge = 1 - std::clamp(std::min(fromSides, fromTops) / 80, 0.0, 1.0);
            coverage *= 1 - 0.7 * nearEdge * (1 - dryBrush);
            plane.at(x, y) = static_cast<float>(coverage);
        }
    }
    blur(plane, 2);
    return plane;
}

GreyPlane filmBurn() {
    GreyPlane plane(kW, kH);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const double u = (x + 0.5) / kW * 2 - 1;
            const double v = (y + 0.5) / kH * 2 - 1;
            // Distance to the frame edge in a rounded-rectangle sense, eaten by two scales of noise.
            const double edge = std::pow(cube(u * u) + cube(v * v), 1.0 / 6);
            const double blotch = fractalNoise(1401, x / 180.0, y / 180.0, 5);
            const double flame = fractalNoise(1409, x / 40.0, y / 40.0, 4);
            const double burn = edge + 0.34 * (blotch - 0.5) + 0.12 * (flame - 0.5);
            double coverage = 1 - smoothstep(0.62, 0.9, burn);
            // A few burnt-through holes near the corners.
            const double hole = cube(fractalNoise(1423, x / 60.0, y / 60.0, 3)) * edge * edge * 5;
            coverage *= 1 - std::clamp(hole - 0.3, 0.0, 1.0);
            plane.at(x, y) = static_cast<float>(coverage);
        }
    }
    blur(plane, 3);
    return plane;
}

} // namespace

QImage maskThumbnail(const QImage& mask) {
    const QImage small = resources::fittedThumbnail(mask, kThumbnailBox);
    const QImage photo = samplePhoto(small.width(), small.height());
    QImage thumbnail(small.size(), QImage::Format_ARGB32);
    for (int y = 0; y < small.height(); ++y) {
        const auto* maskRow = reinterpret_cast<const QRgb*>(small.constScanLine(y));
        const auto* photoRow = reinterpret_cast<const QRgb*>(photo.constScanLine(y));
        auto* row = reinterpret_cast<QRgb*>(thumbnail.scanLine(y));
        for (int x = 0; x < small.width(); ++x) {
            double a = qBlue(maskRow[x]) / 255.0;
            if (a > 0.9)
                a = 1;
            auto blend = [&](int photoValue) { return static_cast<int>(a * 255 + (1 - a) * photoValue); };
            row[x] = qRgb(blend(qRed(photoRow[x])), blend(qGreen(photoRow[x])), blend(qBlue(photoRow[x])));
        }
    }
    return thumbnail;
}

std::vector<EntryRecipe> maskRecipes() {
    const QPointF centre(kW / 2.0, kH / 2.0);
    return {
        [centre] {
            QPainterPath oval;
            oval.addEllipse(centre, 400, 300);
            return maskEntry(QStringLiteral("Soft oval"), softShape(oval, 70));
        },
        [] {
            QPainterPath rounded;
            rounded.addRoundedRect(QRectF(120, 110, kW - 240, kH - 220), 90, 90);
            return maskEntry(QStringLiteral("Soft rounded rectangle"), softShape(rounded, 56));
        },
        [centre] {
            return maskEntry(QStringLiteral("Heart"), softShape(heartPath(centre + QPointF(0, 24), 700), 12));
        },
        [centre] {
            QPainterPath star = starPath(centre + QPointF(0, 28), 370, 160, 5);
            QPainterPathStroker rounder;
            rounder.setWidth(24);
            rounder.setJoinStyle(Qt::RoundJoin);
            star = star.united(rounder.createStroke(star));
            return maskEntry(QStringLiteral("Star"), softShape(star, 10));
        },
        [centre] {
            QPainterPath circle;
            circle.addEllipse(centre, 330, 330);
            return maskEntry(QStringLiteral("Circle"), softShape(circle, 6));
        },
        [] { return maskEntry(QStringLiteral("Cloud"), softShape(cloudPath(), 28)); },
        [] { return maskEntry(QStringLiteral("Brushed edge"), brushedEdge()); },
        [] { return maskEntry(QStringLiteral("Film burn"), filmBurn()); },
    };
}

} // namespace starter
