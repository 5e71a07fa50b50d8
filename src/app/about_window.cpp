#include "app/about_window.h"

#include "app/command_ids.h"
#include "app/product.h"
#include "controls/numbered_images.h"
#include "controls/buttons/skin_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>

namespace app {

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral("About"));
    resize(400, 112);
    namespace img = controls::image;
    closeButton_ = std::make_unique<controls::CSkinButton>(ID_CLOSE, QString(), this);
    closeButton_->setImages(img::CloseButton, img::CloseHover, img::ClosePressed, img::CloseButton);
    connect(closeButton_.get(), &controls::CSkinButton::command, this, &QDialog::reject);
    if (parent)
        move(parent->geometry().center() - rect().center());
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    closeButton_->setGeometry(width() - 40, 7, 26, 17);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 8, 8);
    setMask(QRegion(shape.toFillPolygon().toPolygon()));
}

void AboutWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(246, 247, 249));
    controls::paintNumberedImage(painter, controls::image::TopEdge, QRectF(0, 0, width(), 30));
    painter.setPen(QColor(235, 245, 245));
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(QRect(14, 0, width() - 60, 30), Qt::AlignVCenter, windowTitle());
    controls::paintNumberedImage(painter, controls::image::WindowIcon, QRectF(18, 42, 48, 48));
    painter.setPen(QColor(40, 44, 52));
    painter.drawText(QRect(82, 42, width() - 96, 22), Qt::AlignVCenter, QString::fromLatin1(kProductName));
    painter.setFont(font());
    painter.setPen(QColor(90, 96, 106));
    // Wrapped: the line is longer than the window is wide.
    painter.drawText(QRect(82, 67, width() - 96, 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("Version %1 — decorate your photos with frames, cliparts and text")
                         .arg(QLatin1String(kProductVersion)));
}

void AboutWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && event->position().y() < 25 && windowHandle()) {
        windowHandle()->startSystemMove();
        return;
    }
    QDialog::mousePressEvent(event);
}

} // namespace app
