// The main window's colour tool and effect filters: the colour panel's message, and the Tool menu's
// filter entries with the wait cursor and Escape.
#include "app/window/editor_dlg.h"
#include "app/window/escape_watch.h"
#include "app/window/menu_definitions.h"
#include "app/window/tool_panels.h"
#include "app/window/wait_cursor.h"
#include "imaging/filters/image_commands.h"
#include "imaging/widgets/colour_panel.h"
#include "workspace/widgets/workspace_wnd.h"

namespace app {

namespace {

using imaging::FilterMenu;

// The operation of a Tool menu filter entry, named by its submenu and its text as a recipe names it; 0
// when the command is no filter entry.
int filterOperationOf(int commandId) {
    for (const controls::MenuItemRecord& popup : toolMenuItems()) {
        FilterMenu menu;
        if (popup.text == QLatin1String("Add Linear Filter"))
            menu = FilterMenu::Linear;
        else if (popup.text == QLatin1String("Add Non Linear Filter"))
            menu = FilterMenu::NonLinear;
        else
            continue;
        for (const controls::MenuItemRecord& entry : popup.submenu)
            if (entry.id == commandId)
                return imaging::filterMenuOperation(menu, entry.text);
    }
    return 0;
}

// Runs the filter on a worker thread; Escape asks it to stop through the picture's escape flag.
void runFilterWatchingEscape(imaging::Picture& picture, const std::function<void()>& work) {
    runWatchingEscape(work, [&picture] { picture.SetEscape(1); });
}

} // namespace

std::unique_ptr<QWidget> CEditorDlg::createColourPanel() {
    return std::make_unique<imaging::ColourPanel>(this);
}

imaging::ColourPanel* CEditorDlg::colourPanel() const {
    return qobject_cast<imaging::ColourPanel*>(toolPanel(workspace::ToolTuning));
}

void CEditorDlg::adjustColours() {
    if (const imaging::ColourPanel* panel = colourPanel())
        workspace_->document().SetColourAdjustment(imaging::colourAdjustmentFromPositions(panel->positions()),
                                                   panel->gesture());
}

void CEditorDlg::showColourAdjustment() {
    imaging::ColourPanel* panel = colourPanel();
    if (!panel)
        return;
    const workspace::ObjectList& objects = workspace_->document().objects();
    imaging::ColourAdjustment shown;
    for (int i = 0; i < objects.size(); ++i)
        if (const auto* values = objects.get<imaging::ColourAdjustment>(i))
            shown = *values;
    // A slider being dragged already stands for the document's values: leave it alone.
    if (imaging::colourAdjustmentFromPositions(panel->positions()) != shown)
        panel->setPositions(imaging::colourPositionsFromAdjustment(shown));
}

bool CEditorDlg::runFilterCommand(int commandId) {
    const int operation = filterOperationOf(commandId);
    if (operation == 0)
        return false;
    workspace::WorkspaceDocument& document = workspace_->document();
    {
        const WaitCursor cursor(std::int64_t{document.canvasWidth()} * document.canvasHeight() >
                                workspace::kWaitCursorPixels);
        document.ApplyImageCommand(operation, runFilterWatchingEscape);
    }
    refreshStatusReadout();
    return true;
}

} // namespace app
