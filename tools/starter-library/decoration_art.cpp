#include "decoration_art.h"

#include "art_kit.h"
#include "noise.h"
#include "resources/package_writer.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace starter {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kW = kDecorationWidth;
constexpr int kH = kDecorationHeight;

const QColor kParty[] = {QColor(255, 82, 110), QColor(255, 196, 40),  QColor(56, 196, 150),
                         QColor(60, 150, 255), QColor(170, 100, 240), QColor(255, 130, 40),
                         QColor(255, 120, 200)};

StarterEntry decorationEntry(const QString& name, const QImage& canvas) {
    StarterEntry entry;
    entry.name = name;
    entry.picture = straightAlpha(canvas);
    // Over a neutral grey rather than a photo or a coloured backdrop, so that only the design has colour.
    // Fine lines and specks fade when 1600 pixels become 56, so the reduced overlay is laid twice.
    const QImage small = resources::fittedThumbnail(canvas, kThumbnailBox);
    QImage shown(small.size(), QImage::Format_ARGB32_Premultiplied);
    shown.fill(QColor(136, 136, 136));
    {
        QPainter painter(&shown);
        painter.drawImage(0, 0, small);
        painter.drawImage(0, 0, small);
    }
    entry.thumbnail = shown.convertToFormat(QImage::Format_ARGB32);
    return entry;
}

// A polygon around a polyline whose width runs from `startWidth` to `endWidth`, with round ends.
QPainterPath taperedStroke(const std::vector<QPointF>& points, double startWidth, double endWidth) {
    QPainterPath path;
    if (points.size() < 2)
        return path;
    std::vector<QPointF> left;
    std::vector<QPointF> right;
    const std::size_t count = points.size();
    for (std::size_t i = 0; i < count; ++i) {
        const QPointF before = points[i == 0 ? 0 : i - 1];
        const QPointF after = points[i + 1 < count ? i + 1 : i];
        QPointF direction = after - before;
        const double length = std::hypot(direction.x(), direction.y());
        direction = length > 0 ? direction / length : QPointF(1, 0);
        const QPointF normal(-direction.y(), direction.x());
        const double width = startWidth + (endWidth - startWidth) * static_cast<double>(i) / (count - 1);
        left.push_back(points[i] + normal * width / 2);
        right.push_back(points[i] - normal * width / 2);
    }
    path.moveTo(left.front());
    for (const QPointF& point : left)
        path.lineTo(point);
    for (auto it = right.rbegin(); it != right.rend(); ++it)
        path.lineTo(*it);
    path.closeSubpath();
    path.addEllipse(points.front(), startWidth / 2, startWidth / 2);
    path.addEllipse(points.back(), endWidth / 2 + 0.5, endWidth / 2 + 0.5);
    path.setFillRule(Qt::WindingFill);
    return path;
}

// A curve that starts at `start` heading at `angle` and curls ever tighter: the curvature grows along it.
std::vector<QPointF> scrollCurve(QPointF start, double angle, double length, double curl) {
    std::vector<QPointF> points{start};
    constexpr int kSteps = 120;
    const double step = length / kSteps;
    QPointF point = start;
    for (int i = 1; i <= kSteps; ++i) {
        const double s = static_cast<double>(i) / kSteps;
        angle += curl * step * (0.002 + 0.045 * s * s * s);
        point += QPointF(std::cos(angle), std::sin(angle)) * step;
        points.push_back(point);
    }
    return points;
}

QPainterPath leafAt(QPointF base, double angle, double size) {
    QPainterPath leaf;
    leaf.moveTo(0, 0);
    leaf.cubicTo(size * 0.3, -size * 0.32, size * 0.75, -size * 0.22, size, 0);
    leaf.cubicTo(size * 0.75, size * 0.22, size * 0.3, size * 0.32, 0, 0);
    QTransform place;
    place.translate(base.x(), base.y());
    place.rotateRadians(angle);
    return place.map(leaf);
}

// Gold filigree for the top-left corner; the other corners are its mirror images.
QPainterPath cornerFiligree() {
    QPainterPath ornament;
    ornament.setFillRule(Qt::WindingFill);
    for (int mirrored = 0; mirrored < 2; ++mirrored) {
        auto flip = [mirrored](QPointF p) { return mirrored ? QPointF(p.y(), p.x()) : p; };
        auto flipAll = [&](std::vector<QPointF> points) {
            for (QPointF& p : points)
                p = flip(p);
            return points;
        };
        // A long scroll along the edge curling down at its end, a shorter one curling back, and leaves
        // sprouting from the long one.
        const std::vector<QPointF> main = flipAll(scrollCurve({58, 44}, 0.02, 380, 1.0));
        ornament.addPath(taperedStroke(main, 13, 3.5));
        ornament.addPath(taperedStroke(flipAll(scrollCurve({150, 56}, 0.5, 160, -1.1)), 8, 2.5));
        ornament.addPath(taperedStroke(flipAll(scrollCurve({70, 78}, 0.9, 150, 1.0)), 9, 2.5));
        const std::size_t sprouts[] = {22, 44, 66, 86};
        for (std::size_t k = 0; k < 4; ++k) {
            const QPointF at = main[sprouts[k]];
            const QPointF along = main[sprouts[k] + 1] - main[sprouts[k] - 1];
            const double side = (k % 2 ? 1 : -1) * (mirrored ? -1 : 1);
            const double angle = std::atan2(along.y(), along.x()) + side * 0.8;
            ornament.addPath(leafAt(at, angle, 40 - 5 * static_cast<double>(k)));
        }
        // A fine rule along the edge, ending in two pearls.
        ornament.addPath(taperedStroke(flipAll({{40, 18}, {260, 18}, {500, 18}}), 5, 1.5));
        ornament.addEllipse(flip(QPointF(512, 18)), 5, 5);
        ornament.addEllipse(flip(QPointF(528, 18)), 3.5, 3.5);
        // An inner scroll curling the other way.
        ornament.addPath(taperedStroke(flipAll(scrollCurve({110, 110}, 0.2, 170, -1.2)), 6, 2));
    }
    // The heart of the corner: a rosette of petals and a pearl.
    for (int petal = 0; petal < 5; ++petal)
        ornament.addPath(leafAt({40, 40}, kPi / 4 + (petal - 2) * 0.55, 56));
    ornament.addEllipse(QPointF(40, 40), 13, 13);
    return ornament.simplified();
}

void gildPath(QPainter& painter, const QPainterPath& path) {
    const QRectF box = path.boundingRect();
    QLinearGradient gold(box.topLeft(), box.bottomRight());
    gold.setSpread(QGradient::ReflectSpread);
    gold.setFinalStop(box.topLeft() + QPointF(60, 60));
    gold.setColorAt(0, QColor(255, 236, 150));
    gold.setColorAt(0.45, QColor(222, 164, 52));
    gold.setColorAt(0.7, QColor(168, 108, 26));
    gold.setColorAt(1, QColor(250, 214, 110));
    painter.fillPath(path, gold);
    painter.setPen(QPen(QColor(110, 66, 10, 220), 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(QPen(QColor(255, 250, 220, 150), 1.1));
    painter.drawPath(path.translated(-0.8, -0.8));
}

StarterEntry cornerOrnaments() {
    QImage canvas = blankCanvas(kW, kH);
    QPainter painter(&canvas);
    smoothHints(painter);
    const QPainterPath corner = cornerFiligree();
    QPainterPath all;
    const QTransform placements[] = {QTransform(), QTransform(-1, 0, 0, 1, kW, 0),
                                     QTransform(1, 0, 0, -1, 0, kH), QTransform(-1, 0, 0, -1, kW, kH)};
    for (const QTransform& place : placements)
        all.addPath(place.map(corner));
    dropShadow(painter, all, {3, 4}, 5, 110, kW, kH);
    for (const QTransform& place : placements)
        gildPath(painter, place.map(corner));
    painter.end();
    return decorationEntry(QStringLiteral("Corner ornaments"), canvas);
}

void confettiPiece(QPainter& painter, Scatter& scatter, QPointF centre, double size) {
    const QColor colour = kParty[scatter.below(7)];
    QPainterPath piece;
    const int kind = scatter.below(5);
    if (kind <= 1) {
        piece.addRect(QRectF(-size / 2, -size / 3.5, size, size / 1.75));
    } else if (kind == 2) {
        piece.addEllipse(QPointF(0, 0), size / 2.4, size / 2.4);
    } else if (kind == 3) {
        // A short curled ribbon.
        QPainterPath curl;
        curl.moveTo(-size, 0);
        curl.cubicTo(-size / 2, -size, size / 2, size, size, 0);
        QPainterPathStroker stroker;
        stroker.setWidth(size / 3.2);
        stroker.setCapStyle(Qt::RoundCap);
        piece = stroker.createStroke(curl);
    } else {
        for (int k = 0; k <= 10; ++k) {
            const double a = -kPi / 2 + k * kPi / 5;
            const double r = (k % 2 ? 0.22 : 0.55) * size;
            k == 0 ? piece.moveTo(r * std::cos(a), r * std::sin(a))
                   : piece.lineTo(r * std::cos(a), r * std::sin(a));
        }
    }
    QTransform place;
    place.translate(centre.x(), centre.y());
    place.rotate(scatter.range(0, 360));
    place.scale(1, scatter.range(0.35, 1.0)); // tumbling pieces are seen at an angle
    const QPainterPath placed = place.map(piece);
    painter.fillPath(placed.translated(2, 3), QColor(0, 0, 0, 40));
    QLinearGradient sheen(placed.boundingRect().topLeft(), placed.boundingRect().bottomRight());
    sheen.setColorAt(0, colour.lighter(125));
    sheen.setColorAt(1, colour.darker(115));
    painter.fillPath(placed, sheen);
}

StarterEntry confetti() {
    QImage canvas = blankCanvas(kW, kH);
    QPainter painter(&canvas);
    smoothHints(painter);
    Scatter scatter(2101);
    for (int i = 0; i < 520; ++i) {
        // Denser at the top, thinning out towards the middle of the picture and gathering again below.
        const double v = std::pow(scatter.unit(), 1.7);
        const double y = scatter.unit() < 0.75 ? v * kH * 0.55 : kH - v * kH * 0.3;
        confettiPiece(painter, scatter, {scatter.range(-10, kW + 10), y}, scatter.range(14, 30));
    }
    painter.end();
    return decorationEntry(QStringLiteral("Confetti"), canvas);
}

void snowflake(QPainter& painter, QPointF centre, double radius, double turn, int alpha) {
    painter.save();
    painter.translate(centre);
    painter.rotate(turn);
    painter.setPen(
        QPen(QColor(255, 255, 255, alpha), std::max(1.4, radius / 9), Qt::SolidLine, Qt::RoundCap));
    for (int arm = 0; arm < 6; ++arm) {
        painter.drawLine(QPointF(0, 0), QPointF(0, -radius));
        for (const double at : {0.45, 0.72}) {
            const double branch = radius * (1 - at) * 0.7;
            painter.drawLine(QPointF(0, -radius * at), QPointF(-branch * 0.8, -radius * at - branch * 0.6));
            painter.drawLine(QPointF(0, -radius * at), QPointF(branch * 0.8, -radius * at - branch * 0.6));
        }
        painter.rotate(60);
    }
    painter.restore();
}

void softDot(QPainter& painter, QPointF centre, double radius, const QColor& colour) {
    QRadialGradient glow(centre, radius);
    QColor edge = colour;
    edge.setAlpha(0);
    glow.setColorAt(0, colour);
    glow.setColorAt(0.55, QColor(colour.red(), colour.green(), colour.blue(), colour.alpha() * 3 / 4));
    glow.setColorAt(1, edge);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius, radius);
}

StarterEntry snowfall() {
    QImage canvas = blankCanvas(kW, kH);
    QPainter painter(&canvas);
    smoothHints(painter);
    Scatter scatter(2201);
    for (int i = 0; i < 1400; ++i)
        softDot(painter, {scatter.range(0, kW), scatter.range(0, kH)}, scatter.range(1.8, 3.6),
                QColor(255, 255, 255, static_cast<int>(scatter.range(120, 220))));
    for (int i = 0; i < 220; ++i)
        softDot(painter, {scatter.range(0, kW), scatter.range(0, kH)}, scatter.range(5, 9),
                QColor(255, 255, 255, static_cast<int>(scatter.range(150, 230))));
    for (int i = 0; i < 26; ++i)
        softDot(painter, {scatter.range(0, kW), scatter.range(0, kH)}, scatter.range(16, 30),
                QColor(255, 255, 255, static_cast<int>(scatter.range(70, 120))));
    for (int i = 0; i < 34; ++i)
        snowflake(painter, {scatter.range(0, kW), scatter.range(0, kH * 0.85)}, scatter.range(10, 24),
                  scatter.range(0, 60), static_cast<int>(scatter.range(190, 245)));
    // A soft drift along the bottom edge.
    QPainterPath drift;
    drift.moveTo(0, kH);
    for (int x = 0; x <= kW; x += 10)
        drift.lineTo(x,
                     kH - 30 - 150 * square(fractalNoise(2203, x / 330.0, 0.5, 3)) + 8 * std::sin(x / 70.0));
    drift.lineTo(kW, kH);
    drift.closeSubpath();
    QLinearGradient snow(0, kH - 170, 0, kH);
    snow.setColorAt(0, QColor(255, 255, 255, 250));
    snow.setColorAt(0.6, QColor(242, 247, 255, 255));
    snow.setColorAt(1, QColor(214, 228, 248, 255));
    GreyPlane soft = coverageOf(drift, kW, kH);
    blur(soft, 3);
    QImage driftLayer = blankCanvas(kW, kH);
    {
        QPainter driftPainter(&driftLayer);
        driftPainter.fillRect(driftLayer.rect(), snow);
    }
    for (int y = 0; y < kH; ++y) {
        auto* row = reinterpret_cast<QRgb*>(driftLayer.scanLine(y));
        for (int x = 0; x < kW; ++x) {
            const float a = soft.at(x, y);
            row[x] = qRgba(static_cast<int>(qRed(row[x]) * a), static_cast<int>(qGreen(row[x]) * a),
                           static_cast<int>(qBlue(row[x]) * a), static_cast<int>(qAlpha(row[x]) * a));
        }
    }
    dropShadow(painter, drift, {0, -3}, 8, 60, kW, kH);
    painter.drawImage(0, 0, driftLayer);
    painter.end();
    return decorationEntry(QStringLiteral("Snowfall"), canvas);
}

StarterEntry heartsBorder() {
    QImage canvas = blankCanvas(kW, kH);
    QPainter painter(&canvas);
    smoothHints(painter);
    Scatter scatter(2301);
    const QColor reds[] = {QColor(230, 30, 70), QColor(255, 90, 130), QColor(255, 150, 180),
                           QColor(200, 20, 60), QColor(255, 190, 210)};
    // A rosy double line runs round the edge; it stretches cleanly along any photo.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(220, 40, 80, 200), 12));
    painter.drawRect(QRectF(26, 26, kW - 52, kH - 52));
    painter.setPen(QPen(QColor(255, 170, 195, 220), 4));
    painter.drawRect(QRectF(44, 44, kW - 88, kH - 88));
    // The hearts gather in the corners (a quarter of the picture's height square), which keep their shape
    // on photos of any proportion; the closer to the corner, the denser and larger.
    constexpr double kCorner = kH / 4.0;
    for (int i = 0; i < 240; ++i) {
        const double reach = std::pow(scatter.unit(), 1.6);
        const double size = scatter.range(30, 70) * (1 - 0.5 * reach);
        const double turn = scatter.range(0, kPi / 2);
        const double inset = size * 0.6;
        const double distance = inset + reach * (kCorner - 2 * inset);
        const QPointF fromCorner(std::max(inset, distance * std::cos(turn)),
                                 std::max(inset, distance * std::sin(turn)));
        QPointF centre;
        switch (scatter.below(4)) {
        case 0:
            centre = fromCorner;
            break;
        case 1:
            centre = {kW - fromCorner.x(), fromCorner.y()};
            break;
        case 2:
            centre = {fromCorner.x(), kH - fromCorner.y()};
            break;
        default:
            centre = {kW - fromCorner.x(), kH - fromCorner.y()};
            break;
        }
        painter.save();
        painter.translate(centre);
        painter.rotate(scatter.range(-28, 28));
        const QPainterPath heart = heartPath({0, 0}, size);
        painter.fillPath(heart.translated(2, 3), QColor(120, 0, 30, 50));
        const QColor colour = reds[scatter.below(5)];
        QRadialGradient fill(QPointF(-size * 0.2, -size * 0.2), size * 0.8);
        fill.setColorAt(0, colour.lighter(135));
        fill.setColorAt(1, colour.darker(118));
        painter.fillPath(heart, fill);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 150));
        painter.drawEllipse(QPointF(-size * 0.24, -size * 0.16), size * 0.09, size * 0.06);
        painter.restore();
    }
    painter.end();
    return decorationEntry(QStringLiteral("Hearts border"), canvas);
}

StarterEntry lightLeak() {
    QImage canvas = blankCanvas(kW, kH);
    QPainter painter(&canvas);
    smoothHints(painter);
    painter.setPen(Qt::NoPen);
    struct Glow {
        QPointF centre;
        double radius;
        QColor colour;
    };
    const Glow glows[] = {{{-120, 380}, 760, QColor(255, 96, 30, 210)},
                          {{-60, 900}, 520, QColor(255, 40, 70, 170)},
                          {{160, 260}, 380, QColor(255, 200, 80, 160)},
                          {{kW + 80, -40}, 560, QColor(255, 150, 40, 190)},
                          {{kW - 180, 120}, 260, QColor(255, 236, 160, 150)},
                          {{kW + 40, kH - 160}, 340, QColor(230, 60, 160, 110)}};
    for (const Glow& glow : glows) {
        QRadialGradient fill(glow.centre, glow.radius);
        QColor clear = glow.colour;
        clear.setAlpha(0);
        fill.setColorAt(0, glow.colour);
        fill.setColorAt(0.45, QColor(glow.colour.red(), glow.colour.green(), glow.colour.blue(),
                                     glow.colour.alpha() / 2));
        fill.setColorAt(1, clear);
        painter.setBrush(fill);
        painter.drawEllipse(glow.centre, glow.radius, glow.radius);
    }
    // A diagonal streak where the light crept past the film door.
    painter.save();
    painter.translate(260, 0);
    painter.rotate(18);
    QLinearGradient streak(-90, 0, 90, 0);
    streak.setColorAt(0, QColor(255, 180, 90, 0));
    streak.setColorAt(0.5, QColor(255, 220, 150, 110));
    streak.setColorAt(1, QColor(255, 180, 90, 0));
    painter.setBrush(streak);
    painter.drawRect(QRectF(-90, -100, 180, kH * 0.9));
    painter.restore();
    painter.end();
    // The film grain shows most where the leak is bright.
    addGrain(canvas, 2401, 1.4, 0.12, 1, 2);
    return decorationEntry(QStringLiteral("Light leak"), canvas);
}

StarterEntry bokeh() {
    QImage canvas = blankCanvas(kW, kH);
    QPainter painter(&canvas);
    smoothHints(painter);
    painter.setPen(Qt::NoPen);
    Scatter scatter(2501);
    const QColor tints[] = {QColor(255, 214, 120), QColor(255, 160, 90), QColor(255, 240, 200),
                            QColor(160, 210, 255), QColor(255, 150, 200)};
    for (int i = 0; i < 90; ++i) {
        // Mostly towards the edges and corners, leaving the subject clear.
        QPointF centre(scatter.range(0, kW), scatter.range(0, kH));
        const double dx = (centre.x() - kW / 2.0) / (kW / 2.0);
        const double dy = (centre.y() - kH / 2.0) / (kH / 2.0);
        if (std::hypot(dx, dy) < 0.55 && scatter.unit() < 0.8)
            centre = QPointF(centre.x() < kW / 2.0 ? scatter.range(0, kW * 0.2) : scatter.range(kW * 0.8, kW),
                             centre.y());
        const double radius = scatter.range(22, 110);
        const int alpha = static_cast<int>(scatter.range(40, 120) * (1.2 - radius / 140));
        const QColor tint = tints[scatter.below(5)];
        QRadialGradient disc(centre, radius);
        disc.setColorAt(0, QColor(tint.red(), tint.green(), tint.blue(), alpha * 7 / 10));
        disc.setColorAt(0.86, QColor(tint.red(), tint.green(), tint.blue(), alpha * 8 / 10));
        disc.setColorAt(0.95, QColor(tint.red(), tint.green(), tint.blue(), alpha));
        disc.setColorAt(1, QColor(tint.red(), tint.green(), tint.blue(), 0));
        painter.setBrush(disc);
        painter.drawEllipse(centre, radius, radius);
    }
    painter.end();
    return decorationEntry(QStringLiteral("Bokeh"), canvas);
}

void balloon(QPainter& painter, QPointF centre, double size, const QColor& colour, QPointF stringEnd) {
    const double w = size * 0.82;
    const double h = size;
    QPainterPath body;
    body.moveTo(centre.x(), centre.y() + h / 2);
    body.cubicTo(centre.x() - w * 0.62, centre.y() + h * 0.26, centre.x() - w * 0.58, centre.y() - h / 2,
                 centre.x(), centre.y() - h / 2);
    body.cubicTo(centre.x() + w * 0.58, centre.y() - h / 2, centre.x() + w * 0.62, centre.y() + h * 0.26,
                 centre.x(), centre.y() + h / 2);
    body.closeSubpath();
    const QPointF knot(centre.x(), centre.y() + h / 2);
    QPainterPath string;
    string.moveTo(knot + QPointF(0, 8));
    const QPointF middle = (knot + stringEnd) / 2;
    string.cubicTo(middle + QPointF(40, -60), middle + QPointF(-40, 60), stringEnd);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 2.2));
    painter.drawPath(string);
    painter.setPen(QPen(QColor(80, 80, 90, 120), 1));
    painter.drawPath(string.translated(1, 1));
    painter.fillPath(body.translated(5, 8), QColor(0, 0, 0, 40));
    QRadialGradient fill(centre + QPointF(-w * 0.22, -h * 0.22), size * 0.75);
    fill.setColorAt(0, colour.lighter(150));
    fill.setColorAt(0.5, colour);
    fill.setColorAt(1, colour.darker(150));
    painter.fillPath(body, fill);
    QPainterPath knotPath;
    knotPath.moveTo(knot + QPointF(-7, 10));
    knotPath.lineTo(knot + QPointF(7, 10));
    knotPath.lineTo(knot + QPointF(0, -2));
    knotPath.closeSubpath();
    painter.fillPath(knotPath, colour.darker(130));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 170));
    painter.save();
    painter.translate(centre + QPointF(-w * 0.2, -h * 0.24));
    painter.rotate(-30);
    painter.drawEllipse(QPointF(0, 0), w * 0.1, h * 0.17);
    painter.restore();
    painter.setBrush(QColor(255, 255, 255, 210));
    painter.drawEllipse(centre + QPointF(-w * 0.05, -h * 0.38), w * 0.04, w * 0.04);
}

StarterEntry balloons() {
    QImage canvas = blankCanvas(kW, kH);
    QPainter painter(&canvas);
    smoothHints(painter);
    struct Balloon {
        double x, y, size;
        int colour;
    };
    // Each bunch stays within its corner (a quarter of the picture's height square), which keeps its
    // shape on photos of any proportion; only the strings cross the stretched edges.
    const Balloon left[] = {{75, 1000, 130, 0}, {195, 985, 120, 1}, {135, 1090, 125, 3}, {250, 1095, 100, 4}};
    const Balloon right[] = {
        {1390, 110, 130, 6}, {1510, 95, 120, 1}, {1450, 215, 125, 3}, {1560, 215, 95, 2}};
    for (const Balloon& b : left)
        balloon(painter, {b.x, b.y}, b.size, kParty[b.colour], {260, kH + 10});
    for (const Balloon& b : right)
        balloon(painter, {b.x, b.y}, b.size, kParty[b.colour], {kW + 30, 760});
    painter.end();
    return decorationEntry(QStringLiteral("Balloons"), canvas);
}

StarterEntry ribbonBanner() {
    QImage canvas = blankCanvas(kW, kH);
    QPainter painter(&canvas);
    smoothHints(painter);
    const double top = 930;
    const double depth = 150;
    const double sag = 50;
    QPainterPath front;
    front.moveTo(260, top);
    front.quadTo(kW / 2.0, top + sag, kW - 260, top);
    front.lineTo(kW - 260, top + depth);
    front.quadTo(kW / 2.0, top + depth + sag, 260, top + depth);
    front.closeSubpath();
    QPainterPath leftEnd;
    leftEnd.moveTo(70, top + 50);
    leftEnd.lineTo(320, top + 44);
    leftEnd.lineTo(320, top + depth + 60);
    leftEnd.lineTo(70, top + depth + 66);
    leftEnd.lineTo(150, top + 50 + (depth + 16) / 2);
    leftEnd.closeSubpath();
    const QTransform mirror(-1, 0, 0, 1, kW, 0);
    const QPainterPath rightEnd = mirror.map(leftEnd);
    QPainterPath leftFold;
    leftFold.moveTo(260, top + depth);
    leftFold.lineTo(320, top + depth + 60);
    leftFold.lineTo(320, top + depth - 2);
    leftFold.closeSubpath();
    const QPainterPath rightFold = mirror.map(leftFold);
    dropShadow(painter, front.united(leftEnd).united(rightEnd), {4, 10}, 14, 110, kW, kH);
    QLinearGradient back(0, top + 44, 0, top + depth + 66);
    back.setColorAt(0, QColor(190, 24, 46));
    back.setColorAt(1, QColor(130, 12, 30));
    painter.fillPath(leftEnd, back);
    painter.fillPath(rightEnd, back);
    painter.fillPath(leftFold, QColor(90, 6, 20));
    painter.fillPath(rightFold, QColor(90, 6, 20));
    QLinearGradient face(0, top, 0, top + depth + sag);
    face.setColorAt(0, QColor(250, 76, 86));
    face.setColorAt(0.5, QColor(222, 34, 56));
    face.setColorAt(1, QColor(176, 18, 40));
    painter.fillPath(front, face);
    // Gold piping and stitches along the long edges.
    QPainterPath upper;
    upper.moveTo(270, top + 14);
    upper.quadTo(kW / 2.0, top + sag + 14, kW - 270, top + 14);
    QPainterPath lower;
    lower.moveTo(270, top + depth - 14);
    lower.quadTo(kW / 2.0, top + depth + sag - 14, kW - 270, top + depth - 14);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 206, 90), 4));
    painter.drawPath(upper);
    painter.drawPath(lower);
    painter.setPen(QPen(QColor(255, 230, 200, 170), 2, Qt::DashLine));
    painter.drawPath(upper.translated(0, 12));
    painter.drawPath(lower.translated(0, -12));
    // A satin sheen across the face.
    QLinearGradient sheen(0, top, 0, top + depth + sag);
    sheen.setColorAt(0.15, QColor(255, 255, 255, 0));
    sheen.setColorAt(0.3, QColor(255, 255, 255, 60));
    sheen.setColorAt(0.45, QColor(255, 255, 255, 0));
    painter.fillPath(front, sheen);
    painter.end();
    return decorationEntry(QStringLiteral("Ribbon banner"), canvas);
}

} // namespace

std::vector<EntryRecipe> decorationRecipes() {
    return {cornerOrnaments, confetti, snowfall, heartsBorder, lightLeak, bokeh, balloons, ribbonBanner};
}

} // namespace starter
