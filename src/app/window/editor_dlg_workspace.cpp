// The main window's part in placing resources on the workspace.
#include "app/window/editor_dlg.h"
#include "resources/resource_types.h"
#include "workspace/widgets/workspace_wnd.h"

namespace app {

void CEditorDlg::dropOnWorkspace(int category, int index, QPoint globalPoint) {
    if (!workspace_ || !workspace_->isVisible() || previewing())
        return;
    if (!workspace_->rect().contains(workspace_->mapFromGlobal(globalPoint)))
        return;
    if (const auto kind = resources::categoryFromCode(category))
        reportPlacement(workspace_->dropThumbnail(category, index, globalPoint), *kind);
}

} // namespace app
