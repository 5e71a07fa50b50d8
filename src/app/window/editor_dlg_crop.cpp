// The main window's crop tool: the crop panel and its "Crop".
#include "app/window/editor_dlg.h"
#include "app/window/wait_cursor.h"
#include "imaging/widgets/crop_panel.h"
#include "workspace/widgets/workspace_wnd.h"

#include <cstdint>

namespace app {

std::unique_ptr<QWidget> CEditorDlg::createCropPanel() {
    auto panel = std::make_unique<imaging::CropPanel>(this);
    panel->setCaption(
        QStringLiteral("Choose a proportion, size the rectangle on the photo, then press Crop."));
    return panel;
}

void CEditorDlg::applyCrop() {
    workspace::WorkspaceDocument& document = workspace_->document();
    {
        const WaitCursor wait(std::int64_t{document.canvasWidth()} * document.canvasHeight() >
                              workspace::kWaitCursorPixels);
        document.FlattenIntoPhoto(true);
    }
    refreshStatusReadout();
}

} // namespace app
