// The main window tells the user what went wrong in the workspace, in its own words.
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "workspace/document_listener.h"

namespace app {

void CEditorDlg::reportDocumentProblem(workspace::DocumentProblem problem) {
    switch (problem) {
    case workspace::DocumentProblem::RenderFailed:
        app_.dialogs().inform(this,
                              QStringLiteral("There is not enough memory to draw the picture at its full "
                                             "size.\nNothing was changed."));
        break;
    case workspace::DocumentProblem::UndoHistoryRestarted:
        app_.dialogs().inform(this,
                              QStringLiteral("The undo file could not be written (the disk may be full, or "
                                             "its folder may have gone).\nThe changes made so far can no "
                                             "longer be undone."));
        break;
    }
}

} // namespace app
