// Frames shaded as mouldings: wood, gilt, brushed metal, a mat in a black frame, and a chalkboard in a
// pine trim.

#include "art_kit.h"
#include "frame_art.h"
#include "moulding.h"
#include "noise.h"
#include "profile.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace starter {

namespace {

constexpr double kPi = std::numbers::pi;

std::uint32_t sideSeed(std::uint32_t seed, Side side) {
    return seed + 977u * static_cast<std::uint32_t>(side);
}

double window(double t, double from, double to) {
    if (t <= from || t >= to)
        return 0;
    return std::sin((t - from) / (to - from) * kPi);
}

QRgb toRgb(double r, double g, double b) {
    return qRgb(std::clamp(static_cast<int>(r + 0.5), 0, 255), std::clamp(static_cast<int>(g + 0.5), 0, 255),
                std::clamp(static_cast<int>(b + 0.5), 0, 255));
}

// Wood with growth rings running along each piece, pores and a soft figure; each side is its own board.
QColor woodGrain(const MouldingPoint& p, std::uint32_t seed, const QColor& light, const QColor& dark) {
    const std::uint32_t s = sideSeed(seed, p.side);
    const double wobble = fractalNoise(s, p.along / 260, p.across / 60, 3);
    const double rings = 0.5 + 0.5 * std::sin(2 * kPi * (p.across / 9.5 + 4.5 * wobble));
    const double lateWood = cube(square(rings));
    const double pores = fractalNoise(s + 7, p.along / 28, p.across * 0.9, 3);
    const double figure = fractalNoise(s + 13, p.along / 140, p.across / 14, 4);
    return mix(light, dark, std::clamp(0.5 * lateWood + 0.3 * pores + 0.35 * figure - 0.1, 0.0, 1.0));
}

const Profile kWoodProfile{{0.00, 3}, {0.06, 15, Ease::Convex}, {0.12, 16}, {0.17, 11}, {0.33, 5},
                           {0.43, 9}, {0.59, 9, Ease::Linear},  {0.64, 7},  {0.84, 12}, {0.91, 13},
                           {0.96, 8}, {1.00, 6, Ease::Linear}};

double carvedWoodHeight(const MouldingPoint& p) {
    const double t = p.t();
    double height = kWoodProfile.at(t);
    // A row of beads.
    const double beadCentre = 0.52 * p.width;
    const double along = std::fmod(p.along, 16.0) - 8;
    const double bead = 1 - square(along / 6.8) - square((p.across - beadCentre) / 7.0);
    if (bead > 0)
        height += 7 * std::sqrt(bead);
    // Twisted flutes carved into the cove.
    const double inCove = window(t, 0.18, 0.42);
    if (inCove > 0)
        height -= 1.6 * inCove * (0.5 + 0.5 * std::cos(2 * kPi * (p.along + p.across * 0.7) / 11));
    return height;
}

const Profile kGiltProfile{{0.00, 0},
                           {0.05, 12, Ease::Convex},
                           {0.10, 14},
                           {0.15, 8},
                           {0.20, 10},
                           {0.25, 17, Ease::Convex},
                           {0.30, 10},
                           {0.48, 5},
                           {0.53, 11},
                           {0.67, 11, Ease::Linear},
                           {0.72, 9},
                           {0.86, 13},
                           {0.92, 16, Ease::Convex},
                           {0.96, 10},
                           {1.00, 6}};

double giltHeight(const MouldingPoint& p) {
    const double t = p.t();
    double height = kGiltProfile.at(t);
    // Acanthus leaves along the cove.
    const double inCove = window(t, 0.3, 0.48);
    if (inCove > 0) {
        const double leafPhase = std::fmod(p.along, 30.0) / 30.0;
        const double leaf = square(0.5 + 0.5 * std::cos(2 * kPi * leafPhase));
        const double vein = std::exp(-square((leafPhase - 0.5) * 30) / 2) * 0.6;
        height += (4.5 * leaf - vein) * inCove;
    }
    // Bead and reel.
    const double centre = 0.6075 * p.width;
    const double m = std::fmod(p.along, 26.0) - 13;
    const double across = p.across - centre;
    const double bead = 1 - square(m / 8.2) - square(across / 6.6);
    const double reel = 1 - square((std::abs(m) - 11.4) / 1.5) - square(across / 5.0);
    if (bead > 0)
        height += 6.5 * std::sqrt(bead);
    if (reel > 0)
        height += 4.5 * std::sqrt(reel);
    return height;
}

} // namespace

StarterEntry carvedWoodFrame() {
    const QRect outer(0, 0, kFrameLong, kFrameShort);
    const QRect hole = centredHole(outer.width(), outer.height(), 104, 104);
    QImage canvas = blankCanvas(outer.width(), outer.height());
    paintMoulding(canvas, outer, hole, carvedWoodHeight, [](const MouldingPoint& p, const Vec3& normal) {
        const QColor wood = woodGrain(p, 101, QColor(170, 106, 60), QColor(82, 42, 20));
        const double occlusion = 0.62 + 0.38 * std::clamp(kWoodProfile.at(p.t()) / 16, 0.0, 1.0);
        const double light = (0.32 + 0.85 * diffuseOf(normal)) * occlusion;
        const double varnish = highlightOf(normal, 28) * 70 + highlightOf(normal, 6) * 12;
        return toRgb(wood.red() * light + varnish, wood.green() * light + varnish * 0.9,
                     wood.blue() * light + varnish * 0.75);
    });
    return finishedFrame(QStringLiteral("Carved wood"), canvas, hole);
}

StarterEntry gildedFrame() {
    const QRect outer(0, 0, kFrameShort, kFrameLong);
    const QRect hole = centredHole(outer.width(), outer.height(), 112, 112);
    QImage canvas = blankCanvas(outer.width(), outer.height());
    paintMoulding(canvas, outer, hole, giltHeight, [](const MouldingPoint& p, const Vec3& normal) {
        // Gold leaf is laid in squares, each of a slightly different tone, with faint seams.
        const std::uint32_t s = sideSeed(211, p.side);
        const auto tileX = static_cast<std::int32_t>(std::floor(p.along / 42));
        const auto tileY = static_cast<std::int32_t>(std::floor(p.across / 42));
        double tone = 0.93 + 0.12 * (hash3(s, tileX, tileY) / 4294967296.0);
        const double seamX = std::fmod(p.along, 42.0);
        const double seamY = std::fmod(p.across, 42.0);
        if (seamX < 1 || seamY < 1)
            tone *= 0.93;
        const double brightness = 0.16 + 0.95 * std::pow(diffuseOf(normal), 1.3);
        const double shine = highlightOf(normal, 34) * 0.95 + highlightOf(normal, 8) * 0.2;
        // Red-brown bole shows in the hollows, where the gilding wears first.
        const double hollow = std::clamp((8 - kGiltProfile.at(p.t())) / 8, 0.0, 1.0) *
                              (0.5 + 0.5 * fractalNoise(s + 3, p.along / 9, p.across / 9, 3));
        const QColor metal = mix(QColor(236, 184, 74), QColor(128, 66, 34), hollow * 0.7);
        return toRgb(metal.red() * brightness * tone + 255 * shine,
                     metal.green() * brightness * tone + 240 * shine,
                     metal.blue() * brightness * tone + 200 * shine);
    });
    return finishedFrame(QStringLiteral("Gold leaf"), canvas, hole);
}

StarterEntry brushedSilverFrame() {
    static const Profile profile{{0.00, 0},
                                 {0.07, 9, Ease::Convex},
                                 {0.12, 10},
                                 {0.78, 8, Ease::Linear},
                                 {0.84, 11, Ease::Convex},
                                 {0.94, 3, Ease::Linear},
                                 {1.00, 2}};
    const QRect outer(0, 0, kFrameLong, kFrameShort);
    const QRect hole = centredHole(outer.width(), outer.height(), 70, 70);
    QImage canvas = blankCanvas(outer.width(), outer.height());
    paintMoulding(
        canvas, outer, hole, [](const MouldingPoint& p) { return profile.at(p.t()); },
        [](const MouldingPoint& p, const Vec3& normal) {
            const std::uint32_t s = sideSeed(307, p.side);
            const double streaks = fractalNoise(s, p.along / 220, p.across / 0.8, 3);
            const double base = 168 + 52 * (streaks - 0.5);
            const double light = 0.42 + 0.52 * diffuseOf(normal);
            const double shine = highlightOf(normal, 44) * 150 + highlightOf(normal, 7) * 40;
            return toRgb(base * light + shine, (base + 2) * light + shine, (base + 7) * light + shine);
        });
    return finishedFrame(QStringLiteral("Brushed silver"), canvas, hole);
}

StarterEntry passePartoutFrame() {
    static const Profile blackProfile{{0.0, 0}, {0.35, 8, Ease::Convex}, {0.6, 9}, {1.0, 3}};
    constexpr int kFrameWidth = 24;
    constexpr int kMatWidth = 110;
    constexpr int kBevel = 10;
    const QRect outer(0, 0, kFrameShort, kFrameLong);
    const QRect matOuter = outer.adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
    const QRect hole =
        centredHole(outer.width(), outer.height(), kFrameWidth + kMatWidth, kFrameWidth + kMatWidth);
    QImage canvas = blankCanvas(outer.width(), outer.height());
    paintMoulding(
        canvas, outer, matOuter, [](const MouldingPoint& p) { return blackProfile.at(p.t()); },
        [](const MouldingPoint&, const Vec3& normal) {
            const double light = 0.55 + 0.7 * diffuseOf(normal);
            const double shine = highlightOf(normal, 60) * 190 + highlightOf(normal, 10) * 25;
            return toRgb(26 * light + shine, 26 * light + shine, 29 * light + shine);
        });
    paintMoulding(
        canvas, matOuter, hole,
        [](const MouldingPoint& p) {
            const double bevelStart = p.width - kBevel;
            return p.across < bevelStart ? kBevel : kBevel - (p.across - bevelStart);
        },
        [](const MouldingPoint& p, const Vec3& normal) {
            const double grain = fractalNoise(sideSeed(401, p.side), p.along / 2.2, p.across / 2.2, 2) - 0.5;
            if (p.across >= p.width - kBevel) {
                // The bevel cut shows the mat's bright core.
                const double light = 0.8 + 0.3 * diffuseOf(normal);
                return toRgb(254 * light, 252 * light, 247 * light);
            }
            // The frame casts a soft shadow on the mat under a top-left light.
            const bool shaded = p.side == Side::Top || p.side == Side::Left;
            const double shadow = 1 - (shaded ? 0.2 : 0.07) * std::exp(-p.across / 6);
            const double paper = (0.985 + 0.05 * grain) * shadow;
            return toRgb(246 * paper, 244 * paper, 238 * paper);
        });
    return finishedFrame(QStringLiteral("White mat"), canvas, hole);
}

namespace {

// One chalk doodle of the chalkboard's border, drawn with the painter's pen about (0, 0).
void chalkDoodle(QPainter& painter, int kind, double size) {
    QPainterPath path;
    switch (kind % 7) {
    case 0: // star
        for (int i = 0; i <= 10; ++i) {
            const double angle = -kPi / 2 + i * kPi / 5;
            const double radius = (i % 2 ? 0.42 : 1.0) * size / 2;
            const QPointF point(radius * std::cos(angle), radius * std::sin(angle));
            i == 0 ? path.moveTo(point) : path.lineTo(point);
        }
        break;
    case 1: // heart
        path.moveTo(0, size * 0.38);
        path.cubicTo(-size * 0.6, -size * 0.05, -size * 0.28, -size * 0.5, 0, -size * 0.18);
        path.cubicTo(size * 0.28, -size * 0.5, size * 0.6, -size * 0.05, 0, size * 0.38);
        break;
    case 2: // spiral
        for (int i = 0; i <= 60; ++i) {
            const double angle = i * 0.22;
            const double radius = size * 0.5 * i / 60;
            const QPointF point(radius * std::cos(angle), radius * std::sin(angle));
            i == 0 ? path.moveTo(point) : path.lineTo(point);
        }
        break;
    case 3: // flower
        for (int petal = 0; petal < 5; ++petal) {
            const double angle = petal * 2 * kPi / 5;
            QTransform turn;
            turn.rotateRadians(angle);
            QPainterPath leaf;
            leaf.addEllipse(QPointF(0, -size * 0.26), size * 0.14, size * 0.24);
            path.addPath(turn.map(leaf));
        }
        path.addEllipse(QPointF(0, 0), size * 0.09, size * 0.09);
        break;
    case 4: // sun
        path.addEllipse(QPointF(0, 0), size * 0.2, size * 0.2);
        for (int ray = 0; ray < 8; ++ray) {
            const double angle = ray * kPi / 4;
            path.moveTo(size * 0.3 * std::cos(angle), size * 0.3 * std::sin(angle));
            path.lineTo(size * 0.48 * std::cos(angle), size * 0.48 * std::sin(angle));
        }
        break;
    case 5: // wavy line
        path.moveTo(-size / 2, 0);
        for (int i = 1; i <= 4; ++i)
            path.quadTo(-size / 2 + (i - 0.5) * size / 4, (i % 2 ? -1 : 1) * size * 0.18,
                        -size / 2 + i * size / 4, 0);
        break;
    default: // a loop of small dots
        painter.save();
        painter.setBrush(painter.pen().color());
        painter.setPen(Qt::NoPen);
        for (int dot = 0; dot < 6; ++dot) {
            const double angle = dot * kPi / 3;
            painter.drawEllipse(QPointF(size * 0.32 * std::cos(angle), size * 0.32 * std::sin(angle)), 3.2,
                                3.2);
        }
        painter.restore();
        return;
    }
    painter.drawPath(path);
}

} // namespace

StarterEntry chalkboardFrame() {
    static const Profile trimProfile{{0.0, 2}, {0.25, 10, Ease::Convex}, {0.5, 12}, {0.78, 10}, {1.0, 3}};
    constexpr int kTrim = 40;
    constexpr int kSlate = 96;
    const QRect outer(0, 0, kFrameLong, kFrameShort);
    const QRect slateOuter = outer.adjusted(kTrim, kTrim, -kTrim, -kTrim);
    const QRect hole = centredHole(outer.width(), outer.height(), kTrim + kSlate, kTrim + kSlate);

    QImage slate = blankCanvas(outer.width(), outer.height());
    {
        QPainter painter(&slate);
        painter.fillRect(slateOuter, QColor(40, 56, 50));
        smoothHints(painter);
        // Wiped chalk dust.
        Scatter scatter(503);
        for (int i = 0; i < 26; ++i) {
            const QPointF centre(scatter.range(slateOuter.left(), slateOuter.right()),
                                 scatter.range(slateOuter.top(), slateOuter.bottom()));
            QRadialGradient dust(centre, scatter.range(40, 120));
            dust.setColorAt(0, QColor(230, 236, 232, 34));
            dust.setColorAt(1, QColor(230, 236, 232, 0));
            painter.setPen(Qt::NoPen);
            painter.setBrush(dust);
            painter.drawEllipse(centre, scatter.range(60, 160), scatter.range(20, 50));
        }
    }
    addGrain(slate, 509, 1.6, 0.22, 1, 2);

    // Doodles along the slate border, on their own layer so the chalk texture only eats into them.
    QImage chalk = blankCanvas(outer.width(), outer.height());
    {
        QPainter painter(&chalk);
        smoothHints(painter);
        QPainterPath border;
        border.addRect(slateOuter.adjusted(6, 6, -6, -6));
        QPainterPath opening;
        opening.addRect(hole.adjusted(-8, -8, 8, 8));
        painter.setClipPath(border.subtracted(opening));
        Scatter scatter(521);
        const QColor chalkColours[] = {QColor(250, 250, 246), QColor(255, 214, 226), QColor(206, 236, 255),
                                       QColor(255, 242, 176)};
        auto doodleAt = [&](QPointF centre, int kind) {
            painter.save();
            painter.translate(centre);
            painter.rotate(scatter.range(-20, 20));
            QPen pen(chalkColours[scatter.below(4)], scatter.range(3.2, 4.6), Qt::SolidLine, Qt::RoundCap,
                     Qt::RoundJoin);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            chalkDoodle(painter, kind, scatter.range(46, 64));
            painter.restore();
        };
        const double bandMiddle = kTrim + kSlate / 2.0;
        int kind = 0;
        for (double x = 100; x < outer.width() - 60; x += scatter.range(92, 120)) {
            doodleAt({x, bandMiddle + scatter.range(-8, 8)}, kind++);
            doodleAt({x + 40, outer.height() - bandMiddle + scatter.range(-8, 8)}, kind + 3);
        }
        for (double y = 230; y < outer.height() - 200; y += scatter.range(100, 130)) {
            doodleAt({bandMiddle + scatter.range(-8, 8), y}, kind++);
            doodleAt({outer.width() - bandMiddle + scatter.range(-8, 8), y + 50}, kind + 2);
        }
    }
    for (int y = 0; y < chalk.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(chalk.scanLine(y));
        for (int x = 0; x < chalk.width(); ++x) {
            if (qAlpha(row[x]) == 0)
                continue;
            const double grain =
                valueNoise(541, x / 1.3, y / 1.3) * 0.7 + valueNoise(547, x / 9.0, y / 9.0) * 0.5;
            const double keep = std::clamp(grain - 0.05, 0.0, 1.0) * 0.9;
            row[x] = qRgba(static_cast<int>(qRed(row[x]) * keep), static_cast<int>(qGreen(row[x]) * keep),
                           static_cast<int>(qBlue(row[x]) * keep), static_cast<int>(qAlpha(row[x]) * keep));
        }
    }
    {
        QPainter painter(&slate);
        painter.drawImage(0, 0, chalk);
    }

    paintMoulding(
        slate, outer, slateOuter, [](const MouldingPoint& p) { return trimProfile.at(p.t()); },
        [](const MouldingPoint& p, const Vec3& normal) {
            const QColor pine = woodGrain(p, 557, QColor(222, 178, 120), QColor(170, 116, 66));
            const double light = 0.42 + 0.72 * diffuseOf(normal);
            const double shine = highlightOf(normal, 20) * 40;
            return toRgb(pine.red() * light + shine, pine.green() * light + shine,
                         pine.blue() * light + shine);
        });
    {
        // A stick of chalk resting on the bottom rail.
        QPainter painter(&slate);
        smoothHints(painter);
        const QRectF stick(outer.width() - 250, outer.height() - 27, 74, 13);
        QPainterPath stickPath;
        stickPath.addRoundedRect(stick, 5, 5);
        dropShadow(painter, stickPath, {2, 3}, 3, 120, outer.width(), outer.height());
        QLinearGradient body(stick.topLeft(), stick.bottomLeft());
        body.setColorAt(0, QColor(255, 255, 252));
        body.setColorAt(0.6, QColor(236, 234, 226));
        body.setColorAt(1, QColor(200, 198, 190));
        painter.fillPath(stickPath, body);
    }
    return finishedFrame(QStringLiteral("Chalkboard"), slate, hole);
}

} // namespace starter
