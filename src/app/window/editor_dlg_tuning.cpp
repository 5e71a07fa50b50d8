// The main window's colour tool and effect filters: the colour panel's message, and the Tool menu's
// filter entries with the wait cursor and Escape.
#include "app/window/editor_dlg.h"
#include "app/window/menu_definitions.h"
#include "app/window/tool_panels.h"
#include "app/window/wait_cursor.h"
#include "imaging/filters/image_commands.h"
#include "imaging/widgets/colour_panel.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <exception>
#include <thread>

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

// While a filter runs the document is half-way through a change, so the user's input is held back; only
// Escape counts, and it asks the filter to stop.
class EscapeWatcher : public QObject {
public:
    explicit EscapeWatcher(imaging::Picture& picture) : picture_(picture) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
                picture_.SetEscape(1);
            return true;
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Close:
            return true;
        default:
            return false;
        }
    }

private:
    imaging::Picture& picture_;
};

// Runs the filter on a worker thread and keeps this thread's events flowing, so that Escape is seen.
void runWatchingEscape(imaging::Picture& picture, const std::function<void()>& work) {
    EscapeWatcher watcher(picture);
    qApp->installEventFilter(&watcher);
    QEventLoop loop;
    std::exception_ptr error;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            error = std::current_exception();
        }
        // Queued, so that it ends the loop even when the work is done before the loop starts.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    qApp->removeEventFilter(&watcher);
    if (error)
        std::rethrow_exception(error);
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
        document.ApplyImageCommand(operation, runWatchingEscape);
    }
    refreshStatusReadout();
    return true;
}

} // namespace app
