// The main window as router: commands, private messages, the keyboard and mouse rules that apply
// everywhere in the window, tool panels, preview and the brush parameters.
#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "app/window/empty_panel.h"
#include "app/window/dial_readouts.h"
#include "app/window/main_layout.h"
#include "app/photos/import_progress_window.h"
#include "app/photos/photo_list_ctrl.h"
#include "app/window/tool_panels.h"
#include "controls/colour/colour_swatch_grid.h"
#include "controls/dez_menu.h"
#include "controls/dial_ctrl.h"
#include "controls/buttons/skin_button.h"
#include "controls/skin_slider.h"
#include "controls/buttons/tab_button.h"
#include "controls/buttons/toggle_button.h"
#include "resources/widgets/resource_list.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

namespace app {

using namespace platform;

void CEditorDlg::onCommand(int id) {
    endTypingBurst();
    switch (id) {
    case ID_CLOSE:
    case ID_FILE_EXIT:
        if (mayClose())
            close(); // the close handler saves the photo list
        break;
    case ID_MINIMISE:
        showMinimized();
        break;
    case ID_MAXIMISE:
        toggleMaximise();
        break;
    case ID_BRUSH_TOGGLE:
        toggleBrush();
        break;
    case ID_UNDO:
    case ID_EDIT_UNDO:
        workspace_->document().undo();
        updateUndoRedo();
        refreshStatusReadout();
        break;
    case ID_REDO:
    case ID_EDIT_REDO:
        workspace_->document().redo();
        updateUndoRedo();
        refreshStatusReadout();
        break;
    case ID_PREVIEW:
    case ID_FILE_PREVIEW:
        enterPreview();
        break;
    case ID_EXPORT:
    case ID_FILE_EXPORT:
    case ID_BACKGROUND:
    case ID_MENU_FILE:
    case ID_MENU_PANEL:
    case ID_MENU_MODE:
    case ID_MENU_EDIT:
    case ID_MENU_TOOL:
    case ID_MENU_HELP:
        openDropDown(id == ID_FILE_EXPORT ? ID_EXPORT : id);
        break;
    case ID_ACCEL_FILE_MENU:
        openDropDown(ID_MENU_FILE);
        break;
    case ID_ACCEL_PANEL_MENU:
        openDropDown(ID_MENU_PANEL);
        break;
    case ID_ACCEL_MODE_MENU:
        openDropDown(ID_MENU_MODE);
        break;
    case ID_ACCEL_EDIT_MENU:
        openDropDown(ID_MENU_EDIT);
        break;
    case ID_ACCEL_TOOL_MENU:
        openDropDown(ID_MENU_TOOL);
        break;
    case ID_ACCEL_HELP_MENU:
        openDropDown(ID_MENU_HELP);
        break;
    case ID_IMPORT:
    case ID_FILE_IMPORT_PHOTO:
        importPhotos();
        break;
    case ID_REMOVE:
        removeMarkedPhotos();
        break;
    case ID_FILE_IMPORT_RESOURCE:
        importResourcePackage();
        break;
    case ID_EXPORT_PHOTO_AREA:
    case ID_EXPORT_WHOLE_IMAGE:
        exportImage(id == ID_EXPORT_WHOLE_IMAGE);
        break;
    case ID_FILE_SAVE_RECIPE:
        saveEditsAsRecipe();
        break;
    case ID_BACKGROUND_COLOUR:
        chooseBackgroundColour();
        break;
    case ID_BACKGROUND_FROM_IMAGE:
        setImageAsBackground();
        break;
    case ID_MODE_SIMPLE:
        collageMode_ = false;
        break;
    case ID_MODE_COLLAGE:
        collageMode_ = true;
        break;
    case ID_HELP_CONTENT:
    case ID_FRAMEWORK_HELP:
        showHelp();
        break;
    case ID_HELP_ABOUT:
        showAbout();
        break;
    case ID_DELETE_SELECTED:
    case ID_BRING_FORWARD:
    case ID_SEND_BACKWARD:
    case ID_BRING_TO_FRONT:
    case ID_SEND_TO_BACK:
    case ID_ZOOM_IN:
    case ID_ZOOM_OUT:
    case ID_ZOOM_FIT:
    case ID_ZOOM_ACTUAL:
        workspace_->onCommand(id);
        break;
    case ID_TOOL_CALENDAR:
        addMonthCalendar();
        break;
    case ID_TOOL_BATCH_CONVERT:
        openBatchConvert();
        break;
    case ID_FILE_APPLY_RECIPE:
        openApplyRecipe();
        break;
    case ID_TOOL_SET_WALLPAPER:
    case ID_TOOL_REMOVE_WALLPAPER:
        setWallpaper(id == ID_TOOL_SET_WALLPAPER ? 0 : 1);
        break;
    default:
        if (runFilterCommand(id))
            break;
        for (const ToolPanelEntry& entry : kToolPanels) {
            if (id == entry.tabCommand || id == entry.panelMenuCommand)
                showToolPanel(entry.toolMode, true);
        }
        break;
    }
    emit commandRouted(id);
}

LResult CEditorDlg::onMessage(int message, WParam wParam, LParam lParam) {
    workspace::WorkspaceDocument& document = workspace_->document();
    if (endsTypingBurst(message))
        endTypingBurst();
    switch (message) {
    case UM_TEXTSTYLE:
        applyTextStyle(static_cast<unsigned>(wParam));
        break;
    case UM_TEXTCHANGED:
        textTyped();
        break;
    case UM_ADDTEXT:
        addText();
        break;
    case UM_CROPASPECT:
        document.SetCropAspect(static_cast<float>(static_cast<unsigned>(wParam)), static_cast<float>(lParam));
        break;
    case UM_APPLYCROP:
        applyCrop();
        break;
    case UM_COLOURADJUST:
        adjustColours();
        break;
    case UM_BRUSHVALUE:
        refreshStatusReadout(); // redraws the slider's readout
        pushBrushParameters();
        break;
    case UM_PHOTOIMPORTED:
        if (lParam)
            photoImported(*reinterpret_cast<const ImportedFile*>(lParam));
        break;
    case UM_IMPORTCANCEL:
        importCancel_.set();
        progressWindow_->hide();
        break;
    case UM_OPENLISTPHOTO:
        openListPhoto();
        break;
    case UM_RESOURCEPICKED:
        // Brush settings changed (the colour grid or the brush list): switch the brush on if a tip was
        // chosen while it is off, otherwise pass the settings on.
        if (wParam == 1) {
            if (lParam == 1 && !brushOn_)
                toggleBrush();
            else
                pushBrushParameters();
        } else {
            placePickedResource(static_cast<int>(wParam), static_cast<int>(lParam));
        }
        break;
    case UM_RESOURCESELECTION:
        copyResourceSelection();
        break;
    case UM_DIALCHANGED:
        onDialChanged(static_cast<int>(static_cast<LParam>(wParam)), static_cast<int>(lParam));
        break;
    case UM_PREVIEWEND:
        leavePreview();
        break;
    case UM_CROPENTERED:
        setBrushToggle(false);
        break;
    case UM_OBJECTSELECTED:
        if (lParam == 0 || lParam == 1)
            showObjectSelected(lParam == 1);
        break;
    case UM_UNDOSTATE:
        updateUndoRedo();
        // Every change of the photo's size (a crop, a background from the image in the Crop tab) records
        // a step: the status line shows the size it now has.
        refreshStatusReadout();
        break;
    case UM_SHOWTOOLPANEL:
        if (lParam == 1) {
            // A brush stroke names no panel of its own: switch to whichever panel is showing.
            for (const ToolPanelEntry& entry : kToolPanels)
                if (toolPanel(entry.toolMode)->isVisible())
                    showToolPanel(entry.toolMode, true);
        } else {
            showToolPanel(static_cast<int>(lParam), false);
        }
        break;
    default:
        break;
    }
    return 0;
}

void CEditorDlg::onDialChanged(int value, int which) {
    switch (which) {
    case 0:
        turnSelectedObject(value);
        break;
    case 1:
        sizeSelectedObject(value);
        break;
    case 2:
        brushDialA_->setReadout(degreesReadout(value));
        pushBrushParameters();
        storeBrushTipAngle(value);
        break;
    case 3:
        brushDialB_->setReadout(opacityReadout(workspace::brushOpacityFromDial(value)));
        pushBrushParameters();
        break;
    default:
        break;
    }
}

void CEditorDlg::showToolPanel(int toolMode, bool tellWorkspace) {
    const int index = toolPanelIndex(toolMode);
    for (std::size_t i = 0; i < panels_.size(); ++i)
        panels_[i]->setVisible(static_cast<int>(i) == index && !previewing());
    if (index >= 0)
        activeTool_ = toolMode;
    if (tellWorkspace && index >= 0) {
        workspace::WorkspaceDocument& document = workspace_->document();
        if (toolMode == workspace::ToolCrop) {
            // Cropping starts afresh from the view, with the brush off.
            document.resetCropRect();
            sendMessage(this, UM_CROPENTERED);
            document.brush().paintingEnabled = false;
        }
        document.SetTool(toolMode);
        document.Recompose(false);
    }
    highlightTabs();
}

void CEditorDlg::highlightTabs() {
    for (std::size_t i = 0; i < tabs_.size(); ++i)
        tabs_[i]->setActive(kToolPanels[i].toolMode == activeTool_);
}

bool CEditorDlg::previewing() const {
    return workspace_ && workspace_->document().previewing();
}

std::vector<QWidget*> CEditorDlg::chromeWidgets() const {
    std::vector<QWidget*> widgets{closeButton_.get(),  minimiseButton_.get(), maximiseButton_.get(),
                                  importButton_.get(), removeButton_.get(),   photoListCtrl_.get(),
                                  brushPanel_.get(),   rotationDial_.get(),   scaleDial_.get(),
                                  brushDialA_.get(),   brushDialB_.get(),     brushSlider_.get(),
                                  brushToggle_.get(),  colourGrid_.get()};
    for (const auto& tab : tabs_)
        widgets.push_back(tab.get());
    for (const auto& rowButton : rowButtons_)
        widgets.push_back(rowButton.get());
    for (const auto& menuButton : menuButtons_)
        widgets.push_back(menuButton.get());
    return widgets;
}

void CEditorDlg::enterPreview() {
    if (previewing())
        return;
    for (QWidget* widget : chromeWidgets())
        widget->hide();
    for (auto& panel : panels_)
        panel->hide();
    workspace_->document().setPreviewing(true);
    workspace_->raise();
    workspace_->setGeometry(rect());
}

void CEditorDlg::leavePreview() {
    if (!previewing())
        return;
    workspace_->document().setPreviewing(false);
    for (QWidget* widget : chromeWidgets())
        widget->show();
    if (QWidget* panel = toolPanel(activeTool_))
        panel->show();
    relayout();
}

void CEditorDlg::updateUndoRedo() {
    const workspace::WorkspaceDocument& document = workspace_->document();
    rowButtons_[0]->setEnabled(document.canUndo());
    rowButtons_[1]->setEnabled(document.canRedo());
    showColourAdjustment();
}

void CEditorDlg::pushBrushParameters(bool userChoice) {
    workspace::WorkspaceDocument& document = workspace_->document();
    // The list shows no tip for as long as the workspace holds none, so it never looks chosen when a drag
    // on the photo would not paint.
    if (!userChoice && document.brush().tipIndex < 0)
        if (resources::CResourceList* tips = brushTipList())
            tips->ClearSelection();
    document.SetBrush(selectedBrushTip(), brushOn_, brushDialA_->value(),
                      workspace::brushOpacityFromDial(brushDialB_->value()), brushSlider_->position(),
                      colourGrid_->GetColour());
}

void CEditorDlg::setBrushToggle(bool on) {
    brushOn_ = on;
    brushToggle_->setOn(on);
}

void CEditorDlg::toggleBrush() {
    setBrushToggle(!brushOn_);
    pushBrushParameters();
    workspace_->document().FlattenIntoPhoto(false);
}

void CEditorDlg::toggleMaximise() {
    const QScreen* screen = this->screen();
    if (!maximised_) {
        restoredGeometry_ = geometry();
        if (screen)
            setGeometry(screen->availableGeometry());
    } else {
        setGeometry(restoredGeometry_);
    }
    maximised_ = !maximised_;
    relayout();
}

bool CEditorDlg::event(QEvent* event) {
    if (dispatchMessage(event))
        return true;
    return QWidget::event(event);
}

bool CEditorDlg::eventFilter(QObject* watched, QEvent* event) {
    if (preTranslate(watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

// The rules every key and click of this window passes first, in this order. True consumes the event.
bool CEditorDlg::preTranslate(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        // A key travels from the focus widget up to its parents: act on its first delivery only.
        QWidget* firstReceiver = QApplication::focusWidget() ? QApplication::focusWidget() : this;
        if (widget != firstReceiver)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & Qt::ControlModifier) {
            switch (key->key()) {
            case Qt::Key_B:
                onCommand(ID_BACKGROUND_FROM_IMAGE);
                break;
            case Qt::Key_R:
                onCommand(ID_BACKGROUND_COLOUR);
                break;
            case Qt::Key_Y:
                onCommand(ID_REDO);
                break;
            case Qt::Key_Z:
                onCommand(ID_UNDO);
                break;
            default:
                break;
            }
        }
        // Escape never closes the window. The workspace uses it (dropping the selection, ending preview);
        // during preview it ends the preview wherever else the focus is.
        if (key->key() == Qt::Key_Escape) {
            if (widget == workspace_.get())
                return false;
            if (previewing())
                sendMessage(this, UM_PREVIEWEND);
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && workspace_)
            return QApplication::focusWidget() != app_.enterKeyWindow() || !app_.enterKeyWindow();
        return false;
    }
    case QEvent::MouseMove:
        trackResourceDrag(event);
        return false;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && swallowNextButtonUp_) {
            swallowNextButtonUp_ = false;
            return true;
        }
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            trackResourceDrag(event);
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && previewing()) {
            swallowNextButtonUp_ = true;
            sendMessage(this, UM_PREVIEWEND);
            return true;
        }
        return false;
    default:
        return false;
    }
}

} // namespace app
