// The main window's crop tool: the crop panel and its "Crop".
#include "app/editor_app.h"
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
    // Flattening for a cut that cannot be made would record a step that changes nothing but the objects.
    if (refuseTooSmallCrop(QStringLiteral("Nothing was cropped.")))
        return;
    const WaitCursor wait(std::int64_t{document.canvasWidth()} * document.canvasHeight() >
                          workspace::kWaitCursorPixels);
    document.FlattenIntoPhoto(true); // the status line follows the step it records
}

bool CEditorDlg::refuseTooSmallCrop(const QString& consequence) {
    const workspace::WorkspaceDocument& document = workspace_->document();
    if (document.tool() != workspace::ToolCrop || document.cropCutsPhoto())
        return false;
    QString reason = QString::fromLatin1(workspace::WorkspaceDocument::kCropTooSmall);
    reason[0] = reason[0].toUpper();
    app_.dialogs().inform(this, reason + QStringLiteral(".\n") + consequence);
    return true;
}

} // namespace app
