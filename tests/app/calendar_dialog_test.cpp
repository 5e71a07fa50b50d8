// The month calendar control and its dialog: stepping through months with the buttons, and what OK,
// Cancel and the close button leave in the picture buffer.
#include "controls/skin_button.h"
#include "text/calendar_picture.h"
#include "text/widgets/calendar_dialog.h"
#include "text/widgets/month_calendar_ctrl.h"

#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace text;

namespace {

std::vector<std::uint8_t> untouchedBuffer() {
    return std::vector<std::uint8_t>(kCalendarPictureSide * kCalendarPictureSide * 4, 0x5A);
}

void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5));
}

} // namespace

TEST(CalendarDialog, TheCalendarOpensOnTodayAndStepsAcrossTheYear) {
    std::vector<std::uint8_t> picture = untouchedBuffer();
    CCalendarDialog dialog(nullptr, picture);
    EXPECT_EQ(dialog.windowTitle(), "Add Transparent Month Calender");
    CMonthCalendar* calendar = dialog.calendar();
    EXPECT_EQ(calendar->shownMonth(), currentMonth());
    // Placed at (16, 40), 260 wide cut to whole columns.
    EXPECT_EQ(calendar->geometry(), QRect(16, 40, 254, 260));
    EXPECT_EQ(calendar->nextButton()->geometry(), QRect(214, 2, 30, 20));
    EXPECT_EQ(calendar->previousButton()->geometry(), QRect(10, 2, 30, 20));

    calendar->showMonth({2028, 12});
    const QImage december = calendar->backBuffer();
    click(calendar->nextButton());
    EXPECT_EQ(calendar->shownMonth(), (CalendarMonth{2029, 1}));
    EXPECT_NE(calendar->backBuffer(), december);
    click(calendar->previousButton());
    click(calendar->previousButton());
    EXPECT_EQ(calendar->shownMonth(), (CalendarMonth{2028, 11}));
    calendar->NextMonth();
    EXPECT_EQ(calendar->backBuffer(), december);
}

TEST(CalendarDialog, OkWritesTheShownMonthAndCancelOrCloseWriteNothing) {
    std::vector<std::uint8_t> picture = untouchedBuffer();
    {
        CCalendarDialog dialog(nullptr, picture);
        dialog.calendar()->showMonth({2028, 2});
        dialog.show();
        click(dialog.cancelButton());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(picture, untouchedBuffer());
    }
    {
        CCalendarDialog dialog(nullptr, picture);
        dialog.show();
        click(dialog.closeButton());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(picture, untouchedBuffer());
    }
    CCalendarDialog dialog(nullptr, picture);
    dialog.calendar()->showMonth({2028, 2});
    dialog.show();
    click(dialog.okButton());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    std::vector<std::uint8_t> expected(picture.size());
    ASSERT_TRUE(exportCalendarPicture(dialog.calendar()->backBuffer(), 260, 260, expected));
    EXPECT_EQ(picture, expected);

    // Enter is OK too.
    std::vector<std::uint8_t> second = untouchedBuffer();
    CCalendarDialog again(nullptr, second);
    again.show();
    QTest::keyClick(&again, Qt::Key_Return);
    EXPECT_EQ(again.result(), QDialog::Accepted);
    EXPECT_NE(second, untouchedBuffer());
}
