// The main window's crop tool: the crop panel and its "Crop".
#include "app/editor_dlg.h"
#include "imaging/widgets/crop_panel.h"
#include "workspace/workspace_wnd.h"

namespace app {

std::unique_ptr<QWidget> CEditorDlg::createCropPanel() {
    auto panel = std::make_unique<imaging::CropPanel>(this);
    panel->setCaption(
        QStringLiteral("Choose a proportion, size the rectangle on the photo, then press Crop."));
    return panel;
}

void CEditorDlg::applyCrop() {
    workspace_->document().FlattenIntoPhoto(true);
    refreshStatusReadout();
}

} // namespace app
