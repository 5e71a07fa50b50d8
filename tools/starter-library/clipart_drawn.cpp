// Drawn cliparts: speech and thought bubbles, arrows, ribbons, badges, stars and hearts. Each is drawn
// with a soft shadow so it sits on any photo, then cropped to its content.

#include "art_kit.h"
#include "clipart_art.h"
#include "noise.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <functional>
#include <numbers>

namespace starter {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kCanvas = kClipartMaxSide;
const QColor kInk(46, 46, 58);

using ShapeDrawer = std::function<void(QPainter&)>;

// Draws `shape` (the outline that casts the shadow) and then `paint` on a clipart canvas of 256 × 256
// units, padded so the shadow is never cut; the result is cropped to its content and, should the shadow
// have pushed it past 256 pixels, fitted back into that.
StarterEntry drawnClipart(const QString& name, const QPainterPath& shape, const ShapeDrawer& paint) {
    constexpr int kPad = 16;
    QImage canvas = blankCanvas(kCanvas + 2 * kPad, kCanvas + 2 * kPad);
    QPainter painter(&canvas);
    smoothHints(painter);
    dropShadow(painter, shape.translated(kPad, kPad), {2.5, 4}, 5, 80, canvas.width(), canvas.height());
    painter.translate(kPad, kPad);
    paint(painter);
    painter.end();
    QImage cropped = croppedToContent(canvas, 2);
    if (cropped.width() > kClipartMaxSide || cropped.height() > kClipartMaxSide)
        cropped = croppedToContent(cropped.scaled(kClipartMaxSide - 4, kClipartMaxSide - 4,
                                                  Qt::KeepAspectRatio, Qt::SmoothTransformation),
                                   2);
    const QImage picture = straightAlpha(cropped);
    return {name, picture, picture, {}};
}

// A white fill with a faint cool gradient and a dark outline, as comic balloons are drawn.
void balloonFill(QPainter& painter, const QPainterPath& path, const QColor& top, const QColor& bottom) {
    const QRectF box = path.boundingRect();
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    painter.fillPath(path, fill);
    painter.setPen(QPen(kInk, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

QFont boldFont(int pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

void glossyHighlight(QPainter& painter, const QRectF& area) {
    QLinearGradient gloss(area.topLeft(), area.bottomLeft());
    gloss.setColorAt(0, QColor(255, 255, 255, 170));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gloss);
    painter.drawEllipse(area);
}

StarterEntry roundSpeechBubble() {
    QPainterPath bubble;
    bubble.addEllipse(QPointF(128, 104), 112, 80);
    QPainterPath tail;
    tail.moveTo(70, 160);
    tail.quadTo(66, 210, 36, 236);
    tail.quadTo(96, 222, 118, 178);
    tail.closeSubpath();
    const QPainterPath shape = bubble.united(tail).simplified();
    return drawnClipart(QStringLiteral("Speech bubble"), shape, [&](QPainter& painter) {
        balloonFill(painter, shape, QColor(255, 255, 255), QColor(232, 238, 246));
    });
}

StarterEntry squareSpeechBubble() {
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(14, 24, 228, 150), 30, 30);
    QPainterPath tail;
    tail.moveTo(150, 170);
    tail.lineTo(206, 236);
    tail.lineTo(186, 170);
    tail.closeSubpath();
    const QPainterPath shape = bubble.united(tail).simplified();
    return drawnClipart(QStringLiteral("Speech box"), shape, [&](QPainter& painter) {
        balloonFill(painter, shape, QColor(255, 252, 222), QColor(255, 236, 170));
    });
}

StarterEntry shoutBubble() {
    QPainterPath burst;
    Scatter scatter(1501);
    const QPointF centre(128, 124);
    for (int i = 0; i <= 28; ++i) {
        const double angle = i * kPi / 14;
        const double radius = (i % 2 ? 74 : 118) * (i % 2 ? 1 : scatter.range(0.86, 1.0));
        const QPointF point(centre.x() + radius * std::cos(angle),
                            centre.y() + radius * 0.8 * std::sin(angle));
        i == 0 ? burst.moveTo(point) : burst.lineTo(point);
    }
    burst.closeSubpath();
    return drawnClipart(QStringLiteral("Shout bubble"), burst, [&](QPainter& painter) {
        QRadialGradient fill(centre, 120);
        fill.setColorAt(0, QColor(255, 246, 120));
        fill.setColorAt(0.6, QColor(255, 210, 40));
        fill.setColorAt(1, QColor(255, 140, 30));
        painter.fillPath(burst, fill);
        painter.setPen(QPen(QColor(176, 30, 30), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(burst);
        painter.translate(centre);
        painter.rotate(-8);
        painter.setFont(boldFont(42));
        const QRectF box(-110, -60, 220, 120);
        painter.setPen(QColor(70, 20, 20, 140));
        painter.drawText(box.translated(2, 3), Qt::AlignCenter, QStringLiteral("WOW!"));
        painter.setPen(QColor(214, 36, 36));
        painter.drawText(box, Qt::AlignCenter, QStringLiteral("WOW!"));
    });
}

QPainterPath cloudPath(const std::vector<std::array<double, 3>>& puffs) {
    QPainterPath cloud;
    for (const auto& puff : puffs) {
        QPainterPath circle;
        circle.addEllipse(QPointF(puff[0], puff[1]), puff[2], puff[2]);
        cloud = cloud.united(circle);
    }
    return cloud.simplified();
}

StarterEntry thoughtBubble(const QString& name, const QColor& top, const QColor& bottom, bool mirrored) {
    std::vector<std::array<double, 3>> puffs = {{128, 90, 62},  {72, 104, 46}, {186, 104, 46},
                                                {100, 62, 40},  {160, 58, 42}, {44, 128, 30},
                                                {212, 130, 30}, {96, 138, 40}, {160, 138, 42}};
    QPainterPath shape = cloudPath(puffs);
    const double side = mirrored ? -1 : 1;
    const double trail[][3] = {
        {128 - side * 38, 196, 15}, {128 - side * 62, 222, 10}, {128 - side * 78, 242, 7}};
    QPainterPath dots;
    for (const auto& dot : trail)
        dots.addEllipse(QPointF(dot[0], dot[1]), dot[2], dot[2]);
    const QPainterPath all = shape.united(dots);
    return drawnClipart(name, all, [&](QPainter& painter) {
        balloonFill(painter, shape, top, bottom);
        for (const auto& dot : trail) {
            QPainterPath one;
            one.addEllipse(QPointF(dot[0], dot[1]), dot[2], dot[2]);
            balloonFill(painter, one, top, bottom);
        }
    });
}

StarterEntry curvedArrow() {
    QPainterPath arrow;
    arrow.moveTo(24, 200);
    arrow.cubicTo(40, 90, 120, 52, 178, 64);
    arrow.lineTo(172, 28);
    arrow.lineTo(236, 92);
    arrow.lineTo(156, 134);
    arrow.lineTo(168, 104);
    arrow.cubicTo(120, 96, 76, 126, 60, 210);
    arrow.closeSubpath();
    return drawnClipart(QStringLiteral("Curved arrow"), arrow, [&](QPainter& painter) {
        QLinearGradient fill(0, 30, 0, 210);
        fill.setColorAt(0, QColor(255, 96, 86));
        fill.setColorAt(1, QColor(196, 24, 40));
        painter.fillPath(arrow, fill);
        painter.setPen(QPen(QColor(130, 10, 24), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(arrow);
        QPainterPath shine;
        shine.moveTo(38, 180);
        shine.cubicTo(54, 100, 120, 70, 172, 76);
        painter.setPen(QPen(QColor(255, 255, 255, 120), 5, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(shine);
    });
}

StarterEntry boldArrow() {
    QPainterPath arrow;
    arrow.moveTo(14, 96);
    arrow.lineTo(150, 96);
    arrow.lineTo(150, 54);
    arrow.lineTo(242, 128);
    arrow.lineTo(150, 202);
    arrow.lineTo(150, 160);
    arrow.lineTo(14, 160);
    arrow.closeSubpath();
    return drawnClipart(QStringLiteral("Bold arrow"), arrow, [&](QPainter& painter) {
        QLinearGradient fill(0, 54, 0, 202);
        fill.setColorAt(0, QColor(96, 180, 255));
        fill.setColorAt(0.5, QColor(36, 120, 230));
        fill.setColorAt(1, QColor(20, 80, 180));
        painter.fillPath(arrow, fill);
        painter.setPen(QPen(QColor(14, 54, 130), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(arrow);
        painter.fillRect(QRectF(20, 102, 128, 14), QColor(255, 255, 255, 70));
    });
}

StarterEntry markerArrow() {
    // A quick swoosh with a loop, ending in an open arrowhead along its last direction.
    QPainterPath line;
    line.moveTo(18, 214);
    line.cubicTo(70, 226, 128, 200, 112, 158);
    line.cubicTo(100, 126, 62, 150, 84, 178);
    line.cubicTo(120, 218, 196, 150, 226, 58);
    const QPointF tip(226, 58);
    const double heading = std::atan2(58.0 - 150.0, 226.0 - 196.0);
    QPainterPath head;
    head.moveTo(tip - QPointF(std::cos(heading - 0.5), std::sin(heading - 0.5)) * 40);
    head.lineTo(tip);
    head.lineTo(tip - QPointF(std::cos(heading + 0.5), std::sin(heading + 0.5)) * 40);
    QPainterPathStroker stroker;
    stroker.setWidth(11);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    const QPainterPath shape = stroker.createStroke(line).united(stroker.createStroke(head));
    return drawnClipart(QStringLiteral("Marker arrow"), shape,
                        [&](QPainter& painter) { painter.fillPath(shape, QColor(30, 30, 36)); });
}

StarterEntry rosette() {
    const QPointF centre(128, 96);
    QPainterPath tails;
    tails.moveTo(100, 130);
    tails.lineTo(66, 246);
    tails.lineTo(90, 228);
    tails.lineTo(104, 250);
    tails.lineTo(126, 140);
    tails.closeSubpath();
    tails.moveTo(130, 140);
    tails.lineTo(152, 250);
    tails.lineTo(166, 228);
    tails.lineTo(190, 246);
    tails.lineTo(156, 130);
    tails.closeSubpath();
    QPainterPath pleats;
    for (int i = 0; i <= 48; ++i) {
        const double angle = i * kPi / 24;
        const double radius = i % 2 ? 80 : 90;
        const QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        i == 0 ? pleats.moveTo(point) : pleats.lineTo(point);
    }
    pleats.closeSubpath();
    const QPainterPath shape = tails.united(pleats);
    return drawnClipart(QStringLiteral("Award rosette"), shape, [&](QPainter& painter) {
        QLinearGradient ribbon(0, 130, 0, 250);
        ribbon.setColorAt(0, QColor(30, 90, 200));
        ribbon.setColorAt(1, QColor(20, 56, 140));
        painter.fillPath(tails, ribbon);
        painter.setPen(QPen(QColor(255, 214, 90), 2));
        painter.drawLine(QPointF(96, 150), QPointF(74, 236));
        painter.drawLine(QPointF(160, 150), QPointF(182, 236));
        QRadialGradient pleat(centre, 90);
        pleat.setColorAt(0.7, QColor(40, 110, 230));
        pleat.setColorAt(1, QColor(16, 60, 160));
        painter.fillPath(pleats, pleat);
        painter.setPen(QPen(QColor(12, 40, 110), 2));
        painter.drawPath(pleats);
        QRadialGradient medal(centre + QPointF(-14, -14), 70);
        medal.setColorAt(0, QColor(255, 240, 160));
        medal.setColorAt(0.6, QColor(236, 180, 50));
        medal.setColorAt(1, QColor(176, 120, 20));
        painter.setBrush(medal);
        painter.setPen(QPen(QColor(150, 100, 16), 3));
        painter.drawEllipse(centre, 58, 58);
        painter.setPen(QPen(QColor(255, 236, 150), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, 48, 48);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 250, 220));
        painter.drawPath(starPath(centre, 32, 13, 5));
    });
}

StarterEntry scrollBanner() {
    // The middle band with its two folded ends behind.
    QPainterPath front;
    front.moveTo(40, 90);
    front.quadTo(128, 70, 216, 90);
    front.lineTo(216, 146);
    front.quadTo(128, 126, 40, 146);
    front.closeSubpath();
    QPainterPath leftEnd;
    leftEnd.moveTo(4, 110);
    leftEnd.lineTo(56, 108);
    leftEnd.lineTo(56, 164);
    leftEnd.lineTo(4, 166);
    leftEnd.lineTo(24, 138);
    leftEnd.closeSubpath();
    QTransform mirror(-1, 0, 0, 1, 256, 0);
    const QPainterPath rightEnd = mirror.map(leftEnd);
    QPainterPath leftFold;
    leftFold.moveTo(40, 146);
    leftFold.lineTo(56, 164);
    leftFold.lineTo(56, 143);
    leftFold.closeSubpath();
    const QPainterPath rightFold = mirror.map(leftFold);
    const QPainterPath shape = front.united(leftEnd).united(rightEnd);
    return drawnClipart(QStringLiteral("Ribbon banner"), shape, [&](QPainter& painter) {
        painter.fillPath(leftEnd, QColor(170, 20, 40));
        painter.fillPath(rightEnd, QColor(170, 20, 40));
        painter.fillPath(leftFold, QColor(110, 10, 24));
        painter.fillPath(rightFold, QColor(110, 10, 24));
        QLinearGradient fill(0, 74, 0, 146);
        fill.setColorAt(0, QColor(250, 70, 80));
        fill.setColorAt(1, QColor(200, 24, 44));
        painter.fillPath(front, fill);
        painter.setPen(QPen(QColor(255, 220, 220, 150), 1.5, Qt::DashLine));
        QPainterPath stitchTop;
        stitchTop.moveTo(46, 96);
        stitchTop.quadTo(128, 77, 210, 96);
        QPainterPath stitchBottom;
        stitchBottom.moveTo(46, 139);
        stitchBottom.quadTo(128, 120, 210, 139);
        painter.drawPath(stitchTop);
        painter.drawPath(stitchBottom);
    });
}

StarterEntry starburstBadge() {
    const QPointF centre(128, 128);
    const QPainterPath burst = starPath(centre, 118, 98, 18);
    return drawnClipart(QStringLiteral("New badge"), burst, [&](QPainter& painter) {
        QRadialGradient fill(centre + QPointF(-20, -30), 140);
        fill.setColorAt(0, QColor(255, 90, 80));
        fill.setColorAt(1, QColor(196, 16, 32));
        painter.fillPath(burst, fill);
        painter.setPen(QPen(QColor(255, 255, 255, 200), 3, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, 84, 84);
        painter.setFont(boldFont(58));
        painter.setPen(QColor(255, 255, 255));
        painter.drawText(QRectF(0, 0, 256, 256), Qt::AlignCenter, QStringLiteral("NEW"));
    });
}

StarterEntry goldSeal() {
    const QPointF centre(128, 128);
    QPainterPath scallops;
    for (int i = 0; i < 24; ++i) {
        const double angle = i * kPi / 12;
        scallops.addEllipse(QPointF(centre.x() + 104 * std::cos(angle), centre.y() + 104 * std::sin(angle)),
                            16, 16);
    }
    scallops.addEllipse(centre, 106, 106);
    scallops.setFillRule(Qt::WindingFill);
    const QPainterPath seal = scallops.simplified();
    return drawnClipart(QStringLiteral("Best seal"), seal, [&](QPainter& painter) {
        QLinearGradient fill(0, 10, 0, 246);
        fill.setColorAt(0, QColor(255, 226, 120));
        fill.setColorAt(0.5, QColor(228, 170, 40));
        fill.setColorAt(1, QColor(170, 110, 16));
        painter.fillPath(seal, fill);
        painter.setPen(QPen(QColor(140, 90, 10), 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(seal);
        painter.setPen(QPen(QColor(255, 244, 190), 3));
        painter.drawEllipse(centre, 84, 84);
        painter.setPen(QPen(QColor(150, 98, 14), 2));
        painter.drawEllipse(centre, 78, 78);
        painter.setFont(boldFont(50));
        painter.setPen(QColor(110, 66, 6));
        painter.drawText(QRectF(0, 2, 256, 256), Qt::AlignCenter, QStringLiteral("BEST"));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(120, 74, 8));
        for (const double x : {92.0, 128.0, 164.0})
            painter.drawPath(starPath(QPointF(x, x == 128 ? 78 : 84), 10, 4, 5));
        glossyHighlight(painter, QRectF(60, 40, 136, 60));
    });
}

StarterEntry giftTag() {
    QPainterPath tag;
    tag.moveTo(64, 60);
    tag.lineTo(236, 60);
    tag.quadTo(246, 60, 246, 70);
    tag.lineTo(246, 170);
    tag.quadTo(246, 180, 236, 180);
    tag.lineTo(64, 180);
    tag.lineTo(14, 120);
    tag.closeSubpath();
    QPainterPath eyelet;
    eyelet.addEllipse(QPointF(52, 120), 9, 9);
    const QPainterPath card = tag.subtracted(eyelet);
    return drawnClipart(QStringLiteral("Gift tag"), card, [&](QPainter& painter) {
        QLinearGradient fill(0, 60, 0, 180);
        fill.setColorAt(0, QColor(252, 236, 206));
        fill.setColorAt(1, QColor(232, 204, 160));
        painter.fillPath(card, fill);
        painter.setPen(QPen(QColor(160, 110, 60), 2.5));
        painter.drawPath(card);
        painter.setPen(QPen(QColor(200, 40, 60), 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QPointF(52, 120), 12, 12);
        QPainterPath string;
        string.moveTo(48, 110);
        string.cubicTo(30, 70, 10, 40, 30, 8);
        painter.drawPath(string);
        painter.setFont(boldFont(30));
        painter.setPen(QColor(176, 36, 56));
        painter.drawText(QRectF(70, 60, 170, 120), Qt::AlignCenter, QStringLiteral("FOR YOU"));
    });
}

StarterEntry facetedStar() {
    const QPointF centre(128, 132);
    const QPainterPath star = starPath(centre, 120, 50, 5);
    return drawnClipart(QStringLiteral("Gold star"), star, [&](QPainter& painter) {
        // Each point is two facets, one lit and one in shade.
        for (int i = 0; i < 10; ++i) {
            const double a0 = -kPi / 2 + i * kPi / 5;
            const double a1 = -kPi / 2 + (i + 1) * kPi / 5;
            const double r0 = i % 2 ? 50 : 120;
            const double r1 = i % 2 ? 120 : 50;
            QPainterPath facet;
            facet.moveTo(centre);
            facet.lineTo(centre + QPointF(r0 * std::cos(a0), r0 * std::sin(a0)));
            facet.lineTo(centre + QPointF(r1 * std::cos(a1), r1 * std::sin(a1)));
            facet.closeSubpath();
            const double middle = (a0 + a1) / 2;
            const double light = 0.5 + 0.5 * std::cos(middle - (-kPi * 0.75));
            painter.fillPath(facet, mix(QColor(214, 140, 10), QColor(255, 236, 120), light));
        }
        painter.setPen(QPen(QColor(170, 100, 6), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(star);
    });
}

StarterEntry shootingStar() {
    const QPointF centre(176, 80);
    const QPainterPath star = starPath(centre, 66, 28, 5, -kPi / 2 + 0.2);
    QPainterPath trail;
    trail.moveTo(150, 70);
    trail.quadTo(70, 140, 8, 236);
    trail.quadTo(96, 170, 184, 116);
    trail.closeSubpath();
    // Only the star casts a shadow: the trail is light.
    return drawnClipart(QStringLiteral("Shooting star"), star, [&](QPainter& painter) {
        QLinearGradient fade(8, 236, 170, 90);
        fade.setColorAt(0, QColor(255, 120, 200, 0));
        fade.setColorAt(0.5, QColor(255, 150, 90, 150));
        fade.setColorAt(1, QColor(255, 220, 90, 230));
        painter.fillPath(trail, fade);
        QRadialGradient fill(centre + QPointF(-12, -16), 80);
        fill.setColorAt(0, QColor(255, 252, 200));
        fill.setColorAt(0.6, QColor(255, 210, 50));
        fill.setColorAt(1, QColor(240, 150, 20));
        painter.fillPath(star, fill);
        painter.setPen(QPen(QColor(190, 110, 10), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(star);
        Scatter scatter(1601);
        painter.setPen(Qt::NoPen);
        for (int i = 0; i < 14; ++i) {
            const double t = scatter.range(0.1, 0.9);
            const QPointF point(150 - 142 * t + scatter.range(-14, 14),
                                70 + 166 * t + scatter.range(-14, 14));
            painter.setBrush(QColor(255, 255, 230, 220));
            painter.drawPath(starPath(point, scatter.range(3, 7), 1.6, 4));
        }
    });
}

StarterEntry glossyHeart() {
    const QPainterPath heart = heartPath(QPointF(128, 128), 236);
    return drawnClipart(QStringLiteral("Glossy heart"), heart, [&](QPainter& painter) {
        QRadialGradient fill(QPointF(100, 90), 190);
        fill.setColorAt(0, QColor(255, 110, 130));
        fill.setColorAt(0.6, QColor(226, 20, 56));
        fill.setColorAt(1, QColor(150, 6, 30));
        painter.fillPath(heart, fill);
        painter.setPen(QPen(QColor(130, 0, 24), 2.5));
        painter.drawPath(heart);
        painter.save();
        painter.translate(78, 68);
        painter.rotate(-30);
        glossyHighlight(painter, QRectF(-34, -16, 68, 38));
        painter.restore();
    });
}

} // namespace

std::vector<EntryRecipe> drawnClipartRecipes() {
    return {roundSpeechBubble,
            squareSpeechBubble,
            shoutBubble,
            [] {
                return thoughtBubble(QStringLiteral("Thought bubble"), QColor(255, 255, 255),
                                     QColor(230, 236, 246), false);
            },
            [] {
                return thoughtBubble(QStringLiteral("Dreamy thought"), QColor(255, 236, 246),
                                     QColor(236, 214, 255), true);
            },
            curvedArrow,
            boldArrow,
            markerArrow,
            rosette,
            scrollBanner,
            starburstBadge,
            goldSeal,
            giftTag,
            facetedStar,
            shootingStar,
            glossyHeart};
}

} // namespace starter
