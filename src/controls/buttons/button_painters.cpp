// Button faces: the caption buttons of the title strip, the tool tabs, the brush on/off toggle and the
// radio choices.

#include "controls/numbered_image_painters.h"
#include "controls/skin_palette.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <algorithm>

namespace controls::painters {

namespace {

QPainterPath topRoundedRect(const QRectF& r, qreal radius) {
    radius = std::min({radius, r.width() / 2, r.height()});
    QPainterPath path;
    path.moveTo(r.left(), r.bottom());
    path.lineTo(r.left(), r.top() + radius);
    path.arcTo(QRectF(r.left(), r.top(), 2 * radius, 2 * radius), 180, -90);
    path.lineTo(r.right() - radius, r.top());
    path.arcTo(QRectF(r.right() - 2 * radius, r.top(), 2 * radius, 2 * radius), 90, -90);
    path.lineTo(r.right(), r.bottom());
    return path;
}

void captionGlyph(QPainter& p, const QRectF& r, CaptionGlyph glyph, const QColor& colour) {
    const qreal g = std::max<qreal>(4.0, std::min(r.width(), r.height()) * 0.46);
    const QRectF box(r.center().x() - g / 2, r.center().y() - g / 2, g, g);
    QPen pen(colour, std::max<qreal>(1.2, g / 5.5), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (glyph) {
    case CaptionGlyph::Close:
        p.drawLine(box.topLeft(), box.bottomRight());
        p.drawLine(box.topRight(), box.bottomLeft());
        break;
    case CaptionGlyph::Maximise:
        p.drawRect(box);
        pen.setWidthF(pen.widthF() * 1.6);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        p.drawLine(box.topLeft() + QPointF(0, pen.widthF() / 4),
                   box.topRight() + QPointF(0, pen.widthF() / 4));
        break;
    case CaptionGlyph::Minimise:
        p.drawLine(QPointF(box.left(), box.bottom()), box.bottomRight());
        break;
    }
}

} // namespace

void captionButton(QPainter& p, const QRectF& r, CaptionGlyph glyph, CaptionState state) {
    const QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
    const bool close = glyph == CaptionGlyph::Close;
    QColor fill(255, 255, 255, 30);
    QColor edge(255, 255, 255, 64);
    if (state == CaptionState::Hover) {
        fill = close ? QColor(226, 74, 62) : QColor(255, 255, 255, 78);
        edge = close ? QColor(170, 40, 32) : QColor(255, 255, 255, 130);
    } else if (state == CaptionState::Pressed) {
        fill = close ? QColor(168, 40, 32) : QColor(10, 30, 70, 96);
        edge = close ? QColor(128, 26, 20) : QColor(10, 30, 70, 140);
    }
    p.setPen(QPen(edge, 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(body, 3.5, 3.5);
    captionGlyph(p, body.translated(0, state == CaptionState::Pressed ? 0.5 : 0), glyph,
                 QColor(244, 248, 253));
}

void tab(QPainter& p, const QRectF& r, bool active) {
    // One pixel is left free on the right so neighbouring tabs read as separate.
    const QRectF body = r.adjusted(0.5, 0.5, -1.5, 0);
    const QPainterPath outline = topRoundedRect(body, 5);
    QPainterPath filled = outline;
    filled.closeSubpath();
    if (active) {
        QLinearGradient face(r.topLeft(), r.bottomLeft());
        face.setColorAt(0, QColor(255, 255, 255));
        face.setColorAt(1, QColor(250, 251, 253));
        p.fillPath(filled, face);
        p.save();
        p.setClipRect(QRectF(r.left(), r.top(), r.width(), 3.5));
        p.fillPath(filled, skin::kAccent);
        p.restore();
        p.setPen(QPen(skin::kBorder, 1.0));
    } else {
        QLinearGradient face(r.topLeft(), r.bottomLeft());
        face.setColorAt(0, QColor(124, 140, 166));
        face.setColorAt(1, QColor(92, 108, 134));
        p.fillPath(filled, face);
        p.setPen(QPen(QColor(255, 255, 255, 60), 1.0));
        p.drawLine(QPointF(body.left() + 4, body.top() + 1), QPointF(body.right() - 4, body.top() + 1));
        p.setPen(QPen(QColor(66, 80, 104), 1.0));
    }
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
}

void brushToggle(QPainter& p, const QRectF& r, bool on) {
    // Drawn on a 74 × 44 design grid and scaled to the target.
    p.translate(r.topLeft());
    p.scale(r.width() / 74.0, r.height() / 44.0);

    QLinearGradient card(QPointF(0, 0), QPointF(0, 44));
    card.setColorAt(0, skin::kFaceTop);
    card.setColorAt(1, skin::kFaceBottom);
    p.setPen(QPen(on ? skin::kAccentEdge : skin::kBorder, 1.0));
    p.setBrush(card);
    p.drawRoundedRect(QRectF(0.5, 0.5, 73, 43), 6, 6);

    // The paint stroke the brush leaves, only while painting is on.
    if (on) {
        QPainterPath stroke;
        stroke.moveTo(7, 34);
        stroke.cubicTo(12, 38, 16, 30, 21, 33);
        p.setPen(QPen(skin::kAccentBright, 3.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(stroke);
    }

    // The brush, tilted 45 degrees: handle, metal band and bristles.
    p.save();
    p.translate(19, 20);
    p.rotate(45);
    p.setPen(Qt::NoPen);
    const QColor handle = on ? QColor(44, 96, 176) : QColor(160, 166, 176);
    p.setBrush(handle);
    p.drawRoundedRect(QRectF(-2.6, -17, 5.2, 15), 2.6, 2.6);
    p.setBrush(on ? QColor(190, 198, 210) : QColor(206, 210, 216));
    p.drawRect(QRectF(-3.2, -3, 6.4, 4.5));
    QPainterPath bristles;
    bristles.moveTo(-3.2, 1.5);
    bristles.lineTo(3.2, 1.5);
    bristles.cubicTo(3.4, 6, 1.5, 9, 0, 12);
    bristles.cubicTo(-1.5, 9, -3.4, 6, -3.2, 1.5);
    p.setBrush(on ? QColor(48, 48, 56) : QColor(176, 180, 188));
    p.drawPath(bristles);
    p.restore();

    // The switch: a pill with its knob at the right when on.
    const QRectF pill(40, 14, 28, 16);
    p.setPen(QPen(on ? skin::kAccent.darker(115) : QColor(170, 176, 186), 1.0));
    p.setBrush(on ? skin::kAccent : QColor(204, 208, 215));
    p.drawRoundedRect(pill, 8, 8);
    const QPointF knob =
        on ? QPointF(pill.right() - 8, pill.center().y()) : QPointF(pill.left() + 8, pill.center().y());
    p.setPen(QPen(QColor(0, 0, 0, 40), 1.0));
    p.setBrush(Qt::white);
    p.drawEllipse(knob, 6, 6);
}

void radioButton(QPainter& p, const QRectF& r, bool on) {
    // A ring with the face's gradient; the taken choice shows an accent ring around a filled dot.
    const qreal side = std::min(r.width(), r.height());
    const QRectF ring(r.center().x() - side / 2 + 0.75, r.center().y() - side / 2 + 0.75, side - 1.5,
                      side - 1.5);
    QLinearGradient face(ring.topLeft(), ring.bottomLeft());
    face.setColorAt(0, skin::kFaceTop);
    face.setColorAt(1, skin::kFaceBottom);
    p.setPen(QPen(on ? skin::kAccent : skin::kBorder, side / 12));
    p.setBrush(face);
    p.drawEllipse(ring);
    if (on) {
        const qreal dot = side * 0.28;
        p.setPen(Qt::NoPen);
        p.setBrush(skin::kAccentBright);
        p.drawEllipse(ring.center(), dot, dot);
    }
}

} // namespace controls::painters
