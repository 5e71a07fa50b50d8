#include "controls/skin_dialog.h"

#include "controls/numbered_images.h"

#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>

namespace controls {

namespace {

const QColor kBoxFill(0xE6, 0xE6, 0xE6);
const QColor kBoxLine(0xC8, 0xC8, 0xC8);

} // namespace

SkinDialog::SkinDialog(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {}

void SkinDialog::paintSkin(QPainter& painter) {
    painter.fillRect(rect(), QColor(246, 247, 249));
    paintNumberedImage(painter, image::TopEdge, QRectF(0, 0, width(), 30));
    paintNumberedImage(painter, image::BottomEdge, QRectF(0, height() - 14, width(), 14));

    painter.setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    const QRect title(10, 7, width() - 60, 20);
    painter.setPen(Qt::white);
    painter.drawText(title.translated(1, 1), Qt::AlignLeft | Qt::AlignTop, windowTitle());
    painter.setPen(Qt::black);
    painter.drawText(title, Qt::AlignLeft | Qt::AlignTop, windowTitle());
    painter.setFont(font());
}

void SkinDialog::paintLabel(QPainter& painter, const QRect& place, const QString& text) {
    painter.setPen(Qt::black);
    painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter, text);
}

void SkinDialog::paintTextBox(QPainter& painter, const QRect& box, const QString& text) {
    painter.fillRect(box, kBoxFill);
    painter.setPen(kBoxLine);
    painter.drawRect(box);
    painter.setPen(Qt::black);
    const QRect inside = box.adjusted(4, 0, -4, 0);
    painter.drawText(inside, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(text, Qt::ElideLeft, inside.width()));
}

void SkinDialog::paintProgressBar(QPainter& painter, const QRect& bar, int length) {
    painter.setPen(kBoxLine);
    painter.drawRect(bar);
    if (length > 0)
        painter.fillRect(QRect(bar.left(), bar.top(), length, bar.height() - 1), kBoxLine);
}

void SkinDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 8, 8);
    setMask(QRegion(shape.toFillPolygon().toPolygon()));
}

void SkinDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && event->position().y() < 25 && windowHandle()) {
        windowHandle()->startSystemMove();
        return;
    }
    QDialog::mousePressEvent(event);
}

} // namespace controls
