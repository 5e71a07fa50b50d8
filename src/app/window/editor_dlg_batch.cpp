// The main window's Batch Convert command.
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "imaging/widgets/batch_convert_dialog.h"

namespace app {

void CEditorDlg::openBatchConvert() {
    imaging::BatchConvertDialog dialog(this, app_.dialogs(), app_.folders().workingDataFolder(),
                                       app_.folders().documentsFolder());
    dialog.exec();
}

} // namespace app
