// The month calendar control and its dialog: stepping through months with the buttons, what OK, Cancel
// and the close button leave in the picture buffer, and the calendar placed from the Tool menu.
#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "controls/buttons/skin_button.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "text/calendar/calendar_picture.h"
#include "text/widgets/calendar_dialog.h"
#include "text/widgets/month_calendar_ctrl.h"
#include "workspace/widgets/workspace_wnd.h"

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

TEST(CalendarDialog, StepsAcrossTheYearAndOnlyOkWritesThePicture) {
    std::vector<std::uint8_t> picture = untouchedBuffer();
    for (controls::CSkinButton* (CCalendarDialog::*refuse)() const :
         {&CCalendarDialog::cancelButton, &CCalendarDialog::closeButton}) {
        CCalendarDialog dialog(nullptr, picture);
        dialog.show();
        click((dialog.*refuse)());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(picture, untouchedBuffer());
    }

    CCalendarDialog dialog(nullptr, picture);
    CMonthCalendar* calendar = dialog.calendar();
    EXPECT_EQ(calendar->shownMonth(), currentMonth());
    EXPECT_EQ(calendar->width(), 254); // 260 cut to whole columns
    calendar->showMonth({2028, 12});
    const QImage december = calendar->backBuffer();
    click(calendar->nextButton());
    EXPECT_EQ(calendar->shownMonth(), (CalendarMonth{2029, 1}));
    click(calendar->previousButton());
    click(calendar->previousButton());
    EXPECT_EQ(calendar->shownMonth(), (CalendarMonth{2028, 11}));
    click(calendar->nextButton());
    EXPECT_EQ(calendar->backBuffer(), december);

    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Return); // as OK
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(picture, calendarPictureOf({2028, 12}));
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
    EXPECT_EQ(calendar->offsetX, 0);
    EXPECT_EQ(calendar->offsetY, 0);
    // The document holds its own copy of the application's picture, which is February 2028.
    EXPECT_EQ(editor.calendarImage(), calendarPictureOf({2028, 2}));
    const QImage& pixels = document.memoryCliparts().at(static_cast<std::size_t>(calendar->resourceIndex));
    ASSERT_EQ(pixels.size(), QSize(260, 260));
    EXPECT_TRUE(std::equal(editor.calendarImage().begin(), editor.calendarImage().end(), pixels.constBits()));
    // The tool the user was in comes back.
    EXPECT_EQ(document.tool(), workspace::ToolText);
    EXPECT_EQ(window.activeToolMode(), workspace::ToolText);
}
