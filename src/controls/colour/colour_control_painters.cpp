// Pictures of the colour controls: the colour picker's button face and the swatch grid's picker cursor.

#include "controls/numbered_image_painters.h"
#include "controls/skin_palette.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace controls::painters {

void colourPickerFace(QPainter& p, const QRectF& r) {
    // Drawn at 114 wide and cut in three: the left 10 pixels, the plain stretch from 10 to 60, and the
    // 20-pixel right end from 94 with the drop-down chevron.
    const QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient face(body.topLeft(), body.bottomLeft());
    face.setColorAt(0, skin::kFaceTop);
    face.setColorAt(1, skin::kFaceBottom);
    p.setPen(QPen(skin::kBorder, 1.0));
    p.setBrush(face);
    p.drawRoundedRect(body, 4, 4);

    const qreal sx = r.width() / 114.0;
    const qreal endLeft = r.left() + 94 * sx;
    p.setPen(QPen(skin::kBorderLight, 1.0));
    p.drawLine(QPointF(endLeft + 0.5, r.top() + 4), QPointF(endLeft + 0.5, r.bottom() - 4));

    const qreal cx = endLeft + 10 * sx;
    const qreal cy = r.center().y();
    QPainterPath chevron;
    chevron.moveTo(cx - 4, cy - 2);
    chevron.lineTo(cx, cy + 2);
    chevron.lineTo(cx + 4, cy - 2);
    p.setPen(QPen(QColor(80, 88, 102), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(chevron);
}

void pickerCursor(QPainter& p, const QRectF& r) {
    p.translate(r.topLeft());
    p.scale(r.width() / 32.0, r.height() / 32.0);
    // An eyedropper held at 45 degrees with its tip at the lower left, where the colour is taken.
    p.translate(3, 28);
    p.rotate(-135);
    QPainterPath tube;
    tube.moveTo(-0.8, 0);
    tube.lineTo(0.8, 0);
    tube.lineTo(2.2, 4);
    tube.lineTo(2.2, 15);
    tube.lineTo(-2.2, 15);
    tube.lineTo(-2.2, 4);
    tube.closeSubpath();
    QPainterPath collar;
    collar.addRoundedRect(QRectF(-3.6, 15, 7.2, 3), 1, 1);
    QPainterPath bulb;
    bulb.addRoundedRect(QRectF(-3, 18, 6, 11), 3, 3);
    for (const auto& [path, fill] :
         {std::pair{tube, QColor(236, 242, 250)}, std::pair{collar, QColor(150, 160, 176)},
          std::pair{bulb, QColor(44, 96, 176)}}) {
        p.setPen(QPen(Qt::white, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.setPen(QPen(QColor(20, 22, 28), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(fill);
        p.drawPath(path);
    }
}

} // namespace controls::painters
