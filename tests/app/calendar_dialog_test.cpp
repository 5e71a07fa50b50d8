// The month calendar control and its dialog: stepping through months with the buttons, what OK, Cancel
// and the close button leave in the picture buffer, and the calendar placed from the Tool menu.
#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/editor_dlg.h"
#include "controls/skin_button.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "text/calendar_picture.h"
#include "text/widgets/calendar_dialog.h"
#include "text/widgets/month_calendar_ctrl.h"
#include "workspace/workspace_wnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace text;

namespace {

std::vector<std::uint8_t> untouchedBuffer() {
    return std::vector<std::uint8_t>(kCalendarPictureSide * kCalendarPictureSide * 4, 0x5A);
}

void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5));
}

// Answers the calendar dialog once it runs: shows February 2028 and presses OK, or Cancel.
void answerCalendar(bool ok) {
    QTimer::singleShot(0, [ok] {
        auto* dialog = qobject_cast<CCalendarDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->calendar()->showMonth({2028, 2});
        click(ok ? dialog->okButton() : dialog->cancelButton());
    });
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

TEST(CalendarInWindow, ToolMenuPlacesTheCalendarAsAClipartInTheMiddleOfThePhoto) {
    testing_support::TempFolder program;
    app::CEditorApp editor(platform::Folders(program.path()), std::make_unique<platform::ScriptedDialogs>());
    app::CEditorDlg& window = editor.startMainWindow();
    window.resize(1280, 800);
    workspace::WorkspaceDocument& document = window.workspace()->document();
    window.onCommand(app::ID_TAB_TEXT);

    answerCalendar(false);
    window.onCommand(app::ID_TOOL_CALENDAR);
    EXPECT_TRUE(document.objects().empty());
    EXPECT_EQ(editor.calendarImage().size(), 260u * 260u * 4u); // allocated all the same

    answerCalendar(true);
    window.onCommand(app::ID_TOOL_CALENDAR);
    ASSERT_EQ(document.objects().size(), 1);
    const workspace::ClipartObject* calendar = document.objects().get<workspace::ClipartObject>(0);
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->inMemory, 1);
    EXPECT_EQ(calendar->selected, 1);
    EXPECT_EQ(calendar->width, 260);
    EXPECT_EQ(calendar->height, 260);
    EXPECT_EQ(calendar->offsetX, 0);
    EXPECT_EQ(calendar->offsetY, 0);
    // The document holds its own copy of the application's picture, which is February 2028.
    const QImage& pixels = document.memoryCliparts().at(static_cast<std::size_t>(calendar->resourceIndex));
    ASSERT_EQ(pixels.size(), QSize(260, 260));
    EXPECT_TRUE(std::equal(editor.calendarImage().begin(), editor.calendarImage().end(), pixels.constBits()));
    EXPECT_EQ(editor.calendarImage(), calendarPictureOf({2028, 2}));
    // The tool the user was in comes back; one undo takes the calendar away.
    EXPECT_EQ(document.tool(), workspace::ToolText);
    EXPECT_EQ(window.activeToolMode(), workspace::ToolText);
    EXPECT_TRUE(document.modified());
    document.undo();
    EXPECT_TRUE(document.objects().empty());
}
