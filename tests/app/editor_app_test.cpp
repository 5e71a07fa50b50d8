#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "app/profile.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace app;
using testing_support::TempFolder;

namespace {

struct Editor {
    TempFolder program;
    platform::ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<CEditorApp> app;

    Editor() { make(); }
    void make() {
        auto scripted = std::make_unique<platform::ScriptedDialogs>();
        dialogs = scripted.get();
        app = std::make_unique<CEditorApp>(platform::Folders(program.path()), std::move(scripted));
    }
};

} // namespace

TEST(EditorApp, StartWritesTheLanguageFileAndShowsCaptions) {
    Editor editor;
    CEditorDlg& window = editor.app->startMainWindow();
    EXPECT_TRUE(QFileInfo(editor.program.file("Data/EnglishLang_src")).isFile());
    EXPECT_EQ(window.windowTitle(), "Quorix Pictovance Dazazizu");
    EXPECT_EQ(editor.app->languageText(23), "Quorix Pictovance Dazazizu");
    EXPECT_EQ(editor.app->languageText(24), "File");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(editor.dialogs->shown().size(), 0u);
    EXPECT_EQ(editor.app->acceleratorCount(), 12); // the six menus, F1 and five zoom keys
    EXPECT_EQ(editor.app->ExitInstance(), 0);
    EXPECT_EQ(editor.app->acceleratorCount(), 0);
}

TEST(EditorApp, DeletedDataFolderIsRecreatedAtTheNextStart) {
    Editor editor;
    editor.app->startMainWindow();
    editor.app.reset();
    ASSERT_TRUE(QDir(editor.program.file("Data")).removeRecursively());
    editor.make();
    editor.app->startMainWindow();
    EXPECT_TRUE(QFileInfo(editor.program.file("Data/EnglishLang_src")).isFile());
    EXPECT_EQ(editor.app->languageText(3), "Undo");
}

TEST(EditorApp, DataFolderThatCannotBeCreatedIsToldOnceAndTheEditorRuns) {
    Editor editor;
    ASSERT_TRUE(editor.program.write("Data", "a file where the folder belongs"));
    CEditorDlg& window = editor.app->startMainWindow();
    ASSERT_EQ(editor.dialogs->count("information"), 1);
    EXPECT_TRUE(editor.dialogs->shown()[0].text.contains("Data folder"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(editor.app->languageText(3).isEmpty()); // captions empty, never a crash
}

TEST(EditorApp, AcceleratorsReachTheMainWindowAsCommands) {
    Editor editor;
    CEditorDlg& window = editor.app->startMainWindow();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy routed(&window, &CEditorDlg::commandRouted);
    const std::pair<Qt::Key, int> keys[] = {{Qt::Key_F, 11007}, {Qt::Key_E, 11008}, {Qt::Key_T, 10997},
                                            {Qt::Key_M, 11012}, {Qt::Key_N, 11009}, {Qt::Key_H, 11011}};
    for (const auto& [key, command] : keys) {
        QTest::keyClick(&window, key, Qt::ControlModifier);
        ASSERT_FALSE(routed.isEmpty());
        EXPECT_EQ(routed.takeLast().at(0).toInt(), command);
    }
}

TEST(EditorApp, HandOffStoresThePifArgumentAndLaysOutAgain) {
    Editor editor;
    CEditorDlg& window = editor.app->startMainWindow();
    window.showMinimized();
    const int layouts = window.layoutCount();
    window.handOffReceived("\"/usr/bin/pictovance\" /tmp/card.PIF");
    EXPECT_FALSE(window.isMinimized());
    EXPECT_GT(window.layoutCount(), layouts);
    EXPECT_EQ(readProfileString("CommandPath", "path"), "/tmp/card.PIF");

    window.handOffReceived("\"/usr/bin/pictovance\" /tmp/other.pif");
    EXPECT_EQ(readProfileString("CommandPath", "path"), "/tmp/card.PIF"); // lower case: only raised
}

TEST(EditorApp, CalendarPictureIsOwnedAndFreedByTheApplication) {
    Editor editor;
    EXPECT_EQ(editor.app->allocateCalendarImage(260, 260).size(), 270400u);
    EXPECT_EQ(editor.app->calendarWidth(), 260);
    editor.app->allocateCalendarImage(260, 260); // a later calendar replaces the earlier picture
    EXPECT_EQ(editor.app->calendarImage().size(), 270400u);
    editor.app->ExitInstance();
    EXPECT_TRUE(editor.app->calendarImage().empty());
    EXPECT_EQ(editor.app->calendarHeight(), 0);
}

TEST(EditorApp, CloseCommandEndsTheWindow) {
    Editor editor;
    CEditorDlg& window = editor.app->startMainWindow();
    window.onCommand(ID_CLOSE);
    EXPECT_FALSE(window.isVisible());
}
