// The main window's set-up: the language table, the photo list store and every child.
#include "app/window/editor_dlg.h"

#include "app/about_window.h"
#include "app/command_ids.h"
#include "app/command_line.h"
#include "app/editor_app.h"
#include "app/window/dial_readouts.h"
#include "app/window/empty_panel.h"
#include "app/language_table.h"
#include "app/photos/import_progress_window.h"
#include "app/photos/photo_list_ctrl.h"
#include "app/photos/photo_thumbs.h"
#include "app/product.h"
#include "app/profile.h"
#include "app/window/resource_panels.h"
#include "app/window/tool_panels.h"
#include "controls/colour/colour_swatch_grid.h"
#include "controls/dez_menu.h"
#include "controls/dial_ctrl.h"
#include "controls/numbered_images.h"
#include "controls/buttons/skin_button.h"
#include "controls/skin_slider.h"
#include "controls/buttons/tab_button.h"
#include "controls/buttons/toggle_button.h"
#include "recipe/widgets/apply_recipe_dialog.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

namespace app {

namespace {

QString languageFilePath(const platform::Folders& folders) {
    return folders.workingDataFolder() + QStringLiteral("EnglishLang_src");
}

// The sentence the empty photo list and the empty workspace show.
constexpr int kEmptyHintSlot = 26;

QString storePath(const platform::Folders& folders) {
    return folders.GetDataFolder() + QStringLiteral("ZorvathMedia");
}

} // namespace

CEditorDlg::CEditorDlg(CEditorApp& app) : QWidget(nullptr), app_(app) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setMinimumSize(800, 600);
    setWindowIcon(controls::numberedIcon(controls::image::WindowIcon));
}

CEditorDlg::~CEditorDlg() {
    qApp->removeEventFilter(this);
    // A running import is cancelled and waited for before anything it reports to goes away.
    if (importThread_)
        importThread_->stop();
    // The workspace goes first: it deletes the undo file.
    openMenu_.reset();
    aboutWindow_.reset();
    workspace_.reset();
}

void CEditorDlg::OnInitDialog() {
    extractLanguageFile();
    setWindowTitle(QString::fromLatin1(kProductName));
    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        setGeometry(available.x(), available.y(), available.width(), available.height() - 10);
    }
    restoredGeometry_ = geometry();
    app_.markMainWindowReady();
    loadLanguageTable();
    const bool firstStart = loadStore();
    createChildren();
    qApp->installEventFilter(this);
    pushBrushParameters(false);
    relayout();
    if (firstStart)
        listStarterPhoto();
}

void CEditorDlg::extractLanguageFile() {
    const platform::Folders& folders = app_.folders();
    if (!QFileInfo(folders.workingDataFolder()).isDir()) {
        app_.dialogs().inform(
            this,
            QStringLiteral("The Data folder \"%1\" could not be created.\nThe editor will run, but it cannot "
                           "keep your photo list, its resources or its captions until that folder can be "
                           "written.")
                .arg(QDir::toNativeSeparators(folders.GetDataFolder())));
        return;
    }
    app::extractLanguageFile(languageFilePath(folders));
}

void CEditorDlg::loadLanguageTable() {
    auto table = std::make_unique<LanguageTable>();
    // A missing or short file leaves slots empty: captions then read as empty texts.
    table->loadFromFile(languageFilePath(app_.folders()));
    app_.setLanguageTable(std::move(table));
}

bool CEditorDlg::loadStore() {
    StoreLoadResult loaded = loadPhotoListStore(storePath(app_.folders()));
    photoList_ = std::move(loaded.list);
    remakeMissingThumbs(photoList_);
    storeUnreadable_ = loaded.unreadable;
    if (storeUnreadable_)
        app_.dialogs().inform(this,
                              QStringLiteral("The photo list \"%1\" exists but cannot be opened.\nIt is left "
                                             "as it is, so the photos imported now will not be listed at the "
                                             "next start.")
                                  .arg(QDir::toNativeSeparators(storePath(app_.folders()))));
    return loaded.missing;
}

void CEditorDlg::saveStore() {
    if (!storeReadOnly_ && !storeUnreadable_)
        savePhotoListStore(storePath(app_.folders()), photoList_);
}

QString CEditorDlg::languageCaption(int slot) const {
    return app_.languageText(slot);
}

void CEditorDlg::createChildren() {
    using controls::CSkinButton;
    auto commandButton = [this](int id, const QString& caption) {
        auto button = std::make_unique<CSkinButton>(id, caption, this);
        connect(button.get(), &CSkinButton::command, this, &CEditorDlg::onCommand);
        return button;
    };
    auto captionButton = [&](int id, int normal, int hover, int pressed) {
        auto button = commandButton(id, QString());
        button->setImages(normal, hover, pressed, normal);
        return button;
    };
    namespace img = controls::image;
    closeButton_ = captionButton(ID_CLOSE, img::CloseButton, img::CloseHover, img::ClosePressed);
    minimiseButton_ =
        captionButton(ID_MINIMISE, img::MinimiseButton, img::MinimiseHover, img::MinimisePressed);
    maximiseButton_ =
        captionButton(ID_MAXIMISE, img::MaximiseButton, img::MaximiseHover, img::MaximisePressed);

    for (std::size_t i = 0; i < kToolPanels.size(); ++i) {
        tabs_[i] = std::make_unique<controls::CTabButton>(kToolPanels[i].tabCommand,
                                                          languageCaption(kToolPanels[i].captionSlot), this);
        connect(tabs_[i].get(), &CSkinButton::command, this, &CEditorDlg::onCommand);
    }
    importButton_ = commandButton(ID_IMPORT, QStringLiteral("  Import"));
    removeButton_ = commandButton(ID_REMOVE, QStringLiteral("  Remove"));
    importButton_->setTextColour(QColor(30, 35, 140));
    removeButton_->setTextColour(QColor(30, 35, 140));

    photoListCtrl_ = std::make_unique<CPhotoListCtrl>(this);
    photoListCtrl_->setList(&photoList_);
    photoListCtrl_->setEmptyHint(languageCaption(kEmptyHintSlot));
    connect(photoListCtrl_.get(), &CPhotoListCtrl::filesDropped, this, &CEditorDlg::startImport);
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        if (kToolPanels[i].toolMode == workspace::ToolText)
            panels_[i] = createTextPanel();
        else if (kToolPanels[i].toolMode == workspace::ToolTuning)
            panels_[i] = createColourPanel();
        else if (kToolPanels[i].toolMode == workspace::ToolCrop)
            panels_[i] = createCropPanel();
        else
            panels_[i] = std::make_unique<EmptyPanel>(this);
        panels_[i]->hide();
    }
    workspace_ =
        std::make_unique<workspace::CWorkspaceWnd>(app_.folders().undoFileFolder(), app_.library(), this);
    connect(workspace_.get(), &workspace::CWorkspaceWnd::documentProblem, this,
            &CEditorDlg::reportDocumentProblem);
    connect(workspace_.get(), &workspace::CWorkspaceWnd::editTextRequested, this,
            &CEditorDlg::showTextForEditing);
    workspace_->setEmptyHint(languageCaption(kEmptyHintSlot));
    connect(workspace_.get(), &workspace::CWorkspaceWnd::filesDropped, this, &CEditorDlg::openPictures);
    connect(workspace_.get(), &workspace::CWorkspaceWnd::zoomChanged, this,
            &CEditorDlg::refreshStatusReadout);
    brushPanel_ = std::make_unique<EmptyPanel>(this);
    createResourceLists();

    brushDialA_ = std::make_unique<controls::CDialCtrl>(2, this);
    brushDialB_ = std::make_unique<controls::CDialCtrl>(3, this);
    brushDialA_->setCaption(QStringLiteral("Angle"));
    brushDialA_->setReadout(degreesReadout(brushDialA_->value()));
    brushDialB_->setCaption(QStringLiteral("Opacity"));
    brushDialB_->setReadout(opacityReadout(workspace::brushOpacityFromDial(brushDialB_->value())));
    brushSlider_ = std::make_unique<controls::CSkinSlider>(this);
    brushSlider_->setRange(16, 256);
    brushSlider_->setPosition(128);
    brushSlider_->setNotifyMessage(platform::UM_BRUSHVALUE);
    brushToggle_ = std::make_unique<controls::CToggleButton>(ID_BRUSH_TOGGLE, this);
    connect(brushToggle_.get(), &CSkinButton::command, this, &CEditorDlg::onCommand);
    // Off until a tip is chosen, which switches it on: the toggle never shows painting that a drag would
    // not do.
    brushToggle_->setOn(brushOn_);
    colourGrid_ = std::make_unique<controls::CColourSwatchGrid>(app_.dialogs(), this);

    rotationDial_ = std::make_unique<controls::CDialCtrl>(0, this);
    scaleDial_ = std::make_unique<controls::CDialCtrl>(1, this);
    rotationDial_->setCaption(QStringLiteral("Turn"));
    scaleDial_->setCaption(QStringLiteral("Size"));
    rotationDial_->setReadout(degreesReadout(0));
    scaleDial_->setReadout(scaleReadout(0));
    rotationDial_->setActive(false);
    scaleDial_->setActive(false);

    rowButtons_[0] = commandButton(ID_UNDO, languageCaption(3));
    rowButtons_[1] = commandButton(ID_REDO, languageCaption(4));
    rowButtons_[2] = commandButton(ID_BACKGROUND, QStringLiteral("Background"));
    rowButtons_[3] = commandButton(ID_PREVIEW, languageCaption(6));
    rowButtons_[4] = commandButton(ID_EXPORT, languageCaption(7));

    const std::pair<int, QString> menuButtons[6] = {
        {ID_MENU_FILE, QStringLiteral("&") + languageCaption(24)},
        {ID_MENU_PANEL, QStringLiteral("&") + languageCaption(15)},
        {ID_MENU_MODE, QStringLiteral("&Mode")},
        {ID_MENU_EDIT, QStringLiteral("&") + languageCaption(25)},
        {ID_MENU_TOOL, QStringLiteral("&Tool")},
        {ID_MENU_HELP, QStringLiteral("&") + languageCaption(17)},
    };
    for (std::size_t i = 0; i < menuButtons_.size(); ++i) {
        menuButtons_[i] = commandButton(menuButtons[i].first, menuButtons[i].second);
        menuButtons_[i]->setLook(CSkinButton::Look::Flat);
    }

    progressWindow_ = std::make_unique<ImportProgressWindow>(this);
    progressWindow_->hide();
    importThread_ = std::make_unique<PhotoImportThread>(
        this, importCancel_, [this](int import, ImportEnd end) { importFinished(import, end); });

    showToolPanel(activeTool_, true);
    updateUndoRedo();
}

QWidget* CEditorDlg::toolPanel(int toolMode) const {
    const int index = toolPanelIndex(toolMode);
    return index < 0 ? nullptr : panels_[static_cast<std::size_t>(index)].get();
}

controls::CSkinButton* CEditorDlg::button(int commandId) const {
    for (const auto& button : rowButtons_)
        if (button && button->commandId() == commandId)
            return button.get();
    for (const auto& button : menuButtons_)
        if (button && button->commandId() == commandId)
            return button.get();
    for (const auto& tab : tabs_)
        if (tab && tab->commandId() == commandId)
            return tab.get();
    for (controls::CSkinButton* single :
         {closeButton_.get(), minimiseButton_.get(), maximiseButton_.get(), importButton_.get(),
          removeButton_.get(), static_cast<controls::CSkinButton*>(brushToggle_.get())})
        if (single && single->commandId() == commandId)
            return single;
    return nullptr;
}

controls::CDialCtrl* CEditorDlg::dial(int number) const {
    switch (number) {
    case 0:
        return rotationDial_.get();
    case 1:
        return scaleDial_.get();
    case 2:
        return brushDialA_.get();
    case 3:
        return brushDialB_.get();
    default:
        return nullptr;
    }
}

void CEditorDlg::handOffReceived(const QString& commandLine, const QStringList& pictures) {
    showNormal();
    raise();
    activateWindow();
    if (const auto argument = pifArgument(commandLine))
        writeProfileString(QStringLiteral("CommandPath"), QStringLiteral("path"), *argument);
    relayout();
    // A dialog waiting for the user stays in front of the window: it is what the editor waits for.
    if (QWidget* dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
    }
    openPictures(pictures);
}

} // namespace app
