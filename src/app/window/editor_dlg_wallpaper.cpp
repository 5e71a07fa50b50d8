// The main window's wallpaper commands: the photo area onto the desktop and off again.
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "app/window/wait_cursor.h"
#include "platform/wallpaper/desktop_wallpaper.h"
#include "workspace/widgets/workspace_wnd.h"

namespace app {

void CEditorDlg::setWallpaper(int action) {
    workspace::WorkspaceDocument& document = workspace_->document();
    platform::DesktopSession& session = app_.desktop();
    const QString folder = app_.folders().userDataFolder();
    platform::DesktopWallpaper desktop(session.kind(), *session.tools,
                                       folder + QLatin1String(platform::kWallpaperMemoryFileName));
    platform::WallpaperReport report;
    {
        const WaitCursor wait(action == 0 && std::int64_t{document.canvasWidth()} * document.canvasHeight() >
                                                 workspace::kWaitCursorPixels);
        report = document.SetWallpaper(action, desktop, folder + QLatin1String(platform::kWallpaperFileName));
    }
    updateUndoRedo();
    if (!report.message.isEmpty())
        app_.dialogs().inform(this, report.message);
}

} // namespace app
