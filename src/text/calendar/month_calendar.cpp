#include "text/calendar/month_calendar.h"

#include <array>

namespace text {

namespace {

// The title shows the year in four digits: stepping stops at the ends of that range.
constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;

constexpr std::array<const char*, 12> kMonthNames{"January",   "February", "March",    "April",
                                                  "May",       "June",     "July",     "August",
                                                  "September", "October",  "November", "December"};
// Index 0 is the empty label; 1-7 run from Sunday.
constexpr std::array<const char*, 8> kWeekdayLabels{"", "SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};

QDate firstOf(CalendarMonth shown) {
    return QDate(shown.year, shown.month, 1);
}

} // namespace

CalendarMonth currentMonth() {
    const QDate today = QDate::currentDate();
    return {today.year(), today.month()};
}

CalendarMonth nextMonth(CalendarMonth shown) {
    if (shown.month < 12)
        return {shown.year, shown.month + 1};
    return shown.year < kLastYear ? CalendarMonth{shown.year + 1, 1} : shown;
}

CalendarMonth previousMonth(CalendarMonth shown) {
    if (shown.month > 1)
        return {shown.year, shown.month - 1};
    return shown.year > kFirstYear ? CalendarMonth{shown.year - 1, 12} : shown;
}

QString monthName(int month) {
    if (month < 1 || month > 12)
        return {};
    return QString::fromLatin1(kMonthNames[static_cast<std::size_t>(month - 1)]);
}

QString weekdayLabel(int index) {
    if (index < 0 || index >= static_cast<int>(kWeekdayLabels.size()))
        return {};
    return QString::fromLatin1(kWeekdayLabels[static_cast<std::size_t>(index)]);
}

QString calendarTitle(CalendarMonth shown) {
    return QStringLiteral("%1, %2").arg(monthName(shown.month)).arg(shown.year, 4, 10, QLatin1Char('0'));
}

int weekdayOfFirst(CalendarMonth shown) {
    const QDate first = firstOf(shown);
    return first.isValid() ? first.dayOfWeek() % 7 : 0; // Qt counts Monday 1 … Sunday 7
}

QDate cellDate(CalendarMonth shown, int cell) {
    const QDate first = firstOf(shown);
    if (!first.isValid() || cell < 0 || cell >= kCalendarCells)
        return {};
    return first.addDays(cell - weekdayOfFirst(shown));
}

int cellDay(CalendarMonth shown, int cell) {
    const QDate date = cellDate(shown, cell);
    return date.isValid() && date.month() == shown.month && date.year() == shown.year ? date.day() : 0;
}

int calendarWidthFor(int width) {
    if (width < 2)
        return width;
    return (width - 2) / kCalendarColumns * kCalendarColumns + 2;
}

CalendarLayout layoutCalendar(int width, int height) {
    CalendarLayout layout;
    layout.title = {0, 0, width, kCalendarTitleHeight};
    const double column = width / static_cast<double>(kCalendarColumns);
    const int gridTop = kCalendarTitleHeight + kCalendarHeaderHeight;
    for (int i = 0; i < kCalendarColumns; ++i) {
        const int left = static_cast<int>(column * i);
        layout.headerCells[static_cast<std::size_t>(i)] = {left, kCalendarTitleHeight,
                                                           static_cast<int>(left + column), gridTop};
    }
    const double row = (height - gridTop) / static_cast<double>(kCalendarRows);
    for (int r = 0; r < kCalendarRows; ++r) {
        for (int c = 0; c < kCalendarColumns; ++c) {
            const int top = static_cast<int>(gridTop + row * r);
            const int left = static_cast<int>(column * c);
            layout.dayCells[static_cast<std::size_t>(r * kCalendarColumns + c)] = {
                left, top, static_cast<int>(column + left), static_cast<int>(row + top)};
        }
    }
    return layout;
}

} // namespace text
