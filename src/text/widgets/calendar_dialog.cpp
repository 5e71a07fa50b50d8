#include "text/widgets/calendar_dialog.h"

#include "controls/numbered_images.h"
#include "controls/buttons/skin_button.h"
#include "controls/skin_palette.h"
#include "text/calendar/month_calendar.h"
#include "text/widgets/month_calendar_ctrl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>

namespace text {

namespace {

constexpr QSize kDialogSize(292, 350);
// The calendar's place in dialog client coordinates, before its width is cut to whole columns.
constexpr QRect kCalendarRect(QPoint(16, 40), QPoint(276 - 1, 300 - 1));
constexpr QSize kPushSize(70, 20);
constexpr int kCaptionStrip = 30;
constexpr qreal kCornerRadius = 8; // corners of 16 × 16

} // namespace

CCalendarDialog::CCalendarDialog(QWidget* owner, std::span<std::uint8_t> picture)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), picture_(picture) {
    setWindowTitle(QStringLiteral("Add Transparent Month Calender"));
    setModal(true);
    resize(kDialogSize);
    calendar_ = std::make_unique<CMonthCalendar>(kCalendarRect, this);

    namespace img = controls::image;
    close_ = std::make_unique<controls::CSkinButton>(kCloseId, QString(), this);
    close_->setImages(img::CloseButton, img::CloseHover, img::ClosePressed, img::CloseButton);
    ok_ = std::make_unique<controls::CSkinButton>(kOkId, QStringLiteral("OK"), this);
    cancel_ = std::make_unique<controls::CSkinButton>(kCancelId, QStringLiteral("Cancel"), this);
    connect(close_.get(), &controls::CSkinButton::command, this, &QDialog::reject);
    connect(cancel_.get(), &controls::CSkinButton::command, this, &QDialog::reject);
    connect(ok_.get(), &controls::CSkinButton::command, this, [this] { acceptWithPicture(); });
    if (owner)
        move(owner->mapToGlobal(owner->rect().center()) - rect().center());
}

CCalendarDialog::~CCalendarDialog() = default;

void CCalendarDialog::acceptWithPicture() {
    if (!calendar_->ExportCalendarPicture(kCalendarPictureSide, kCalendarPictureSide, picture_))
        return; // no room for the picture: it cannot be placed, so the dialog stays open
    accept();
}

void CCalendarDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int right = width();
    const int bottom = height();
    close_->setGeometry(right - 40, 7, 26, 17);
    cancel_->setGeometry(QRect(QPoint(right - 115, bottom - 40), kPushSize));
    ok_->setGeometry(QRect(QPoint(right - 115 - 120, bottom - 40), kPushSize));
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), kCornerRadius, kCornerRadius);
    setMask(QRegion(shape.toFillPolygon().toPolygon()));
}

void CCalendarDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), controls::skin::kWindowFace);
    controls::paintNumberedImage(painter, controls::image::TopEdge, QRectF(0, 0, width(), kCaptionStrip));
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(QColor(235, 245, 245));
    painter.drawText(QRect(14, 0, width() - 60, kCaptionStrip), Qt::AlignVCenter, windowTitle());
    // A thin frame sets the white calendar off from the dialog's face.
    painter.setPen(controls::skin::kBorder);
    painter.drawRect(calendar_->geometry().adjusted(-1, -1, 0, 0));
}

void CCalendarDialog::keyPressEvent(QKeyEvent* event) {
    // OK is the default: Enter places the calendar (Escape cancels, as in every dialog).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        acceptWithPicture();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CCalendarDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && event->position().y() < kCaptionStrip && windowHandle()) {
        windowHandle()->startSystemMove();
        return;
    }
    QDialog::mousePressEvent(event);
}

} // namespace text
