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
    offerSavedRecipe();
    applyRecipe_->show();
    applyRecipe_->raise();
    applyRecipe_->activateWindow();
}

// Decorating one photo and applying it to many: the recipe just saved is the one the Apply Recipe window
// starts at, unless the user chose another there.
void CEditorDlg::offerSavedRecipe() {
    if (!applyRecipe_ || applyRecipe_->busy() || savedRecipe_.isEmpty() || savedRecipe_ == offeredRecipe_)
        return;
    const QString shown = applyRecipe_->recipeFile();
    if (!shown.isEmpty() && shown != offeredRecipe_)
        return;
    if (applyRecipe_->useRecipe(savedRecipe_).isEmpty())
        offeredRecipe_ = savedRecipe_;
}

} // namespace app
