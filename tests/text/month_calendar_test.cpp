// The month calendar: its dates for leap years and for months starting on any weekday, its stepping
// across years, and the picture with alpha it exports.
#include "text/calendar/calendar_picture.h"
#include "text/calendar/month_calendar.h"

#include <gtest/gtest.h>
#include <vector>

using namespace text;

namespace {

int lastDay(CalendarMonth month) {
    int last = 0;
    for (int k = 0; k < kCalendarCells; ++k)
        last = std::max(last, cellDay(month, k));
    return last;
}

} // namespace

TEST(MonthCalendar, LeapYearsAndMonthsStartingOnAnyWeekday) {
    EXPECT_EQ(lastDay({2028, 2}), 29);
    EXPECT_EQ(lastDay({2000, 2}), 29); // divisible by 400
    EXPECT_EQ(lastDay({1900, 2}), 28); // divisible by 100 only
    // 1 February 2028 is a Tuesday: the first row starts on Sunday 30 January, left empty.
    EXPECT_EQ(cellDate({2028, 2}, 0), QDate(2028, 1, 30));
    EXPECT_EQ(cellDay({2028, 2}, 1), 0);
    EXPECT_EQ(cellDay({2028, 2}, 2), 1);
    EXPECT_EQ(cellDay({2028, 2}, 30), 29);
    EXPECT_EQ(cellDay({2028, 2}, 31), 0);
    // 1 September 2024 is a Sunday: it fills the first cell.
    EXPECT_EQ(cellDay({2024, 9}, 0), 1);
    // 1 June 2024 is a Saturday: the 1st in the last column and the 30th in the sixth row.
    EXPECT_EQ(weekdayOfFirst({2024, 6}), 6);
    EXPECT_EQ(cellDay({2024, 6}, 6), 1);
    EXPECT_EQ(cellDay({2024, 6}, 35), 30);
}

TEST(MonthCalendar, SteppingWrapsTheYearAndTheTitleShowsFourDigits) {
    EXPECT_EQ(nextMonth({2028, 12}), (CalendarMonth{2029, 1}));
    EXPECT_EQ(previousMonth({2029, 1}), (CalendarMonth{2028, 12}));
    EXPECT_EQ(calendarTitle({2029, 1}), "January, 2029");
    EXPECT_EQ(calendarTitle({987, 9}), "September, 0987");
    // Stepping stops where four digits end.
    EXPECT_EQ(previousMonth({1, 1}), (CalendarMonth{1, 1}));
    EXPECT_EQ(nextMonth({9999, 12}), (CalendarMonth{9999, 12}));
}

TEST(MonthCalendar, WeekdaysAreLabelledFromSundayAndWednesdayIsSpelledRight) {
    // The labels end up printed in the user's photo: a misspelt day would be exported with it.
    const char* expected[] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    for (int day = 1; day <= 7; ++day)
        EXPECT_EQ(weekdayLabel(day), expected[day - 1]) << day;
}

TEST(CalendarPicture, WhiteIsTransparentAndBothEngravingGreysOpaque) {
    EXPECT_EQ(calendarAlpha(220, 220, 220), 255);
    EXPECT_EQ(calendarAlpha(10, 10, 10), 255);
    EXPECT_EQ(calendarAlpha(255, 255, 255), 0);
    EXPECT_EQ(calendarAlpha(240, 240, 240), 128);

    QImage drawn(calendarWidthFor(kCalendarPictureSide), kCalendarPictureSide, QImage::Format_RGB32);
    drawMonthCalendar(drawn, {2028, 2});
    ASSERT_EQ(drawn.width(), 254);
    const std::vector<std::uint8_t> picture = calendarPictureOf({2028, 2});
    ASSERT_EQ(picture.size(), 260u * 260u * 4u);
    int light = 0;
    int dark = 0;
    for (int y = 0; y < 260; ++y) {
        for (int x = 0; x < 260; ++x) {
            const std::uint8_t* p = picture.data() + (y * 260 + x) * 4;
            // Beyond the 254-pixel drawing: white and fully transparent; within it, the drawing's colour.
            const QRgb source = x < drawn.width() ? drawn.pixel(x, y) : 0xFFFFFFFF;
            ASSERT_EQ(p[0], qBlue(source)) << x << "," << y;
            ASSERT_EQ(p[2], qRed(source)) << x << "," << y;
            ASSERT_EQ(p[3], calendarAlpha(qRed(source), qGreen(source), qBlue(source))) << x << "," << y;
            light += p[0] + p[1] + p[2] == 660;
            dark += p[0] + p[1] + p[2] == 30;
        }
    }
    // Both greys survive as solid pixels, so the lettering reads on a dark photo (light) and on a light
    // one (dark).
    EXPECT_GT(light, 2000);
    EXPECT_GT(dark, 150);
    // After the 29th the grid stays empty, and transparent.
    EXPECT_EQ(picture[(250 * 260 + 200) * 4 + 3], 0);

    std::vector<std::uint8_t> small(260 * 260 * 4 - 1, 7);
    EXPECT_FALSE(exportCalendarPicture(drawn, 260, 260, small));
    EXPECT_EQ(small.front(), 7);
}
