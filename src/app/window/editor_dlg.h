#pragma once

#include "app/photos/photo_import.h"
#include "app/photos/photo_list_store.h"
#include "platform/manual_reset_event.h"
#include "platform/messages.h"

#include <QHash>
#include <QImage>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace controls {
class CColourSwatchGrid;
class CDezMenu;
class CDialCtrl;
class CSkinButton;
class CSkinSlider;
class CTabButton;
class CToggleButton;
struct MenuItemRecord;
} // namespace controls

namespace recipe {
class ApplyRecipeDialog;
}

namespace resources {
class CResourceList;
}

namespace text {
class CTextPanel;
struct TextObject;
} // namespace text

namespace imaging {
class ColourPanel;
}

namespace resources {
enum class ResourceCategory : std::int32_t;
}

namespace workspace {
class CWorkspaceWnd;
struct FullSizeResult;
enum class DocumentProblem;
enum class PlaceResult;
} // namespace workspace

namespace app {

class AboutWindow;
class CEditorApp;
class CPhotoListCtrl;
class EmptyPanel;
class ImportProgressWindow;
struct ResourcePanels;

// The editor's one main window. It owns every panel and control, lays them out, paints its own skin and
// is the only router: each command id and private message reaches it and is passed to the part that
// performs it. Split by aspect: set-up here, routing, frame (layout, skin, sizing) and menus in their own
// files.
class CEditorDlg : public QWidget, public platform::MessageReceiver {
    Q_OBJECT
public:
    explicit CEditorDlg(CEditorApp& app);
    ~CEditorDlg() override;

    // Builds the window: language file and table, size, the single-instance mark, the photo list store,
    // every child, the first layout.
    void OnInitDialog();

    // Every button, menu item and accelerator arrives here.
    void onCommand(int id);
    platform::LResult onMessage(int message, platform::WParam wParam, platform::LParam lParam) override;

    // A second start handed its command line over: come to the front, keep a "PIF" argument in the
    // profile, lay out again, and open the pictures it names.
    void handOffReceived(const QString& commandLine, const QStringList& pictures = {});
    // Pictures named on the command line (editor_dlg_open.cpp): each is added to the photo list as an
    // import adds it, then the first of them that is listed is opened as a click on it would open it.
    // Those that cannot be listed are named in one message. Waits for a running import to end first.
    void openPictures(const QStringList& paths);
    // Lays the children out for the current size and rebuilds the skin.
    void relayout();

    // --- state, for the parts that read it and for tests
    bool collageMode() const { return collageMode_; }
    bool brushOn() const { return brushOn_; }
    bool maximised() const { return maximised_; }
    bool previewing() const;
    int activeToolMode() const { return activeTool_; }
    int layoutCount() const { return layoutCount_; }
    workspace::CWorkspaceWnd* workspace() const { return workspace_.get(); }
    QWidget* toolPanel(int toolMode) const;
    // The button, tab or toggle with this command id (menu-bar buttons by their button id).
    controls::CSkinButton* button(int commandId) const;
    controls::CDialCtrl* dial(int number) const;
    controls::CSkinSlider* brushSlider() const { return brushSlider_.get(); }
    controls::CColourSwatchGrid* colourGrid() const { return colourGrid_.get(); }
    text::CTextPanel* textPanel() const { return textPanel_; }
    // The drop-down now open, if any.
    controls::CDezMenu* openMenu() const { return openMenu_.get(); }
    // The About window while it is shown.
    QWidget* aboutWindow() const;
    // The Apply Recipe window once it has been opened, otherwise null.
    recipe::ApplyRecipeDialog* applyRecipeDialog() const { return applyRecipe_.get(); }
    const QImage& skin() const { return skin_; }
    QString statusText() const { return statusText_; }
    // The workspace's zoom as the status line shows it: "100 %".
    QString zoomText() const { return zoomText_; }
    PhotoList& photoList() { return photoList_; }
    CPhotoListCtrl* photoListCtrl() const { return photoListCtrl_.get(); }
    ImportProgressWindow* progressWindow() const { return progressWindow_.get(); }
    bool importRunning() const { return importThread_ && importThread_->running(); }
    // How many threads make the thumbnails of the imports started from now on.
    void setImportWorkers(int workers) { importThread_->setWorkers(workers); }
    // Pictures named on a command line are being brought in, or wait for their turn.
    bool openingPictures() const {
        return openingImport_ != 0 || !openingsWaiting_.empty() || openingsHeldBack_ > 0;
    }
    // A resource thumbnail (by resources::ResourceCategory code) released at a screen point: placed when
    // the point lies over the workspace (editor_dlg_workspace.cpp).
    void dropOnWorkspace(int category, int index, QPoint globalPoint);
    // Imports these files as the Import command would, in the background (files dropped on the list).
    // Returns the import's number, or 0 when none was started.
    int startImport(const QStringList& paths);
    // Saves the photo list store (every close path does).
    void saveStore();
    // No store is written back (the screenshot run).
    void setStoreReadOnly(bool readOnly) { storeReadOnly_ = readOnly; }

    // The items of a drop-down, built afresh: by menu-bar button id, 10557 (Export) or 10558 (Background).
    std::vector<controls::MenuItemRecord> menuItems(int buttonId) const;

    // The browser list of the panel of this tool mode (0, 2, 3, 9), and the brush tips; null before the
    // children exist.
    resources::CResourceList* resourceList(int toolMode) const;
    resources::CResourceList* brushTipList() const;
    // The list kind and entry the active panel last reported as selected; -1, -1 for none.
    std::pair<int, int> resourceSelection() const;

signals:
    // Emitted for each command after it has been routed.
    void commandRouted(int id);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // set-up (editor_dlg.cpp)
    void extractLanguageFile();
    void loadLanguageTable();
    // True on the editor's very first start: there is no store yet.
    bool loadStore();
    void createChildren();
    QString languageCaption(int slot) const;

    // routing (editor_dlg_routing.cpp)
    bool preTranslate(QObject* watched, QEvent* event);
    void showToolPanel(int toolMode, bool tellWorkspace);
    void highlightTabs();
    // Everything preview hides: buttons, dials, the slider, the photo list and the panels around the
    // workspace (the tool panels apart).
    std::vector<QWidget*> chromeWidgets() const;
    void enterPreview();
    void leavePreview();
    void updateUndoRedo();
    // Hands the brush settings to the workspace. The editor starts with no tip, so a first click on the
    // photo selects instead of painting; without `userChoice` (start, a reloaded list) the brush list is
    // cleared to show that until the user picks a tip.
    void pushBrushParameters(bool userChoice = true);
    void toggleBrush();
    void setBrushToggle(bool on);
    void onDialChanged(int value, int which);
    void toggleMaximise();

    // frame (editor_dlg_frame.cpp)
    void paintSkin();
    void refreshStatusReadout();

    // photos (editor_dlg_photos.cpp)
    void importPhotos();
    void importFinished(int import, ImportEnd end);
    void photoImported(const ImportedFile& handed);
    void listStarterPhoto();
    void removeMarkedPhotos();
    void openListPhoto();
    // True only when the picture was written: false when the save dialog was cancelled or the save
    // failed (the user has then been told).
    bool exportImage(bool wholeImage);
    // The export made from the original picture at its own size, on a worker thread; Escape stops it.
    workspace::FullSizeResult exportAtFullSize(bool wholeImage);
    // The open photo's edits written as a recipe file, or the reason they cannot be, told to the user.
    void saveEditsAsRecipe();
    // Asks whether to save the modified photo; false when the user cancelled the question, or when the
    // photo was to be saved and was not: it must then stay open.
    bool offerToSavePhoto();
    // True when nothing would be lost by closing, or the user has settled the modified photo.
    bool mayClose();
    void chooseBackgroundColour();
    void setImageAsBackground();

    // crop (editor_dlg_crop.cpp)
    std::unique_ptr<QWidget> createCropPanel();
    void applyCrop();
    // In the crop tool, a rectangle too small to cut the photo to: the user is told, ending with
    // `consequence`, and true is returned so that nothing changes.
    bool refuseTooSmallCrop(const QString& consequence);
    // month calendar (editor_dlg_calendar.cpp)
    void addMonthCalendar();
    // pictures named on the command line (editor_dlg_open.cpp)
    void startNextOpening();
    // At the end of every import: opens what the opening import brought in, then starts the next.
    void finishOpening(int import, ImportEnd end, const QStringList& refused);
    // Opens the first of the opening's pictures that is listed and names those that are not, apart from
    // `refused` (paths too long to list, reported already).
    void openListedPictures(const QStringList& refused);
    void openWhenNoDialogWaits(int record, const QStringList& problems);

    // notices (editor_dlg_notices.cpp)
    void reportDocumentProblem(workspace::DocumentProblem problem);

    // text tool (editor_dlg_text.cpp)
    std::unique_ptr<QWidget> createTextPanel();
    void applyTextStyle(unsigned settings);
    void textTyped();
    void addText();
    void showTextForEditing(const text::TextObject& text);
    void endTypingBurst();
    static bool endsTypingBurst(int message);

    // colour tool and filters (editor_dlg_tuning.cpp)
    std::unique_ptr<QWidget> createColourPanel();
    imaging::ColourPanel* colourPanel() const;
    void adjustColours();
    // The sliders show the document's adjustment, or the defaults when it holds none (a new photo, or the
    // adjustment went into the pixels), so the next movement starts from what the photo shows.
    void showColourAdjustment();
    // Runs the Tool menu's filter of this command id; false when the id names no filter.
    bool runFilterCommand(int commandId);

    // resources (editor_dlg_resources.cpp)
    void createResourceLists();
    void lendBrushTips();
    void importResourcePackage();
    // UM_RESOURCEPICKED with a placing code: 0 clipart, 2 mask, 3 frame, 9 decoration.
    void placePickedResource(int code, int index);
    void copyResourceSelection();
    // Follows a drag from the active panel's list: the drop cursor over the workspace, and at the release
    // dropOnWorkspace.
    void trackResourceDrag(QEvent* event);
    void storeBrushTipAngle(int degrees);
    int selectedBrushTip() const;
    void showPackagesHelp();

    // batch convert and apply recipe (editor_dlg_batch.cpp)
    void openBatchConvert();
    // Shows the Apply Recipe window, made at its first use; it stays open beside the editor.
    void openApplyRecipe();
    void offerSavedRecipe();
    // wallpaper (editor_dlg_wallpaper.cpp)
    void setWallpaper(int action);

    // decorations (editor_dlg_decorations.cpp)
    // The rotation and scale dials turn and size the selected clipart, mask or frame.
    void turnSelectedObject(int value);
    void sizeSelectedObject(int value);
    // The dials work while a clipart, mask or frame is selected; with none they rest at no turn and 100%.
    void showObjectSelected(bool selected);
    // The rotation and scale dials show the selected clipart, mask or frame's angle and scale.
    void showSelectedObjectTurn();
    // Says once when a damaged library entry could not be placed.
    void reportPlacement(workspace::PlaceResult result, resources::ResourceCategory category);

    // menus (editor_dlg_menus.cpp)
    void openDropDown(int buttonId);
    void showHelp();
    void showAbout();
    void showSmallAbout();

    CEditorApp& app_;
    // Children, in creation order.
    std::unique_ptr<controls::CSkinButton> closeButton_;
    std::unique_ptr<controls::CSkinButton> minimiseButton_;
    std::unique_ptr<controls::CSkinButton> maximiseButton_;
    std::array<std::unique_ptr<controls::CTabButton>, 7> tabs_; // layout order: Frame … Text
    std::unique_ptr<controls::CSkinButton> importButton_;
    std::unique_ptr<controls::CSkinButton> removeButton_;
    std::unique_ptr<CPhotoListCtrl> photoListCtrl_;
    std::array<std::unique_ptr<QWidget>, 7> panels_; // tool panels, in tab layout order
    text::CTextPanel* textPanel_ = nullptr;          // the Text panel, owned in panels_
    std::unique_ptr<EmptyPanel> brushPanel_;
    std::unique_ptr<workspace::CWorkspaceWnd> workspace_;
    std::unique_ptr<controls::CDialCtrl> rotationDial_;
    std::unique_ptr<controls::CDialCtrl> scaleDial_;
    std::unique_ptr<controls::CDialCtrl> brushDialB_;
    std::unique_ptr<controls::CDialCtrl> brushDialA_;
    std::unique_ptr<controls::CSkinSlider> brushSlider_;
    std::array<std::unique_ptr<controls::CSkinButton>, 5>
        rowButtons_; // Undo, Redo, Background, Preview, Export
    std::unique_ptr<controls::CToggleButton> brushToggle_;
    std::array<std::unique_ptr<controls::CSkinButton>, 6> menuButtons_; // File, Panel, Mode, Edit, Tool, Help
    std::unique_ptr<controls::CColourSwatchGrid> colourGrid_;
    std::unique_ptr<controls::CDezMenu> openMenu_;
    std::unique_ptr<AboutWindow> aboutWindow_;
    std::unique_ptr<recipe::ApplyRecipeDialog> applyRecipe_;
    QString savedRecipe_;   // the recipe Save Edits as Recipe wrote last
    QString offeredRecipe_; // the one the Apply Recipe window was last given of those
    std::unique_ptr<ResourcePanels> resources_;

    PhotoList photoList_;
    bool storeReadOnly_ = false;
    bool storeUnreadable_ = false; // the store exists but could not be opened: it is never written over
    platform::ManualResetEvent importCancel_;
    std::unique_ptr<ImportProgressWindow> progressWindow_;
    std::unique_ptr<PhotoImportThread> importThread_;
    int currentImport_ = 0;                // the number of the import started last
    QHash<int, QStringList> refusedPaths_; // by import: paths too long to be listed
    std::deque<QStringList> openingsWaiting_; // pictures named on command lines, waiting for their import
    int openingImport_ = 0;                  // the import bringing in the pictures to open, 0 for none
    QStringList openingPaths_;
    // Openings waiting for a dialog of the editor to close.
    int openingsHeldBack_ = 0;

    // Scalar state.
    bool collageMode_ = false;
    bool brushOn_ = false;
    bool maximised_ = false;
    QRect restoredGeometry_;
    int activeTool_ = 3; // the Frame panel
    bool swallowNextButtonUp_ = false;
    std::uint32_t backgroundColour_ = 0x00FFFFFF;

    QImage skin_;
    QString statusText_;
    QString zoomText_;
    int layoutCount_ = 0;
};

} // namespace app
