#pragma once
// The month calendar control: one month drawn into a back buffer in engraved lettering, with "<<" and
// ">>" buttons in its title band to step through the months. It opens on today's month.

#include "text/calendar/month_calendar.h"

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <span>

namespace controls {
class CSkinButton;
}

namespace text {

class CMonthCalendar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kNextId = 11100;
    static constexpr int kPreviousId = 11101;

    // Placed at `rect` in `parent`, its width cut so that width - 2 is a multiple of seven.
    CMonthCalendar(const QRect& rect, QWidget* parent);
    ~CMonthCalendar() override;

    void NextMonth();
    void PreviousMonth();
    void showMonth(CalendarMonth month);
    CalendarMonth shownMonth() const { return shown_; }

    // What the control shows, buttons left out.
    const QImage& backBuffer() const { return backBuffer_; }
    // The calendar picture of width × height into `buffer` (see exportCalendarPicture).
    bool ExportCalendarPicture(int width, int height, std::span<std::uint8_t> buffer) const;

    controls::CSkinButton* nextButton() const { return next_.get(); }
    controls::CSkinButton* previousButton() const { return previous_.get(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void redraw();
    void placeButtons();

    CalendarMonth shown_;
    QImage backBuffer_;
    std::unique_ptr<controls::CSkinButton> next_;
    std::unique_ptr<controls::CSkinButton> previous_;
};

} // namespace text
