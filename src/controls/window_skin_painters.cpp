// The window's own pictures: the frame pieces around the main window and the program icon.

#include "controls/numbered_image_painters.h"
#include "controls/skin_palette.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <algorithm>

namespace controls::painters {

namespace {

// Corner radius of the window's rounded outline; the window region rounds its corners the same way.
constexpr qreal kCorner = 9.0;

QPen hairline(const QColor& colour) {
    QPen pen(colour, 1.0);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

} // namespace

void topEdge(QPainter& p, const QRectF& r) {
    const qreal radius = std::min({kCorner, r.width() / 2, r.height()});
    QPainterPath strip;
    const QRectF body = r.adjusted(0.5, 0.5, -0.5, 0);
    strip.moveTo(body.left(), body.bottom());
    strip.lineTo(body.left(), body.top() + radius);
    strip.arcTo(QRectF(body.left(), body.top(), 2 * radius, 2 * radius), 180, -90);
    strip.lineTo(body.right() - radius, body.top());
    strip.arcTo(QRectF(body.right() - 2 * radius, body.top(), 2 * radius, 2 * radius), 90, -90);
    strip.lineTo(body.right(), body.bottom());
    strip.closeSubpath();

    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0, skin::kTitleTop);
    face.setColorAt(1, skin::kTitleBottom);
    p.fillPath(strip, face);

    // A soft sheen over the upper half, as light falling on the strip.
    QLinearGradient sheen(r.topLeft(), QPointF(r.left(), r.top() + r.height() / 2));
    sheen.setColorAt(0, QColor(255, 255, 255, 46));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillPath(strip, sheen);

    p.setPen(hairline(QColor(255, 255, 255, 80)));
    p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
    p.setPen(hairline(QColor(30, 54, 96)));
    p.drawLine(QPointF(r.left(), r.bottom() - 0.5), QPointF(r.right(), r.bottom() - 0.5));
    p.setPen(hairline(skin::kFrameLine.darker(115)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(strip);
}

void sideEdge(QPainter& p, const QRectF& r, bool left) {
    p.fillRect(r, skin::kWindowFace);
    const qreal outer = left ? r.left() + 0.5 : r.right() - 0.5;
    const qreal inner = left ? outer + 1 : outer - 1;
    // A faint shade along the outer border gives the frame some depth.
    QLinearGradient shade(QPointF(outer, 0), QPointF(left ? outer + 8 : outer - 8, 0));
    shade.setColorAt(0, QColor(0, 0, 0, 18));
    shade.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(r, shade);
    p.setPen(hairline(QColor(255, 255, 255, 190)));
    p.drawLine(QPointF(inner, r.top()), QPointF(inner, r.bottom()));
    p.setPen(hairline(skin::kFrameLine));
    p.drawLine(QPointF(outer, r.top()), QPointF(outer, r.bottom()));
}

void bottomEdge(QPainter& p, const QRectF& r) {
    p.fillRect(r, skin::kWindowFace);
    const qreal radius = std::min({kCorner, r.width() / 2, r.height()});
    const QRectF body = r.adjusted(0.5, -1, -0.5, -0.5);
    QPainterPath outline;
    outline.moveTo(body.left(), body.top());
    outline.lineTo(body.left(), body.bottom() - radius);
    outline.arcTo(QRectF(body.left(), body.bottom() - 2 * radius, 2 * radius, 2 * radius), 180, 90);
    outline.lineTo(body.right() - radius, body.bottom());
    outline.arcTo(QRectF(body.right() - 2 * radius, body.bottom() - 2 * radius, 2 * radius, 2 * radius), 270,
                  90);
    outline.lineTo(body.right(), body.top());

    QLinearGradient shade(QPointF(0, r.bottom()), QPointF(0, r.bottom() - 8));
    shade.setColorAt(0, QColor(0, 0, 0, 18));
    shade.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(r, shade);
    p.setBrush(Qt::NoBrush);
    p.setPen(hairline(skin::kFrameLine));
    p.drawPath(outline);

    // Size grip in the right end: a small triangle of raised dots.
    if (r.width() >= 30 && r.height() >= 12) {
        p.setPen(Qt::NoPen);
        const QPointF corner(r.right() - 6, r.bottom() - 4);
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column <= row; ++column) {
                const QPointF dot(corner.x() - 3 * column, corner.y() - 3 * (row - column));
                p.setBrush(QColor(255, 255, 255, 220));
                p.drawEllipse(QRectF(dot + QPointF(0.5, 0.5), QSizeF(1.6, 1.6)));
                p.setBrush(QColor(138, 148, 164));
                p.drawEllipse(QRectF(dot, QSizeF(1.6, 1.6)));
            }
        }
    }
}

void windowIcon(QPainter& p, const QRectF& r) {
    const qreal s = std::min(r.width(), r.height());
    const QRectF box(r.center().x() - s / 2, r.center().y() - s / 2, s, s);
    const auto at = [&box, s](qreal x, qreal y) { return QPointF(box.left() + x * s, box.top() + y * s); };

    QLinearGradient tile(box.topLeft(), box.bottomRight());
    tile.setColorAt(0, QColor(58, 146, 236));
    tile.setColorAt(1, QColor(20, 72, 160));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(box.adjusted(s * 0.03, s * 0.03, -s * 0.03, -s * 0.03), s * 0.2, s * 0.2);

    // A white photo card, tilted a little, holding a landscape.
    p.save();
    p.translate(at(0.47, 0.54));
    p.rotate(-8);
    const QRectF card(-s * 0.33, -s * 0.27, s * 0.66, s * 0.54);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawRoundedRect(card.translated(s * 0.02, s * 0.03), s * 0.05, s * 0.05);
    p.setBrush(Qt::white);
    p.drawRoundedRect(card, s * 0.05, s * 0.05);
    const QRectF photo = card.adjusted(s * 0.055, s * 0.055, -s * 0.055, -s * 0.055);
    QLinearGradient sky(photo.topLeft(), photo.bottomLeft());
    sky.setColorAt(0, QColor(150, 206, 250));
    sky.setColorAt(1, QColor(214, 238, 255));
    p.setBrush(sky);
    p.drawRect(photo);
    p.setClipRect(photo);
    p.setBrush(QColor(255, 196, 40));
    p.drawEllipse(QPointF(photo.right() - photo.width() * 0.25, photo.top() + photo.height() * 0.3),
                  photo.height() * 0.16, photo.height() * 0.16);
    QPainterPath hills;
    hills.moveTo(photo.left(), photo.bottom());
    hills.lineTo(photo.left(), photo.top() + photo.height() * 0.7);
    hills.lineTo(photo.left() + photo.width() * 0.35, photo.top() + photo.height() * 0.35);
    hills.lineTo(photo.left() + photo.width() * 0.6, photo.top() + photo.height() * 0.68);
    hills.lineTo(photo.left() + photo.width() * 0.75, photo.top() + photo.height() * 0.55);
    hills.lineTo(photo.right(), photo.top() + photo.height() * 0.8);
    hills.lineTo(photo.right(), photo.bottom());
    hills.closeSubpath();
    p.setBrush(QColor(46, 150, 96));
    p.drawPath(hills);
    p.restore();

    // A four-pointed sparkle: decoration.
    const QPointF c = at(0.78, 0.22);
    const qreal a = s * 0.13;
    const qreal b = s * 0.035;
    QPainterPath star;
    star.moveTo(c + QPointF(0, -a));
    star.quadTo(c + QPointF(b, -b), c + QPointF(a, 0));
    star.quadTo(c + QPointF(b, b), c + QPointF(0, a));
    star.quadTo(c + QPointF(-b, b), c + QPointF(-a, 0));
    star.quadTo(c + QPointF(-b, -b), c + QPointF(0, -a));
    p.setBrush(QColor(255, 236, 140));
    p.drawPath(star);
}

} // namespace controls::painters
