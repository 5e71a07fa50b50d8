#include "text/widgets/month_calendar_ctrl.h"

#include "controls/buttons/skin_button.h"
#include "text/calendar/calendar_picture.h"

#include <QPainter>

namespace text {

CMonthCalendar::CMonthCalendar(const QRect& rect, QWidget* parent) : QWidget(parent), shown_(currentMonth()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    next_ = std::make_unique<controls::CSkinButton>(kNextId, QStringLiteral(">>"), this);
    previous_ = std::make_unique<controls::CSkinButton>(kPreviousId, QStringLiteral("<<"), this);
    connect(next_.get(), &controls::CSkinButton::command, this, [this] { NextMonth(); });
    connect(previous_.get(), &controls::CSkinButton::command, this, [this] { PreviousMonth(); });
    setGeometry(rect.left(), rect.top(), calendarWidthFor(rect.width()), rect.height());
    placeButtons();
    redraw();
}

CMonthCalendar::~CMonthCalendar() = default;

void CMonthCalendar::NextMonth() {
    showMonth(nextMonth(shown_));
}

void CMonthCalendar::PreviousMonth() {
    showMonth(previousMonth(shown_));
}

void CMonthCalendar::showMonth(CalendarMonth month) {
    if (month.month < 1 || month.month > 12)
        return;
    shown_ = month;
    redraw();
}

bool CMonthCalendar::ExportCalendarPicture(int width, int height, std::span<std::uint8_t> buffer) const {
    return exportCalendarPicture(backBuffer_, width, height, buffer);
}

void CMonthCalendar::redraw() {
    if (backBuffer_.size() != size())
        backBuffer_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    drawMonthCalendar(backBuffer_, shown_);
    update();
}

void CMonthCalendar::placeButtons() {
    // (right - 40, 2) to (right - 10, 22) and (10, 2) to (40, 22), right and bottom edges outside.
    next_->setGeometry(width() - 40, 2, 30, 20);
    previous_->setGeometry(10, 2, 30, 20);
}

void CMonthCalendar::resizeEvent(QResizeEvent*) {
    placeButtons();
    if (backBuffer_.size() != size())
        redraw();
}

void CMonthCalendar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, backBuffer_);
}

} // namespace text
