// The main window's Tool menu commands for the wallpaper and the Batch Convert window, through the real
// routing with scripted dialogs and a recording stand-in for the desktop's tools.

#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "imaging/widgets/batch_convert_dialog.h"
#include "platform/scripted_dialogs.h"
#include "support/recording_tool_runner.h"
#include "support/temp_folder.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QApplication>
#include <QFileInfo>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace app;
using testing_support::RecordingToolRunner;
using testing_support::TempFolder;

namespace {

struct ToolCommands : ::testing::Test {
    TempFolder program;
    TempFolder user;
    platform::ScriptedDialogs* dialogs = nullptr;
    RecordingToolRunner* tools = nullptr;
    std::unique_ptr<CEditorApp> editor;
    CEditorDlg* window = nullptr;

    void SetUp() override {
        auto scripted = std::make_unique<platform::ScriptedDialogs>();
        dialogs = scripted.get();
        editor =
            std::make_unique<CEditorApp>(platform::Folders(program.path(), user.path()), std::move(scripted));
        window = &editor->startMainWindow();
        window->resize(1280, 800);
    }

    void useDesktop(const char* name) {
        auto recording = std::make_unique<RecordingToolRunner>();
        tools = recording.get();
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QLatin1String(name));
        editor->desktop() = {std::move(recording), environment};
    }

    QString wallpaper() const {
        return editor->folders().userDataFolder() + "Quorix Pictovance Wallpaper.bmp";
    }
};

} // namespace

TEST_F(ToolCommands, AnUnknownDesktopIsToldWhereThePictureIs) {
    useDesktop("sway");
    window->onCommand(ID_TOOL_SET_WALLPAPER);
    EXPECT_EQ(QFileInfo(wallpaper()).absolutePath(), user.file("share/Quorix/Pictovance Dazazizu"));
    EXPECT_EQ(QImage(wallpaper()).size(), QSize(window->workspace()->document().canvasWidth(),
                                                window->workspace()->document().canvasHeight()));
    ASSERT_EQ(dialogs->count(QStringLiteral("information")), 1);
    EXPECT_TRUE(dialogs->shown().back().text.contains(wallpaper()));
    EXPECT_TRUE(tools->calls().empty());
}

TEST_F(ToolCommands, BatchConvertOpensItsWindowModally) {
    QString title;
    QString folder;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<imaging::BatchConvertDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        folder = dialog->outputFolder();
        dialog->onCommand(imaging::BatchConvertDialog::ID_CLOSE);
    });
    window->onCommand(ID_TOOL_BATCH_CONVERT);
    EXPECT_EQ(title, QStringLiteral("Batch Convert"));
    EXPECT_EQ(folder, user.file("Documents/Quorix Pictovnce Dazazizu/Convert/"));
}
