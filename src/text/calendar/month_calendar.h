#pragma once
// The month calendar's arithmetic and layout: which month is shown, where its title, weekday labels and
// 42 day cells lie, and which date each cell holds. The dates come from Qt's Gregorian calendar, so leap
// years and the weekday of every 1st are right for any four-digit year.

#include <QDate>
#include <QString>
#include <array>

namespace text {

inline constexpr int kCalendarTitleHeight = 24;
inline constexpr int kCalendarHeaderHeight = 20;
inline constexpr int kCalendarColumns = 7;
inline constexpr int kCalendarRows = 6;
inline constexpr int kCalendarCells = kCalendarColumns * kCalendarRows;
// The picture handed to the document is this many pixels square.
inline constexpr int kCalendarPictureSide = 260;

struct CalendarMonth {
    int year = 2000;
    int month = 1; // 1 January … 12 December
    friend bool operator==(const CalendarMonth&, const CalendarMonth&) = default;
};

// The local date's month.
CalendarMonth currentMonth();
// One month on, December → January of the next year; one month back, January → December of the year
// before.
CalendarMonth nextMonth(CalendarMonth shown);
CalendarMonth previousMonth(CalendarMonth shown);

// "January" … "December"; empty outside 1-12.
QString monthName(int month);
// Label 1-7 of the header: "SUN" … "SAT" (label 0 is empty).
QString weekdayLabel(int index);
// "%s, %04d": the month's name and the year in four digits.
QString calendarTitle(CalendarMonth shown);

// 0 Sunday … 6 Saturday for the 1st of the month.
int weekdayOfFirst(CalendarMonth shown);
// The date of cell k (0-41, row-major): the first row starts on the Sunday on or before the 1st.
QDate cellDate(CalendarMonth shown, int cell);
// The day of the month cell k shows, or 0 when its date lies in another month (the cell stays empty).
int cellDay(CalendarMonth shown, int cell);

// The control's width cut so that width - 2 is a multiple of seven.
int calendarWidthFor(int width);

// A cell by its edges; right and bottom lie just outside it.
struct CalendarCell {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const CalendarCell&, const CalendarCell&) = default;
};

struct CalendarLayout {
    CalendarCell title;                                     // the band the title is centred in
    std::array<CalendarCell, kCalendarColumns> headerCells; // the weekday labels
    std::array<CalendarCell, kCalendarCells> dayCells;      // 6 rows of 7
};

// The layout of a client area of width × height: seven equal columns in real numbers, truncated per
// cell, the title band on top, the labels under it and six equal rows of days filling the rest.
CalendarLayout layoutCalendar(int width, int height);

} // namespace text
