// Frames with printed or scattered decoration: a strip of film and a confetti party card.

#include "art_kit.h"
#include "frame_art.h"
#include "noise.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace starter {

namespace {

constexpr double kPi = std::numbers::pi;

// Bright party colours shared by the confetti frame.
const QColor kParty[] = {QColor(255, 82, 110), QColor(255, 196, 40),  QColor(56, 196, 150),
                         QColor(60, 150, 255), QColor(170, 100, 240), QColor(255, 130, 40),
                         QColor(255, 120, 200)};

} // namespace

StarterEntry filmStripFrame() {
    const int width = kFrameLong;
    const int height = kFrameShort;
    const QRect hole(120, 120, 720, 480);
    QImage canvas = blankCanvas(width, height);
    QPainter painter(&canvas);
    smoothHints(painter);
    QLinearGradient base(0, 0, 0, height);
    base.setColorAt(0, QColor(34, 30, 27));
    base.setColorAt(0.5, QColor(20, 18, 17));
    base.setColorAt(1, QColor(32, 28, 25));
    painter.fillRect(QRect(0, 0, width, height), base);
    // The neighbouring exposures, cut off by the picture's edges.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(52, 44, 38));
    painter.drawRoundedRect(QRectF(-640, hole.top(), 740, hole.height()), 8, 8);
    painter.drawRoundedRect(QRectF(hole.right() + 21, hole.top(), 740, hole.height()), 8, 8);
    painter.end();
    addGrain(canvas, 1003, 1.5, 0.3, 1, 2);
    painter.begin(&canvas);
    smoothHints(painter);
    // Sprocket holes, lit from behind as on a light box.
    const QColor backlight(246, 242, 232, 214);
    for (double x = 12; x < width; x += 64) {
        for (const double y : {38.0, static_cast<double>(height - 38 - 46)}) {
            QPainterPath sprocket;
            sprocket.addRoundedRect(QRectF(x, y, 34, 46), 6, 6);
            painter.fillPath(sprocket, backlight);
        }
    }
    // Edge print.
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setBold(true);
    font.setPixelSize(18);
    painter.setFont(font);
    painter.setPen(QColor(236, 150, 52));
    for (int frame = 0; frame < 3; ++frame) {
        const double x = hole.left() - 260 + frame * 370;
        painter.drawText(QPointF(x + 150, 108), QStringLiteral("%1").arg(11 + frame));
        painter.drawText(QPointF(x + 230, 108), QStringLiteral("▶ %1A").arg(11 + frame));
        painter.drawText(QPointF(x + 120, height - 96), QStringLiteral("PV 400"));
    }
    painter.end();
    return finishedFrame(QStringLiteral("Film strip"), canvas, hole);
}

StarterEntry confettiFrame() {
    const int width = kFrameShort;
    const int height = kFrameLong;
    const QRect hole = centredHole(width, height, 90, 90);
    QImage canvas = blankCanvas(width, height);
    QPainter painter(&canvas);
    smoothHints(painter);
    QLinearGradient card(0, 0, width, height);
    card.setColorAt(0, QColor(255, 246, 236));
    card.setColorAt(1, QColor(246, 240, 255));
    painter.fillRect(QRect(0, 0, width, height), card);

    QPainterPath border;
    border.addRect(QRectF(0, 0, width, height));
    QPainterPath opening;
    opening.addRect(QRectF(hole).adjusted(-12, -12, 12, 12));
    painter.setClipPath(border.subtracted(opening));

    Scatter scatter(1101);
    // Curled streamers first, so the confetti lies on them.
    for (int i = 0; i < 10; ++i) {
        const bool horizontal = i < 6;
        const double along = scatter.range(0, horizontal ? width : height);
        const double edge = scatter.range(16, 70);
        const QPointF start = horizontal ? QPointF(along, i % 2 ? edge : height - edge)
                                         : QPointF(i % 2 ? edge : width - edge, along);
        QPainterPath streamer;
        streamer.moveTo(start);
        double angle = scatter.range(0, 2 * kPi);
        QPointF point = start;
        for (int step = 0; step < 40; ++step) {
            angle += 0.35 + 0.1 * std::sin(step * 0.7);
            point += QPointF(std::cos(angle) * 6 + (horizontal ? 3 : 0),
                             std::sin(angle) * 6 + (horizontal ? 0 : 3));
            streamer.lineTo(point);
        }
        const QColor colour = kParty[scatter.below(7)];
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0, 0, 0, 40), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(streamer.translated(1.5, 2.5));
        painter.setPen(QPen(colour, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(streamer);
        painter.setPen(QPen(colour.lighter(135), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(streamer.translated(-0.8, -0.8));
    }
    // Confetti: paper rectangles, dots and little stars, each with a soft contact shadow.
    for (int i = 0; i < 760; ++i) {
        const QPointF centre(scatter.range(0, width), scatter.range(0, height));
        const QColor colour = kParty[scatter.below(7)];
        const double size = scatter.range(10, 22);
        QPainterPath piece;
        switch (scatter.below(4)) {
        case 0:
        case 1:
            piece.addRect(QRectF(-size / 2, -size / 4, size, size / 2));
            break;
        case 2:
            piece.addEllipse(QPointF(0, 0), size / 2.6, size / 2.6);
            break;
        default:
            for (int k = 0; k <= 10; ++k) {
                const double a = -kPi / 2 + k * kPi / 5;
                const double r = (k % 2 ? 0.22 : 0.55) * size;
                k == 0 ? piece.moveTo(r * std::cos(a), r * std::sin(a))
                       : piece.lineTo(r * std::cos(a), r * std::sin(a));
            }
            break;
        }
        QTransform place;
        place.translate(centre.x(), centre.y());
        place.rotate(scatter.range(0, 360));
        const QPainterPath placed = place.map(piece);
        painter.fillPath(placed.translated(1.2, 2), QColor(0, 0, 0, 36));
        QLinearGradient sheen(placed.boundingRect().topLeft(), placed.boundingRect().bottomRight());
        sheen.setColorAt(0, colour.lighter(118));
        sheen.setColorAt(1, colour.darker(112));
        painter.fillPath(placed, sheen);
    }
    painter.setClipping(false);
    // A white inner mat with a gold rule frames the photo.
    painter.fillRect(QRectF(hole).adjusted(-12, -12, 12, 12), QColor(255, 255, 255));
    painter.setPen(QPen(QColor(214, 170, 70), 2.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(hole).adjusted(-6.5, -6.5, 6.5, 6.5));
    painter.end();
    return finishedFrame(QStringLiteral("Confetti party"), canvas, hole);
}

} // namespace starter
