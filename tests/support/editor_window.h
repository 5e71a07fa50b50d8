#pragma once
// The main window started as the editor starts it, in a program folder of its own, with scripted
// dialogs and at the size the tests lay out for: the fixture most main-window tests share.

#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "platform/folders.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QTest>
#include <memory>

namespace testing_support {

struct EditorWindow {
    TempFolder program;
    platform::ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<app::CEditorApp> editor;
    app::CEditorDlg* window = nullptr;

    void startEditor() {
        auto scripted = std::make_unique<platform::ScriptedDialogs>();
        dialogs = scripted.get();
        editor = std::make_unique<app::CEditorApp>(platform::Folders(program.path()), std::move(scripted));
        window = &editor->startMainWindow();
        window->resize(1280, 800);
    }

    // For tests that need the keyboard: the window takes the focus.
    [[nodiscard]] bool activate() {
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }

    workspace::WorkspaceDocument& document() { return window->workspace()->document(); }
};

} // namespace testing_support
