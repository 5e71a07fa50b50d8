#include "brush_art.h"

#include "art_kit.h"
#include "noise.h"

#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace starter {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kSize = kBrushTipSize;
const QPointF kCentre(kSize / 2.0, kSize / 2.0);
const QColor kTipInk(44, 44, 48);

StarterEntry tipEntry(const QString& name, const std::function<void(QPainter&)>& paint) {
    QImage canvas = blankCanvas(kSize, kSize);
    QPainter painter(&canvas);
    smoothHints(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kTipInk);
    paint(painter);
    painter.end();
    const QImage picture = straightAlpha(canvas);
    return {name, picture, picture, {}};
}

// Tip from an alpha plane: the ink colour everywhere, the plane as alpha.
StarterEntry tipFromPlane(const QString& name, const GreyPlane& plane) {
    QImage picture(kSize, kSize, QImage::Format_ARGB32);
    for (int y = 0; y < kSize; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < kSize; ++x) {
            const int alpha = std::clamp(static_cast<int>(std::lround(plane.at(x, y) * 255)), 0, 255);
            row[x] = alpha ? qRgba(kTipInk.red(), kTipInk.green(), kTipInk.blue(), alpha) : 0;
        }
    }
    return {name, picture, picture, {}};
}

GreyPlane roundSoft() {
    GreyPlane plane(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double r = std::hypot(x + 0.5 - kCentre.x(), y + 0.5 - kCentre.y()) / 61;
            plane.at(x, y) = static_cast<float>(r >= 1 ? 0 : std::pow(1 - r * r, 2.2));
        }
    }
    return plane;
}

GreyPlane sparkle() {
    GreyPlane plane(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double dx = std::abs(x + 0.5 - kCentre.x());
            const double dy = std::abs(y + 0.5 - kCentre.y());
            const double r = std::hypot(dx, dy);
            // Four long rays, four short diagonal ones and a glowing core.
            const double main = std::exp(-std::min(dx, dy) / 2.2) * std::max(0.0, 1 - std::max(dx, dy) / 61);
            const double du = std::abs(dx - dy) / std::sqrt(2.0);
            const double diagonal = std::exp(-du / 1.6) * std::max(0.0, 1 - r / 34);
            const double core = std::exp(-r * r / 120);
            plane.at(x, y) = static_cast<float>(std::min(1.0, main + 0.7 * diagonal + core));
        }
    }
    return plane;
}

GreyPlane splatter() {
    QPainterPath drops;
    drops.setFillRule(Qt::WindingFill);
    drops.addEllipse(kCentre, 30, 27);
    Scatter scatter(3101);
    // Lobes round the main blot and droplets flung outwards.
    for (int i = 0; i < 14; ++i) {
        const double angle = scatter.range(0, 2 * kPi);
        const double distance = scatter.range(22, 34);
        drops.addEllipse(kCentre + QPointF(std::cos(angle), std::sin(angle)) * distance, scatter.range(7, 13),
                         scatter.range(7, 13));
    }
    for (int i = 0; i < 26; ++i) {
        const double angle = scatter.range(0, 2 * kPi);
        const double distance = scatter.range(40, 58);
        const double radius = scatter.range(1.5, 5) * (1.2 - distance / 70);
        drops.addEllipse(kCentre + QPointF(std::cos(angle), std::sin(angle)) * distance, radius, radius);
    }
    return coverageOf(drops.simplified(), kSize, kSize);
}

GreyPlane chalk() {
    GreyPlane plane(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double px = x + 0.5 - kCentre.x();
            const double py = y + 0.5 - kCentre.y();
            // A rough blob whose rim is eaten away, with grain through the middle.
            const double angle = std::atan2(py, px);
            const double rim =
                50 + 10 * (fractalNoise(3201, std::cos(angle) * 3 + 5, std::sin(angle) * 3 + 5, 3) - 0.5);
            const double r = std::hypot(px, py);
            const double grain = fractalNoise(3203, x / 1.7, y / 1.7, 2);
            const double body = std::clamp((rim - r) / 8, 0.0, 1.0);
            plane.at(x, y) = static_cast<float>(std::clamp(body * (grain * 1.6 - 0.25), 0.0, 1.0));
        }
    }
    return plane;
}

GreyPlane dots() {
    QPainterPath spots;
    spots.setFillRule(Qt::WindingFill);
    Scatter scatter(3301);
    int placed = 0;
    std::vector<std::array<double, 3>> kept;
    while (placed < 24) {
        const double angle = scatter.range(0, 2 * kPi);
        const double distance = std::sqrt(scatter.unit()) * 50;
        const double radius = scatter.range(3.5, 9);
        const QPointF centre = kCentre + QPointF(std::cos(angle), std::sin(angle)) * distance;
        bool clear = true;
        for (const auto& other : kept)
            clear = clear && std::hypot(other[0] - centre.x(), other[1] - centre.y()) > other[2] + radius + 2;
        if (!clear || distance + radius > 60)
            continue;
        kept.push_back({centre.x(), centre.y(), radius});
        spots.addEllipse(centre, radius, radius);
        ++placed;
    }
    return coverageOf(spots, kSize, kSize);
}

StarterEntry roundHardTip() {
    return tipEntry(QStringLiteral("Round hard"), [](QPainter& p) { p.drawEllipse(kCentre, 60, 60); });
}

StarterEntry starTip() {
    return tipEntry(QStringLiteral("Star"),
                    [](QPainter& p) { p.drawPath(starPath(kCentre + QPointF(0, 4), 62, 26, 5)); });
}

StarterEntry heartTip() {
    return tipEntry(QStringLiteral("Heart"),
                    [](QPainter& p) { p.drawPath(heartPath(kCentre + QPointF(0, 4), 118)); });
}

StarterEntry leafTip() {
    return tipEntry(QStringLiteral("Leaf"), [](QPainter& p) {
        p.translate(kCentre);
        p.rotate(-40);
        QPainterPath leaf;
        leaf.moveTo(-60, 0);
        leaf.cubicTo(-30, -40, 30, -36, 60, 0);
        leaf.cubicTo(30, 36, -30, 40, -60, 0);
        p.drawPath(leaf);
        // Veins let a little of what is under the stroke show through.
        p.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        p.setPen(QPen(QColor(0, 0, 0, 150), 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(-56, 0), QPointF(54, 0));
        for (int i = -3; i <= 3; ++i) {
            const double x = i * 13;
            const double reach = 24 - std::abs(i) * 4;
            p.drawLine(QPointF(x - 8, 0), QPointF(x + 6, -reach));
            p.drawLine(QPointF(x - 8, 0), QPointF(x + 6, reach));
        }
    });
}

StarterEntry snowflakeTip() {
    return tipEntry(QStringLiteral("Snowflake"), [](QPainter& p) {
        p.translate(kCentre);
        p.setPen(QPen(kTipInk, 6, Qt::SolidLine, Qt::RoundCap));
        for (int arm = 0; arm < 6; ++arm) {
            p.drawLine(QPointF(0, 0), QPointF(0, -58));
            for (const double at : {24.0, 40.0}) {
                const double branch = at == 24 ? 18 : 12;
                p.drawLine(QPointF(0, -at), QPointF(-branch * 0.8, -at - branch * 0.7));
                p.drawLine(QPointF(0, -at), QPointF(branch * 0.8, -at - branch * 0.7));
            }
            p.rotate(60);
        }
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(0, 0), 10, 10);
    });
}

} // namespace

std::vector<EntryRecipe> brushTipRecipes() {
    return {roundHardTip,
            [] { return tipFromPlane(QStringLiteral("Round soft"), roundSoft()); },
            starTip,
            heartTip,
            [] { return tipFromPlane(QStringLiteral("Sparkle"), sparkle()); },
            leafTip,
            snowflakeTip,
            [] { return tipFromPlane(QStringLiteral("Splatter"), splatter()); },
            [] { return tipFromPlane(QStringLiteral("Chalk"), chalk()); },
            [] { return tipFromPlane(QStringLiteral("Dots"), dots()); }};
}

} // namespace starter
