// The main window's side of the resource library: the browser lists in their panels, package import,
// choosing and dragging resources, the brush tips.
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "app/window/empty_panel.h"
#include "app/window/resource_panels.h"
#include "controls/help_viewer.h"
#include "controls/numbered_images.h"
#include "platform/messages.h"
#include "resources/library_lock.h"
#include "resources/package_importer.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace app {

using resources::CResourceList;
using resources::ResourceCategory;

namespace {

const QString kPackagesHelpPage = QStringLiteral("resource-packages.html");

// The window never waits for an import running elsewhere (a script's): it says so instead. The lock is
// let go before any message is shown.
resources::ImportResult importUnlessBusy(const platform::Folders& folders, const QString& package) {
    resources::LibraryLock lock(folders.GetDataFolder());
    switch (lock.tryTake()) {
    case resources::LibraryLock::State::Held:
        return resources::ImportResourcePackage(lock, package);
    case resources::LibraryLock::State::Busy:
        return resources::ImportResult::refusal(resources::kLibraryBusy);
    case resources::LibraryLock::State::Failed:
        break;
    }
    return resources::ImportResult::refusal(lock.problem());
}

} // namespace

resources::CResourceList* ResourcePanels::byToolMode(int toolMode) const {
    switch (toolMode) {
    case workspace::ToolClipart:
        return cliparts.get();
    case workspace::ToolMask:
        return masks.get();
    case workspace::ToolFrame:
        return frames.get();
    case workspace::ToolDecoration:
        return decorations.get();
    default:
        return nullptr;
    }
}

resources::CResourceList* ResourcePanels::byCategory(ResourceCategory category) const {
    switch (category) {
    case ResourceCategory::Frames:
        return frames.get();
    case ResourceCategory::Masks:
        return masks.get();
    case ResourceCategory::Cliparts:
        return cliparts.get();
    case ResourceCategory::Decorations:
        return decorations.get();
    case ResourceCategory::Brushes:
        return brushTips.get();
    }
    return nullptr;
}

void CEditorDlg::createResourceLists() {
    resources_ = std::make_unique<ResourcePanels>(app_.library());
    // Each list fills the panel it is shown in.
    auto make = [this](const resources::BrowserListSetup& setup, QWidget* panel) {
        auto list = std::make_unique<CResourceList>(setup, resources_->library, app_.dialogs(), panel);
        list->setNotifyTarget(this);
        auto layout = std::make_unique<QVBoxLayout>(panel);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(list.get());
        layout.release(); // owned by the panel
        if (!list->isBrushList()) {
            list->setLinkCaption(QStringLiteral("Get More Resources"));
            connect(list.get(), &CResourceList::linkActivated, this, &CEditorDlg::showPackagesHelp);
        }
        list->reload();
        return list;
    };
    resources_->cliparts = make(resources::lists::kCliparts, toolPanel(workspace::ToolClipart));
    resources_->masks = make(resources::lists::kMasks, toolPanel(workspace::ToolMask));
    resources_->decorations = make(resources::lists::kDecorations, toolPanel(workspace::ToolDecoration));
    resources_->frames = make(resources::lists::kFrames, toolPanel(workspace::ToolFrame));
    resources_->brushTips = make(resources::lists::kBrushTips, brushPanel_.get());
    resources_->brushTips->Select(0);
    lendBrushTips();
}

void CEditorDlg::lendBrushTips() {
    // The pictures are shared, not copied: the list keeps them, the workspace paints with them.
    workspace_->document().setBrushPictures(resources_->brushTips->pictures());
}

resources::CResourceList* CEditorDlg::resourceList(int toolMode) const {
    return resources_ ? resources_->byToolMode(toolMode) : nullptr;
}

resources::CResourceList* CEditorDlg::brushTipList() const {
    return resources_ ? resources_->brushTips.get() : nullptr;
}

std::pair<int, int> CEditorDlg::resourceSelection() const {
    return resources_ ? std::pair{resources_->selection.listKind, resources_->selection.index}
                      : std::pair{-1, -1};
}

void CEditorDlg::importResourcePackage() {
    const QStringList paths = app_.dialogs().openFiles(this, QStringLiteral("(*.irs)|*.irs||"), false);
    if (paths.isEmpty())
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const resources::ImportResult result = importUnlessBusy(app_.folders(), paths.first());
    QGuiApplication::restoreOverrideCursor();
    switch (result.status) {
    case resources::ImportResult::Status::AlreadyInLibrary:
        app_.dialogs().inform(this, QStringLiteral("Already in the library."));
        break;
    case resources::ImportResult::Status::Refused:
        app_.dialogs().inform(
            this, QStringLiteral("The package \"%1\" was not imported: %2.")
                      .arg(QFileInfo(paths.first()).fileName(), QString::fromStdString(result.reason)));
        break;
    case resources::ImportResult::Status::Imported:
        resources_->library.forgetOffsets();
        workspace_->document().forgetResourcePictures();
        resources_->byCategory(result.category)->reload();
        if (result.category == ResourceCategory::Brushes) {
            lendBrushTips();
            pushBrushParameters(false);
        }
        break;
    }
}

void CEditorDlg::placePickedResource(int code, int index) {
    ResourceCategory category;
    switch (code) {
    case workspace::ToolClipart:
        category = ResourceCategory::Cliparts;
        break;
    case workspace::ToolMask:
        category = ResourceCategory::Masks;
        break;
    case workspace::ToolFrame:
        category = ResourceCategory::Frames;
        break;
    case workspace::ToolDecoration:
        category = ResourceCategory::Decorations;
        break;
    default:
        return;
    }
    // A chosen resource goes where one dropped there would: the middle of the photo area, or for further
    // cliparts a little further on each time.
    workspace::WorkspaceDocument& document = workspace_->document();
    const QPoint at = document.nextPlacingPoint();
    reportPlacement(document.DropThumbnail(static_cast<int>(category), index, at.x(), at.y()), category);
}

void CEditorDlg::copyResourceSelection() {
    if (const CResourceList* list = resourceList(activeTool_))
        resources_->selection = {static_cast<int>(list->setup().kind), list->SelectedIndex()};
}

void CEditorDlg::trackResourceDrag(QEvent* event) {
    CResourceList* list = resourceList(activeTool_);
    if (!list || !list->dragging() || !workspace_)
        return;
    const QPoint global = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
    if (event->type() == QEvent::MouseMove) {
        const bool overWorkspace =
            workspace_->isVisible() && workspace_->rect().contains(workspace_->mapFromGlobal(global));
        // The list holds the mouse while it drags, so its cursor is the one shown.
        list->setCursor(overWorkspace ? controls::numberedCursor(controls::image::DropCursor)
                                      : QCursor(Qt::ClosedHandCursor));
        return;
    }
    // Placed only when let go over the workspace.
    dropOnWorkspace(static_cast<int>(list->setup().kind), list->SelectedIndex(), global);
    list->endDrag();
}

void CEditorDlg::storeBrushTipAngle(int degrees) {
    if (CResourceList* tips = brushTipList(); tips && tips->SelectedIndex() >= 0)
        tips->setTipAngle(tips->SelectedIndex(), degrees);
}

int CEditorDlg::selectedBrushTip() const {
    const CResourceList* tips = brushTipList();
    return tips ? tips->SelectedIndex() : -1;
}

void CEditorDlg::showPackagesHelp() {
    const QString helpFolder = app_.folders().shippedFolder(QStringLiteral("Help"));
    if (!controls::showHelpBook(this, helpFolder, kPackagesHelpPage))
        app_.dialogs().inform(
            this, QStringLiteral("The help book was not found in \"%1\".\nReinstall the editor to "
                                 "bring it back.")
                      .arg(QDir::toNativeSeparators(helpFolder)));
}

} // namespace app
