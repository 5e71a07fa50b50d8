// The main window's photo work: importing into the photo list, removing, opening a listed photo, export
// and the background commands.
#include "app/editor_app.h"
#include "app/photos/import_progress_window.h"
#include "app/photos/photo_import.h"
#include "app/photos/photo_list_ctrl.h"
#include "app/window/editor_dlg.h"
#include "app/window/escape_watch.h"
#include "app/window/wait_cursor.h"
#include "imaging/files/file_dialog_filters.h"
#include "imaging/files/photo_loading.h"
#include "imaging/files/save_picture.h"
#include "platform/scratch_folder.h"
#include "recipe/recipe_writer.h"
#include "workspace/full_size_result.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

namespace app {

namespace {

// The landscape the program ships beside its starter packages, for a first start to begin with.
constexpr char kStarterPhoto[] = "Lake.jpg";
// A full-size export that takes longer than this shows the wait cursor.
constexpr int kFullSizeWaitCursorMs = 500;

bool largePhoto(const workspace::WorkspaceDocument& document) {
    return std::int64_t{document.canvasWidth()} * document.canvasHeight() > workspace::kWaitCursorPixels;
}

} // namespace

void CEditorDlg::importPhotos() {
    if (!isVisible() || importThread_->running())
        return;
    const QStringList paths =
        app_.dialogs().openFiles(this, QString::fromLatin1(imaging::kPictureOpenFilter), true);
    startImport(paths);
}

int CEditorDlg::startImport(const QStringList& paths) {
    if (paths.isEmpty() || importThread_->running())
        return 0;
    // Files listed already are not read ahead only to be refused.
    QSet<QString> listed;
    for (const PhotoRecord& record : photoList_.records)
        if (record.removed == 0)
            listed.insert(record.fullPath());
    const int import = importThread_->start(paths, std::move(listed));
    if (import) {
        currentImport_ = import;
        progressWindow_->showCentred();
    }
    return import;
}

// The end of an import may arrive after the next import has started (files dropped in between): it then
// leaves the progress window to the new import and reports only its own refused paths.
void CEditorDlg::importFinished(int import, ImportEnd end) {
    if (import == currentImport_)
        progressWindow_->hide();
    const QStringList refused = refusedPaths_.take(import);
    if (!refused.isEmpty())
        app_.dialogs().inform(this,
                              QStringLiteral("These files were not imported because their paths are longer "
                                             "than the photo list can keep (259 bytes):\n%1")
                                  .arg(refused.join(QLatin1Char('\n'))));
    finishOpening(import, end, refused);
}

void CEditorDlg::photoImported(const ImportedFile& handed) {
    const QString& path = handed.path;
    PhotoRecord record;
    if (!setRecordPath(record, path, true)) {
        refusedPaths_[currentImport_] << path;
        return;
    }
    record.removed = 0;
    if (progressWindow_->isVisible())
        progressWindow_->showPath(path);
    const QString fullPath = record.fullPath();
    for (const PhotoRecord& listed : photoList_.records)
        if (listed.removed == 0 && listed.fullPath() == fullPath)
            return;
    // A file listed when the import started and removed since was handed over unread.
    const ImportedFile file = handed.read ? handed : readImportedFile(path);
    if (!file.probed || file.width <= 5 || file.height <= 5 || file.thumb.isEmpty())
        return;
    record.listIndex = static_cast<std::int32_t>(photoList_.records.size());
    record.width = file.width;
    record.height = file.height;
    record.marked = 0;
    setRecordPath(record, path, false); // listed with the extension as typed
    photoList_.records.push_back(record);
    photoList_.thumbs.push_back({file.thumb});
    photoListCtrl_->setList(&photoList_);
}

// Only the very first start lists it, and opens it so that every tool can be tried at once; once the store
// exists, a user who removed it from the list never sees it again.
void CEditorDlg::listStarterPhoto() {
    const QString photo =
        QDir(app_.folders().shippedFolder(QStringLiteral("Starter"))).filePath(QLatin1String(kStarterPhoto));
    if (!QFileInfo(photo).isFile())
        return;
    photoImported(readImportedFile(photo));
    const int record = static_cast<int>(photoList_.records.size()) - 1;
    if (record >= 0 && photoList_.records.back().fullPath() == photo && photoListCtrl_->makeCurrent(record))
        openListPhoto();
}

void CEditorDlg::removeMarkedPhotos() {
    photoListCtrl_->removeMarked();
}

void CEditorDlg::openListPhoto() {
    const int index = photoListCtrl_->currentIndex();
    if (index < 0 || index >= static_cast<int>(photoList_.records.size()))
        return;
    const QString path = photoList_.records[static_cast<std::size_t>(index)].fullPath();
    if (!QFileInfo::exists(path))
        return;
    workspace::WorkspaceDocument& document = workspace_->document();
    if (document.modified()) {
        // Cancel, a save that was cancelled or failed, or a background that failed, keeps the current
        // photo and its history open: the user asked to keep the edits, so they must not be thrown away.
        if (!collageMode_) {
            if (!offerToSavePhoto())
                return;
        } else if (!document.SetImageAsBackground()) {
            return;
        }
    }
    imaging::LoadedPicture loaded;
    {
        WaitCursor wait(true);
        if (!imaging::LoadPhoto(path, loaded))
            return;
    }
    const QSize working(loaded.photo.width, loaded.photo.height);
    document.setLoadedPicture(std::move(loaded.photo), loaded.libraryDecoded, loaded.formatCode, path);
    document.setOriginal(workspace::originalPictureOf(path, loaded.sourceSize, working));
    document.keepLoadedPhoto();
    document.ClearSelection();
    document.Recompose(false);
    updateUndoRedo();
    platform::sendMessage(this, platform::UM_OBJECTSELECTED, 0, 0);
    refreshStatusReadout();
}

bool CEditorDlg::offerToSavePhoto() {
    switch (app_.dialogs().askYesNoCancel(
        this, QStringLiteral("Current Photo has been modified, Do you want to Save it?"))) {
    case platform::Answer::Yes:
        return exportImage(false);
    case platform::Answer::No:
        return true;
    case platform::Answer::Cancel:
        break;
    }
    return false;
}

bool CEditorDlg::mayClose() {
    // Closing deletes the undo file too, so unsaved edits would be gone for good; in either mode.
    return !workspace_->document().modified() || offerToSavePhoto();
}

bool CEditorDlg::exportImage(bool wholeImage) {
    workspace::WorkspaceDocument& document = workspace_->document();
    const QString picture = document.picturePath();
    // The dialog starts beside the photo, where a user looks for it, or else in the documents folder
    // rather than wherever the editor happened to be started from.
    const QFileInfo pictureFile(picture);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // A photo the program ships sits in a folder the user cannot write to.
    if (!picture.isEmpty() && QFileInfo(pictureFile.absolutePath()).isWritable())
        folder = pictureFile.absolutePath();
    else if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const QString name = (picture.isEmpty() ? QStringLiteral("Untitled") : pictureFile.completeBaseName()) +
                         QStringLiteral(".jpg");
    const QString defaultName = QDir(folder).filePath(name);
    const QString filter = QString::fromLatin1(imaging::kExportSaveFilter);
    const QString extension = QString::fromLatin1(imaging::kExportDefaultExtension);
    // A photo opened smaller than its picture can be written at the picture's own size, the default.
    const bool fullSizeOffered = document.hasLargerOriginal();
    const QSize workingSize =
        wholeImage ? document.outputAreaSize() : QSize(document.canvasWidth(), document.canvasHeight());
    const QString workingText =
        QStringLiteral("Working size (%1 × %2)").arg(workingSize.width()).arg(workingSize.height());
    platform::SaveChoice size;
    std::optional<QString> chosen;
    if (fullSizeOffered) {
        const QSize full = workspace::fullSizeOf(document, wholeImage);
        size = {QStringLiteral("Size:"),
                {QStringLiteral("Full size (%1 × %2)").arg(full.width()).arg(full.height()), workingText},
                0};
        chosen = app_.dialogs().saveFileChoosing(this, filter, defaultName, extension, size);
    } else {
        chosen = app_.dialogs().saveFile(this, filter, defaultName, extension);
    }
    if (!chosen)
        return false;

    std::optional<imaging::PhotoBuffer> fullSize;
    if (fullSizeOffered && size.chosen == 0) {
        workspace::FullSizeResult result = exportAtFullSize(wholeImage);
        if (result.problem == workspace::FullSizeResult::Problem::Stopped)
            return false; // Escape: nothing written, nothing changed
        if (!result.pixels &&
            app_.dialogs().askYesNoCancel(
                this, workspace::fullSizeProblemText(result, document) +
                          QStringLiteral("\n\nSave it at the working size (%1 × %2) instead?")
                              .arg(workingSize.width())
                              .arg(workingSize.height())) != platform::Answer::Yes)
            return false;
        fullSize = std::move(result.pixels);
    }

    WaitCursor wait(largePhoto(document));
    // The objects become photo pixels as for any export, so that Undo brings them back; a full-size
    // result was made from the same objects.
    auto pixels = document.flattenForExport(wholeImage);
    updateUndoRedo();
    if (!pixels)
        return false; // the document has said why
    if (fullSize)
        pixels = std::move(fullSize);
    const imaging::Outcome saved =
        imaging::SavePicture(*chosen, pixels->bgr.data(), pixels->width, pixels->height,
                             QFileInfo(*chosen).suffix().toLower(), app_.folders().workingDataFolder());
    // A picture that was not written must not look exported.
    if (!saved)
        app_.dialogs().inform(this, QStringLiteral("The picture could not be saved as \"%1\".\n%2")
                                        .arg(*chosen, QString::fromStdString(saved.reason)));
    return static_cast<bool>(saved);
}

void CEditorDlg::saveEditsAsRecipe() {
    const workspace::WorkspaceDocument& document = workspace_->document();
    // Refused before the dialog, so that nobody picks a file for nothing.
    if (const recipe::WrittenRecipe written = recipe::writeRecipe(document); written.json.isEmpty()) {
        app_.dialogs().inform(
            this, QStringLiteral("The edits cannot be saved as a recipe: %1.").arg(written.problem));
        return;
    }
    const QFileInfo pictureFile(document.picturePath());
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const QString name =
        (document.picturePath().isEmpty() ? QStringLiteral("Untitled") : pictureFile.completeBaseName()) +
        QStringLiteral(".json");
    const std::optional<QString> chosen = app_.dialogs().saveFile(
        this, QStringLiteral("Recipes|*.json||"), QDir(folder).filePath(name), QStringLiteral("*.json"));
    if (!chosen)
        return;
    if (const QString problem = recipe::saveRecipe(document, *chosen); !problem.isEmpty()) {
        app_.dialogs().inform(this, QStringLiteral("The recipe could not be saved: %1.").arg(problem));
        return;
    }
    savedRecipe_ = *chosen;
    offerSavedRecipe();
}

workspace::FullSizeResult CEditorDlg::exportAtFullSize(bool wholeImage) {
    // The replaying document's files go to a folder of its own, never beside the editor's undo file.
    const platform::ScratchFolder scratch;
    if (!scratch.isValid())
        return {std::nullopt, workspace::FullSizeResult::Problem::Unreadable,
                QStringLiteral("no temporary folder could be made")};
    workspace::ReplayStopper stopper;
    workspace::FullSizeResult result;
    runWatchingEscape(
        [&] {
            result = workspace::renderFullSize(workspace_->document(), wholeImage, scratch.path(),
                                               stopper.control());
        },
        [&stopper] { stopper.stop(); }, kFullSizeWaitCursorMs);
    return result;
}

void CEditorDlg::chooseBackgroundColour() {
    const QColor initial(backgroundColour_ & 0xFF, (backgroundColour_ >> 8) & 0xFF,
                         (backgroundColour_ >> 16) & 0xFF);
    const auto colour = app_.dialogs().chooseColour(this, initial);
    if (!colour)
        return;
    backgroundColour_ = static_cast<std::uint32_t>(colour->red()) |
                        (static_cast<std::uint32_t>(colour->green()) << 8) |
                        (static_cast<std::uint32_t>(colour->blue()) << 16);
    workspace_->document().SetBackgroundColour(backgroundColour_);
}

void CEditorDlg::setImageAsBackground() {
    // In the crop tool the photo is cut to the rectangle first; without a cut the user would get a
    // background of a photo that was not cropped as the rectangle shows.
    if (refuseTooSmallCrop(QStringLiteral("The background was not set.")))
        return;
    WaitCursor wait(largePhoto(workspace_->document()));
    workspace_->document().SetImageAsBackground();
    updateUndoRedo();
}

} // namespace app
