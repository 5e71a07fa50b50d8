// The main window's opening of pictures named on the command line, at the first start or handed over by
// a second one: the photo list's import brings them in, then the first of them that is listed opens.
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "app/photos/photo_list_ctrl.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <utility>

namespace app {

namespace {

// The listed (not removed) record with this full path, or -1.
int listedRecord(const PhotoList& list, const QString& path) {
    for (std::size_t i = 0; i < list.records.size(); ++i)
        if (list.records[i].removed == 0 && list.records[i].fullPath() == path)
            return static_cast<int>(i);
    return -1;
}

} // namespace

void CEditorDlg::openPictures(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    openingsWaiting_.push_back(paths);
    startNextOpening();
}

void CEditorDlg::startNextOpening() {
    while (openingImport_ == 0 && !openingsWaiting_.empty() && !importRunning()) {
        openingPaths_ = std::move(openingsWaiting_.front());
        openingsWaiting_.pop_front();
        // A missing file would end the import there and leave the pictures after it out.
        QStringList present;
        for (const QString& path : std::as_const(openingPaths_))
            if (QFileInfo(path).isFile())
                present << path;
        openingImport_ = startImport(present);
        if (openingImport_ == 0)
            openListedPictures({});
    }
}

void CEditorDlg::finishOpening(int import, ImportEnd end, const QStringList& refused) {
    if (import == openingImport_) {
        openingImport_ = 0;
        // Stop pressed during the import: the user no longer wants them.
        if (end == ImportEnd::Cancelled)
            openingPaths_.clear();
        else
            openListedPictures(refused);
    }
    startNextOpening();
}

void CEditorDlg::openListedPictures(const QStringList& refused) {
    const QStringList paths = std::exchange(openingPaths_, {});
    int first = -1;
    QStringList problems;
    for (const QString& path : paths) {
        const int record = listedRecord(photoList_, path);
        if (record >= 0) {
            if (first < 0)
                first = record;
        } else if (!refused.contains(path)) { // a path too long to list has been reported already
            problems << (QFileInfo::exists(path)
                             ? QStringLiteral("%1: not a picture the editor reads, or 5 × 5 pixels or smaller")
                             : QStringLiteral("%1: not found"))
                            .arg(QDir::toNativeSeparators(path));
        }
    }
    ++openingsHeldBack_;
    openWhenNoDialogWaits(first, problems);
}

// Opening asks questions and replaces the document, so it waits while a dialog of the editor waits for
// the user: a picture handed over during an export would otherwise be exported in place of the edited
// one, or the edits would be thrown away under the open dialog.
void CEditorDlg::openWhenNoDialogWaits(int record, const QStringList& problems) {
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(200, this, [this, record, problems] { openWhenNoDialogWaits(record, problems); });
        return;
    }
    --openingsHeldBack_;
    if (record >= 0 && photoListCtrl_->makeCurrent(record)) {
        leavePreview();
        openListPhoto();
    }
    if (!problems.isEmpty())
        app_.dialogs().inform(this, QStringLiteral("These files could not be added to the photo list:\n%1")
                                        .arg(problems.join(QLatin1Char('\n'))));
}

} // namespace app
