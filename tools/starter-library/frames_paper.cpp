// Frames of paper and card: an instant photo, a rounded card, torn paper, a postage stamp and an aged
// cabinet-card mount.

#include "art_kit.h"
#include "frame_art.h"
#include "noise.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace starter {

namespace {

constexpr double kPi = std::numbers::pi;

// Fibres and a faint mottle, as in uncoated card.
void paperTexture(QImage& canvas, std::uint32_t seed, double strength) {
    addGrain(canvas, seed, 1.8, strength, 1, 2);
    addGrain(canvas, seed + 1, 3.0, strength * 0.9, 6, 3);
    addGrain(canvas, seed + 2, 90, strength * 0.6, 1, 3);
}

QPainterPath rectPath(const QRectF& rect) {
    QPainterPath path;
    path.addRect(rect);
    return path;
}

// Darkens the rectangle's surroundings a little on the side away from the light, as a shallow cut would.
void cutShadow(QPainter& painter, const QRect& hole, int depth) {
    for (int i = 0; i < depth; ++i) {
        const int alpha = 34 * (depth - i) / depth;
        painter.fillRect(QRect(hole.left() - i - 1, hole.top() - i - 1, hole.width() + 2 * i + 2, 1),
                         QColor(0, 0, 0, alpha));
        painter.fillRect(QRect(hole.left() - i - 1, hole.top() - i, 1, hole.height() + 2 * i + 1),
                         QColor(0, 0, 0, alpha));
        painter.fillRect(QRect(hole.left() - i - 1, hole.bottom() + i + 1, hole.width() + 2 * i + 2, 1),
                         QColor(255, 255, 255, alpha));
        painter.fillRect(QRect(hole.right() + i + 1, hole.top() - i, 1, hole.height() + 2 * i + 1),
                         QColor(255, 255, 255, alpha));
    }
}

} // namespace

StarterEntry instantPhotoFrame() {
    // The card's wide lower margin would put the opening off centre, so the card hangs low in the picture
    // and a strip of tape fills the space above it.
    const int width = kFrameShort;
    const int height = kFrameLong;
    const QRect hole(80, 200, 560, 560);
    const QRectF card(20, 150, 680, 780);
    QImage canvas = blankCanvas(width, height);
    QPainter painter(&canvas);
    smoothHints(painter);
    QPainterPath cardPath;
    cardPath.addRoundedRect(card, 6, 6);
    dropShadow(painter, cardPath, {0, 7}, 16, 96, width, height);
    QLinearGradient face(card.topLeft(), card.bottomRight());
    face.setColorAt(0, QColor(252, 252, 249));
    face.setColorAt(1, QColor(240, 239, 233));
    painter.fillPath(cardPath, face);
    painter.end();
    paperTexture(canvas, 601, 0.05);

    painter.begin(&canvas);
    smoothHints(painter);
    cutShadow(painter, hole, 3);
    // Translucent tape with torn ends, across the card's top edge.
    painter.translate(width / 2.0, 150);
    painter.rotate(-3.5);
    QPainterPath tape;
    const double half = 92;
    const double tapeTop = -44;
    const double tapeBottom = 30;
    tape.moveTo(-half, tapeTop);
    tape.lineTo(half, tapeTop);
    Scatter scatter(607);
    for (double y = tapeTop + 5; y < tapeBottom; y += 5)
        tape.lineTo(half + scatter.range(-4, 3), y);
    tape.lineTo(half, tapeBottom);
    tape.lineTo(-half, tapeBottom);
    for (double y = tapeBottom - 5; y > tapeTop; y -= 5)
        tape.lineTo(-half + scatter.range(-3, 4), y);
    tape.closeSubpath();
    QPainterPath tapeShadow = tape.translated(0, 2);
    painter.fillPath(tapeShadow, QColor(0, 0, 0, 22));
    QLinearGradient tapeFill(0, tapeTop, 0, tapeBottom);
    tapeFill.setColorAt(0, QColor(246, 238, 206, 196));
    tapeFill.setColorAt(0.5, QColor(252, 248, 226, 178));
    tapeFill.setColorAt(1, QColor(240, 232, 200, 200));
    painter.fillPath(tape, tapeFill);
    painter.end();
    return finishedFrame(QStringLiteral("Instant photo"), canvas, hole);
}

StarterEntry roundedCardFrame() {
    const int width = kFrameLong;
    const int height = kFrameShort;
    const QRectF card(40, 36, width - 80, height - 72);
    const QRect hole = centredHole(width, height, 96, 92);
    QImage canvas = blankCanvas(width, height);
    QPainter painter(&canvas);
    smoothHints(painter);
    QPainterPath cardPath;
    cardPath.addRoundedRect(card, 34, 34);
    dropShadow(painter, cardPath, {0, 10}, 22, 120, width, height);
    dropShadow(painter, cardPath, {0, 2}, 4, 60, width, height);
    QLinearGradient face(card.topLeft(), card.bottomLeft());
    face.setColorAt(0, QColor(255, 255, 255));
    face.setColorAt(1, QColor(244, 245, 247));
    painter.fillPath(cardPath, face);
    painter.end();
    addGrain(canvas, 613, 60, 0.02, 1, 3);
    painter.begin(&canvas);
    cutShadow(painter, hole, 5);
    painter.setPen(QColor(214, 216, 220));
    painter.drawRect(hole.adjusted(-1, -1, 0, 0));
    painter.end();
    return finishedFrame(QStringLiteral("Rounded card"), canvas, hole);
}

StarterEntry tornPaperFrame() {
    const int width = kFrameLong;
    const int height = kFrameShort;
    const QRect hole = centredHole(width, height, 96, 96);
    const QRectF sheet(34, 34, width - 68, height - 68);
    // The outline walks round the sheet in small steps, pushed in and out by two scales of noise.
    auto tornOutline = [&](std::uint32_t seed, double grow, double roughness) {
        QPainterPath path;
        const double perimeter = 2 * (sheet.width() + sheet.height());
        bool first = true;
        for (double s = 0; s < perimeter; s += 2.5) {
            QPointF point;
            QPointF outward;
            if (s < sheet.width()) {
                point = {sheet.left() + s, sheet.top()};
                outward = {0, -1};
            } else if (s < sheet.width() + sheet.height()) {
                point = {sheet.right(), sheet.top() + s - sheet.width()};
                outward = {1, 0};
            } else if (s < 2 * sheet.width() + sheet.height()) {
                point = {sheet.right() - (s - sheet.width() - sheet.height()), sheet.bottom()};
                outward = {0, 1};
            } else {
                point = {sheet.left(), sheet.bottom() - (s - 2 * sheet.width() - sheet.height())};
                outward = {-1, 0};
            }
            const double offset = grow + 22 * (fractalNoise(seed, s / 60, 0.5, 4) - 0.5) +
                                  roughness * (valueNoise(seed + 9, s / 2.2, 3.5) - 0.5);
            const QPointF moved = point + outward * offset;
            first ? path.moveTo(moved) : path.lineTo(moved);
            first = false;
        }
        path.closeSubpath();
        return path;
    };
    const QPainterPath fibres = tornOutline(701, 3.5, 7);
    const QPainterPath paper = tornOutline(701, 0, 3);
    QImage canvas = blankCanvas(width, height);
    QPainter painter(&canvas);
    smoothHints(painter);
    dropShadow(painter, paper, {3, 6}, 10, 110, width, height);
    // A whiter fringe of loose fibres where the sheet was torn, then the printed face.
    painter.fillPath(fibres, QColor(255, 255, 253, 200));
    painter.fillPath(paper, QColor(246, 240, 226));
    painter.end();
    paperTexture(canvas, 709, 0.07);
    painter.begin(&canvas);
    cutShadow(painter, hole, 3);
    painter.end();
    return finishedFrame(QStringLiteral("Torn paper"), canvas, hole);
}

StarterEntry stampFrame() {
    const int width = kFrameShort;
    const int height = kFrameLong;
    const QRectF paperRect(40, 40, width - 80, height - 80);
    const QRect band(70, 70, width - 140, height - 140);
    const QRect hole = centredHole(width, height, 126, 126);
    // Perforations: the sheet less a row of round bites along every edge.
    QPainterPath paper = rectPath(paperRect);
    QPainterPath bites;
    constexpr double kPitch = 32;
    constexpr double kRadius = 10.5;
    for (double x = paperRect.left(); x <= paperRect.right() + 1;
         x += (paperRect.width()) / std::round(paperRect.width() / kPitch)) {
        bites.addEllipse(QPointF(x, paperRect.top()), kRadius, kRadius);
        bites.addEllipse(QPointF(x, paperRect.bottom()), kRadius, kRadius);
    }
    for (double y = paperRect.top(); y <= paperRect.bottom() + 1;
         y += (paperRect.height()) / std::round(paperRect.height() / kPitch)) {
        bites.addEllipse(QPointF(paperRect.left(), y), kRadius, kRadius);
        bites.addEllipse(QPointF(paperRect.right(), y), kRadius, kRadius);
    }
    paper = paper.subtracted(bites);

    QImage canvas = blankCanvas(width, height);
    QPainter painter(&canvas);
    smoothHints(painter);
    dropShadow(painter, paper, {2, 5}, 8, 100, width, height);
    painter.fillPath(paper, QColor(250, 248, 240));
    // The printed border: deep red with a fine engraved wave pattern.
    const QColor ink(176, 40, 46);
    painter.fillRect(band, ink);
    painter.save();
    painter.setClipRect(band);
    painter.setPen(QPen(QColor(222, 92, 92, 150), 1.1));
    for (int line = -40; line < band.height() + 40; line += 7) {
        QPainterPath wave;
        for (int x = band.left(); x <= band.right(); x += 4) {
            const double y = band.top() + line + 3.5 * std::sin(x * 0.09 + line * 0.3);
            x == band.left() ? wave.moveTo(x, y) : wave.lineTo(x, y);
        }
        painter.drawPath(wave);
    }
    painter.restore();
    painter.setPen(QPen(QColor(250, 240, 228), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(band).adjusted(8, 8, -8, -8));
    painter.drawRect(QRectF(hole).adjusted(-5, -5, 5, 5));
    // Denomination and country line in the band.
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setBold(true);
    font.setPixelSize(34);
    painter.setFont(font);
    painter.setPen(QColor(252, 244, 232));
    painter.drawText(QRectF(band.left() + 14, band.bottom() - 54, 120, 46), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("50¢"));
    font.setPixelSize(22);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    painter.setFont(font);
    painter.drawText(QRectF(band.left(), band.top() + 12, band.width(), 40), Qt::AlignCenter,
                     QStringLiteral("PICTOVANCE POST"));
    painter.end();
    paperTexture(canvas, 803, 0.06);

    // A cancellation mark across the top right corner, in the border only.
    painter.begin(&canvas);
    smoothHints(painter);
    QPainterPath border = paper;
    border = border.subtracted(rectPath(QRectF(hole).adjusted(-2, -2, 2, 2)));
    painter.setClipPath(border);
    const QColor postmark(32, 36, 48, 150);
    painter.setPen(QPen(postmark, 3.5));
    const QPointF centre(width - 128, 150);
    painter.drawEllipse(centre, 66, 66);
    painter.drawEllipse(centre, 50, 50);
    for (int line = 0; line < 4; ++line) {
        QPainterPath wave;
        const double y = centre.y() - 33 + line * 22;
        wave.moveTo(centre.x() - 290, y);
        for (int step = 1; step <= 12; ++step)
            wave.quadTo(centre.x() - 290 + (step - 0.5) * 18, y + (step % 2 ? -9 : 9),
                        centre.x() - 290 + step * 18, y);
        painter.drawPath(wave);
    }
    QFont markFont(QStringLiteral("DejaVu Sans"));
    markFont.setBold(true);
    markFont.setPixelSize(17);
    painter.setFont(markFont);
    painter.setPen(postmark);
    painter.drawText(QRectF(centre.x() - 50, centre.y() - 14, 100, 28), Qt::AlignCenter,
                     QStringLiteral("12 JUN"));
    painter.end();
    return finishedFrame(QStringLiteral("Postage stamp"), canvas, hole);
}

StarterEntry vintageFrame() {
    const int width = kFrameLong;
    const int height = kFrameShort;
    const QRect hole = centredHole(width, height, 100, 100);
    QImage canvas = blankCanvas(width, height);
    QPainter painter(&canvas);
    smoothHints(painter);
    QPainterPath mount;
    mount.addRoundedRect(QRectF(4, 4, width - 8, height - 8), 20, 20);
    dropShadow(painter, mount, {0, 4}, 6, 120, width, height);
    painter.fillPath(mount, QColor(214, 190, 150));
    painter.end();

    // Age: the card darkens and warms towards its edges, with foxing spots and a mottled stain.
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(canvas.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int alpha = qAlpha(row[x]);
            if (alpha == 0)
                continue;
            const double dx = (x + 0.5 - width / 2.0) / (width / 2.0);
            const double dy = (y + 0.5 - height / 2.0) / (height / 2.0);
            const double edge = square(square(std::max(std::abs(dx), std::abs(dy)))) *
                                    std::max(std::abs(dx), std::abs(dy)) * 0.6 +
                                cube(std::hypot(dx, dy) / 1.414) * 0.35;
            const double stain = fractalNoise(901, x / 70.0, y / 70.0, 4);
            const double spots = fractalNoise(907, x / 7.0, y / 7.0, 3);
            const double foxing = spots > 0.72 ? std::min(1.0, (spots - 0.72) * 6) * stain : 0;
            const double burn = std::clamp(edge * (0.8 + 0.6 * stain) + foxing * 0.3, 0.0, 1.0);
            const QColor aged = mix(QColor::fromRgba(row[x]), QColor(96, 58, 30, alpha), burn);
            row[x] = qPremultiply(aged.rgba());
        }
    }
    paperTexture(canvas, 911, 0.08);

    painter.begin(&canvas);
    smoothHints(painter);
    // Gilt rules and a raised bevel round the opening.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(186, 146, 70), 2.2));
    painter.drawRect(QRectF(hole).adjusted(-28, -28, 28, 28));
    painter.setPen(QPen(QColor(186, 146, 70), 1.2));
    painter.drawRect(QRectF(hole).adjusted(-22, -22, 22, 22));
    for (int i = 0; i < 5; ++i) {
        const QColor lit(255, 246, 220, 130 - i * 20);
        const QColor dark(60, 36, 16, 110 - i * 18);
        painter.fillRect(QRect(hole.left() - 1 - i, hole.bottom() + 1 + i, hole.width() + 2 + 2 * i, 1), lit);
        painter.fillRect(QRect(hole.right() + 1 + i, hole.top() - 1 - i, 1, hole.height() + 2 + 2 * i), lit);
        painter.fillRect(QRect(hole.left() - 1 - i, hole.top() - 1 - i, hole.width() + 2 + 2 * i, 1), dark);
        painter.fillRect(QRect(hole.left() - 1 - i, hole.top() - i, 1, hole.height() + 2 * i + 1), dark);
    }
    // Corner flourishes in the gilt colour.
    painter.setPen(QPen(QColor(176, 136, 62), 1.8, Qt::SolidLine, Qt::RoundCap));
    const QRectF rules = QRectF(hole).adjusted(-28, -28, 28, 28);
    const QPointF corners[] = {rules.topLeft(), rules.topRight(), rules.bottomRight(), rules.bottomLeft()};
    for (int c = 0; c < 4; ++c) {
        painter.save();
        painter.translate(corners[c]);
        painter.rotate(90 * c);
        QPainterPath flourish;
        flourish.moveTo(-4, -4);
        flourish.cubicTo(-30, -8, -40, -30, -22, -40);
        flourish.cubicTo(-10, -46, -4, -30, -16, -26);
        flourish.moveTo(-4, -4);
        flourish.cubicTo(-8, -30, -30, -40, -40, -22);
        flourish.cubicTo(-46, -10, -30, -4, -26, -16);
        painter.drawPath(flourish);
        painter.drawEllipse(QPointF(-44, -44), 3, 3);
        painter.restore();
    }
    painter.end();
    return finishedFrame(QStringLiteral("Vintage mount"), canvas, hole);
}

} // namespace starter
