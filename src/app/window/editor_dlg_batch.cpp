// The main window's Batch Convert and Apply Recipe commands.
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "imaging/widgets/batch_convert_dialog.h"
#include "recipe/widgets/apply_recipe_dialog.h"
#include "workspace/widgets/workspace_wnd.h"

namespace app {

void CEditorDlg::openBatchConvert() {
    imaging::BatchConvertDialog dialog(this, app_.dialogs(), app_.folders().workingDataFolder(),
                                       app_.folders().documentsFolder());
    dialog.exec();
}

void CEditorDlg::openApplyRecipe() {
    if (!applyRecipe_) {
        recipe::EditorPhotos photos{[this](bool markedOnly) {
                                        QStringList paths;
                                        for (const PhotoRecord& record : photoList_.records)
                                            if (record.removed == 0 && (!markedOnly || record.marked != 0))
                                                paths << record.fullPath();
                                        return paths;
                                    },
                                    [this] { return workspace_->document().picturePath(); }};
        applyRecipe_ = std::make_unique<recipe::ApplyRecipeDialog>(this, app_.dialogs(), app_.folders(),
                                                                   std::move(photos));
    }
    applyRecipe_->show();
    applyRecipe_->raise();
    applyRecipe_->activateWindow();
}

} // namespace app
