// The month calendar: its dates for leap years and for months starting on any weekday, its stepping
// across years, its layout, and the picture with alpha it exports.
#include "text/calendar_picture.h"
#include "text/month_calendar.h"

#include <gtest/gtest.h>
#include <vector>

using namespace text;

namespace {

// The days shown, cell by cell (0 for an empty cell).
std::vector<int> shownDays(CalendarMonth month) {
    std::vector<int> days;
    for (int k = 0; k < kCalendarCells; ++k)
        days.push_back(cellDay(month, k));
    return days;
}

int lastDay(CalendarMonth month) {
    int last = 0;
    for (const int day : shownDays(month))
        last = std::max(last, day);
    return last;
}

// The control's back buffer as the dialog makes it: 260 × 260 cut to whole columns.
QImage drawnMonth(CalendarMonth month) {
    QImage buffer(calendarWidthFor(kCalendarPictureSide), kCalendarPictureSide, QImage::Format_RGB32);
    drawMonthCalendar(buffer, month);
    return buffer;
}

std::vector<std::uint8_t> exported(const QImage& buffer) {
    std::vector<std::uint8_t> picture(kCalendarPictureSide * kCalendarPictureSide * 4, 0xAB);
    EXPECT_TRUE(exportCalendarPicture(buffer, kCalendarPictureSide, kCalendarPictureSide, picture));
    return picture;
}

const std::uint8_t* pixelAt(const std::vector<std::uint8_t>& picture, int x, int y) {
    return picture.data() + (static_cast<std::size_t>(y) * kCalendarPictureSide + x) * 4;
}

} // namespace

TEST(MonthCalendar, LeapYearsFollowTheGregorianRules) {
    EXPECT_EQ(lastDay({2028, 2}), 29);
    EXPECT_EQ(lastDay({2000, 2}), 29); // divisible by 400
    EXPECT_EQ(lastDay({1900, 2}), 28); // divisible by 100 only
    EXPECT_EQ(lastDay({2027, 2}), 28);
    // 1 February 2028 is a Tuesday: the 1st in the third column, the 29th in cell 2 + 28.
    EXPECT_EQ(weekdayOfFirst({2028, 2}), 2);
    const std::vector<int> days = shownDays({2028, 2});
    EXPECT_EQ(days[0], 0);
    EXPECT_EQ(days[2], 1);
    EXPECT_EQ(days[30], 29);
    EXPECT_EQ(days[31], 0);
    EXPECT_EQ(cellDate({2028, 2}, 0), QDate(2028, 1, 30)); // the Sunday before
}

TEST(MonthCalendar, MonthsStartingOnSundayAndOnSaturday) {
    // 1 September 2024 is a Sunday: it fills the first cell, and the month takes five rows.
    EXPECT_EQ(weekdayOfFirst({2024, 9}), 0);
    EXPECT_EQ(cellDay({2024, 9}, 0), 1);
    EXPECT_EQ(cellDay({2024, 9}, 29), 30);
    EXPECT_EQ(cellDay({2024, 9}, 35), 0);
    // 1 June 2024 is a Saturday: the 1st in the last column and the 30th in the sixth row.
    EXPECT_EQ(weekdayOfFirst({2024, 6}), 6);
    EXPECT_EQ(cellDay({2024, 6}, 5), 0);
    EXPECT_EQ(cellDay({2024, 6}, 6), 1);
    EXPECT_EQ(cellDay({2024, 6}, 35), 30);
    EXPECT_EQ(cellDay({2024, 6}, 36), 0);
}

TEST(MonthCalendar, SteppingWrapsTheYearAndTheTitleShowsFourDigits) {
    EXPECT_EQ(nextMonth({2028, 12}), (CalendarMonth{2029, 1}));
    EXPECT_EQ(previousMonth({2029, 1}), (CalendarMonth{2028, 12}));
    EXPECT_EQ(nextMonth({2028, 2}), (CalendarMonth{2028, 3}));
    EXPECT_EQ(calendarTitle({2029, 1}), "January, 2029");
    EXPECT_EQ(calendarTitle({987, 9}), "September, 0987");
    // Stepping stops where four digits end.
    EXPECT_EQ(previousMonth({1, 1}), (CalendarMonth{1, 1}));
    EXPECT_EQ(nextMonth({9999, 12}), (CalendarMonth{9999, 12}));
    EXPECT_EQ(weekdayLabel(1), "SUN");
    EXPECT_EQ(weekdayLabel(4), "WON");
    EXPECT_EQ(weekdayLabel(0), "");
    EXPECT_EQ(monthName(12), "December");
}

TEST(MonthCalendar, LayoutOfTheDialogsCalendar) {
    EXPECT_EQ(calendarWidthFor(260), 254); // (260 - 2) cut to 36 columns of 7, plus 2
    const CalendarLayout layout = layoutCalendar(254, 260);
    // Columns of 254 / 7 = 36.29 pixels, truncated per cell; rows of (260 - 44) / 6 = 36.
    EXPECT_EQ(layout.headerCells[1], (CalendarCell{36, 24, 72, 44}));
    EXPECT_EQ(layout.headerCells[6], (CalendarCell{217, 24, 253, 44}));
    EXPECT_EQ(layout.dayCells[0], (CalendarCell{0, 44, 36, 80}));
    EXPECT_EQ(layout.dayCells[41], (CalendarCell{217, 224, 253, 260}));
}

TEST(CalendarPicture, AlphaGoesBySumOfTheColour) {
    EXPECT_EQ(calendarAlpha(220, 220, 220), 255);
    EXPECT_EQ(calendarAlpha(10, 10, 10), 255);
    EXPECT_EQ(calendarAlpha(255, 255, 255), 0);
    EXPECT_EQ(calendarAlpha(240, 240, 240), 128);
    EXPECT_EQ(calendarAlpha(30, 0, 0), 255); // only the sum counts
}

TEST(CalendarPicture, WhiteIsTransparentAndTheEngravingOpaque) {
    const QImage drawn = drawnMonth({2028, 2});
    const std::vector<std::uint8_t> picture = exported(drawn);
    int light = 0;
    int dark = 0;
    int fringe = 0;
    for (int y = 0; y < kCalendarPictureSide; ++y) {
        for (int x = 0; x < kCalendarPictureSide; ++x) {
            const std::uint8_t* p = pixelAt(picture, x, y);
            const int sum = p[0] + p[1] + p[2];
            if (x >= drawn.width()) {
                // Beyond the 254-pixel drawing: white and fully transparent.
                ASSERT_EQ(sum, 765) << x << "," << y;
                ASSERT_EQ(p[3], 0) << x << "," << y;
                continue;
            }
            const QRgb source = drawn.pixel(x, y);
            ASSERT_EQ(p[0], qBlue(source));
            ASSERT_EQ(p[2], qRed(source));
            ASSERT_EQ(p[3], calendarAlpha(p[2], p[1], p[0]));
            light += sum == 660 ? 1 : 0;
            dark += sum == 30 ? 1 : 0;
            fringe += p[3] == 128 ? 1 : 0;
        }
    }
    // Both greys of the engraving survive as solid pixels, so the lettering reads on a dark photo (light)
    // and on a light one (dark), with half-transparent fringes between.
    EXPECT_GT(light, 2000);
    EXPECT_GT(dark, 150);
    EXPECT_GT(fringe, 1000);

    // The cells of other months stay empty: after the 29th nothing is drawn in the grid.
    const CalendarCell empty = layoutCalendar(drawn.width(), drawn.height()).dayCells[40];
    for (int y = empty.top; y < empty.bottom; ++y)
        for (int x = empty.left; x < empty.right; ++x)
            ASSERT_EQ(pixelAt(picture, x, y)[3], 0) << x << "," << y;
}

TEST(CalendarPicture, EachMonthLooksDifferentAndASmallBufferIsRefused) {
    EXPECT_NE(drawnMonth({2028, 2}), drawnMonth({2028, 3}));
    std::vector<std::uint8_t> small(260 * 260 * 4 - 1, 7);
    EXPECT_FALSE(exportCalendarPicture(drawnMonth({2028, 2}), 260, 260, small));
    EXPECT_EQ(small.front(), 7);
}
