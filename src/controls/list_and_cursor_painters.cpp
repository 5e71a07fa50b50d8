// Pictures of the photo list (the thumbnail frame, the missing-file mark) and the three cursors.

#include "controls/numbered_image_painters.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <algorithm>

namespace controls::painters {

namespace {

// Cursors are drawn on a 32 × 32 design grid; a white rim keeps them visible on dark photos.
void scaleToCursorGrid(QPainter& p, const QRectF& r) {
    p.translate(r.topLeft());
    p.scale(r.width() / 32.0, r.height() / 32.0);
}

void outlined(QPainter& p, const QPainterPath& path, const QColor& fill) {
    p.setPen(QPen(Qt::white, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(QPen(QColor(20, 22, 28), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

QPainterPath arrowPath() {
    QPainterPath arrow;
    arrow.moveTo(3, 2);
    arrow.lineTo(3, 21);
    arrow.lineTo(7.5, 16.8);
    arrow.lineTo(10.8, 24);
    arrow.lineTo(13.8, 22.6);
    arrow.lineTo(10.6, 15.6);
    arrow.lineTo(16.5, 15.6);
    arrow.closeSubpath();
    return arrow;
}

} // namespace

void cellFrame(QPainter& p, const QRectF& r) {
    // Stretched one pixel outside the picture on the left and top and two on the right and bottom: a
    // hairline border with a soft shadow below and to the right.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 34));
    p.drawRect(r.adjusted(2, 2, 0, 0));
    p.setBrush(QColor(0, 0, 0, 16));
    p.drawRect(r.adjusted(1, 1, 0, 0));
    const QRectF card = r.adjusted(0, 0, -1, -1);
    p.setBrush(QColor(246, 247, 249));
    p.setPen(QPen(QColor(188, 194, 204), 1.0));
    p.drawRect(card.adjusted(0.5, 0.5, -0.5, -0.5));
}

void missingFile(QPainter& p, const QRectF& r) {
    const qreal s = std::min(r.width(), r.height());
    const QPointF c = r.center();
    const qreal radius = s * 0.44;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(c + QPointF(0, s * 0.03), radius + s * 0.03, radius + s * 0.03);
    p.setBrush(Qt::white);
    p.drawEllipse(c, radius, radius);
    QLinearGradient red(QPointF(c.x(), c.y() - radius), QPointF(c.x(), c.y() + radius));
    red.setColorAt(0, QColor(236, 84, 70));
    red.setColorAt(1, QColor(192, 40, 32));
    p.setBrush(red);
    p.drawEllipse(c, radius - s * 0.07, radius - s * 0.07);
    // The exclamation mark.
    p.setBrush(Qt::white);
    const qreal w = s * 0.1;
    QPainterPath bar;
    bar.moveTo(c.x() - w * 0.65, c.y() - s * 0.24);
    bar.lineTo(c.x() + w * 0.65, c.y() - s * 0.24);
    bar.lineTo(c.x() + w * 0.4, c.y() + s * 0.06);
    bar.lineTo(c.x() - w * 0.4, c.y() + s * 0.06);
    bar.closeSubpath();
    p.drawPath(bar);
    p.drawEllipse(QPointF(c.x(), c.y() + s * 0.17), w * 0.6, w * 0.6);
}

void dropCursor(QPainter& p, const QRectF& r) {
    scaleToCursorGrid(p, r);
    outlined(p, arrowPath(), Qt::white);
    // The "add here" badge.
    const QRectF badge(16, 17, 12, 12);
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(QColor(0, 100, 200));
    p.drawRoundedRect(badge, 3, 3);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(badge.center().x(), badge.top() + 3), QPointF(badge.center().x(), badge.bottom() - 3));
    p.drawLine(QPointF(badge.left() + 3, badge.center().y()), QPointF(badge.right() - 3, badge.center().y()));
}

void handCursor(QPainter& p, const QRectF& r) {
    scaleToCursorGrid(p, r);
    // A pointing hand: the index finger up, three folded fingers, the thumb at the side.
    QPainterPath hand;
    hand.addRoundedRect(QRectF(10, 2.5, 4.6, 15), 2.3, 2.3);
    hand.addRoundedRect(QRectF(14.2, 10, 4.4, 9), 2.2, 2.2);
    hand.addRoundedRect(QRectF(18.2, 11, 4.2, 8.5), 2.1, 2.1);
    hand.addRoundedRect(QRectF(22, 12.5, 3.8, 8), 1.9, 1.9);
    hand.addRoundedRect(QRectF(10, 15, 15.8, 12), 4.5, 4.5);
    QPainterPath thumb;
    thumb.moveTo(11, 24);
    thumb.lineTo(5.4, 17.4);
    thumb.cubicTo(4.2, 16, 5.8, 13.8, 7.4, 15);
    thumb.lineTo(11, 18);
    thumb.closeSubpath();
    hand = hand.united(thumb).simplified();
    outlined(p, hand, Qt::white);
    p.setPen(QPen(QColor(20, 22, 28), 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14.6, 15.5), QPointF(14.6, 18.5));
    p.drawLine(QPointF(18.4, 15.5), QPointF(18.4, 18.5));
    p.drawLine(QPointF(22.2, 16), QPointF(22.2, 19));
}

void brushCursor(QPainter& p, const QRectF& r) {
    scaleToCursorGrid(p, r);
    // A brush held at 45 degrees with its tip at the lower left, where the paint goes.
    p.translate(3, 28);
    p.rotate(-135);
    QPainterPath bristles;
    bristles.moveTo(0, 0);
    bristles.cubicTo(1.6, 2.5, 3.2, 5, 3.2, 8);
    bristles.lineTo(-3.2, 8);
    bristles.cubicTo(-3.2, 5, -1.6, 2.5, 0, 0);
    bristles.closeSubpath();
    QPainterPath band;
    band.addRect(QRectF(-3.4, 8, 6.8, 4.5));
    QPainterPath handle;
    handle.addRoundedRect(QRectF(-2.4, 12.5, 4.8, 18), 2.4, 2.4);
    outlined(p, handle, QColor(44, 96, 176));
    outlined(p, band, QColor(196, 202, 212));
    outlined(p, bristles, QColor(40, 40, 48));
}

} // namespace controls::painters
