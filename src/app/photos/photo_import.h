#pragma once
// The background import of photo files: one import thread at a time walks the chosen paths and hands
// each to the main window, which decides whether to list it. A small pool reads the files and makes their
// thumbnails ahead of it, on every core, and gives them back in the order of the paths. The window stays
// responsive: the thread waits only while the window handles one file.

#include "platform/manual_reset_event.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <atomic>
#include <functional>
#include <thread>

namespace app {

// What the thread hands over with UM_PHOTOIMPORTED (lParam points at it while the message is handled):
// the file, read before it is handed over.
struct ImportedFile {
    QString path;
    bool read = false;   // false: the file was listed already when the import started, and was not read
    bool probed = false; // the picture's size could be read
    int width = 0;
    int height = 0;
    QByteArray thumb; // the list thumbnail; empty when it could not be made
};

// Reads the file's picture size and, for a picture, makes its list thumbnail.
ImportedFile readImportedFile(const QString& path);

// The import's thumbnail makers: one per core, a few at most.
int defaultImportWorkers();

enum class ImportEnd { Completed, Cancelled, MissingFile };

class PhotoImportThread {
public:
    // `window` receives UM_PHOTOIMPORTED; `cancel` stops the thread before its next file (it is reset
    // when honoured, and when an import starts); `finished` runs on the window's thread once the thread
    // has ended, with the number start() gave that import.
    PhotoImportThread(QObject* window, platform::ManualResetEvent& cancel,
                      std::function<void(int import, ImportEnd end)> finished,
                      int workers = defaultImportWorkers());
    // Cancels a running import and waits for it.
    ~PhotoImportThread();
    PhotoImportThread(const PhotoImportThread&) = delete;
    PhotoImportThread& operator=(const PhotoImportThread&) = delete;

    bool running() const { return running_; }
    // How many threads make thumbnails for the imports started from now on (at least one).
    void setWorkers(int workers);
    // Starts importing and returns the import's number (1, 2, …); 0, with nothing started, while an import
    // runs. A Stop that came too late for the previous import does not carry over to this one. The files
    // at the `listed` paths are handed over unread: the window lists a path once.
    int start(QStringList paths, QSet<QString> listed = {});
    // Signals the cancel event and waits for the thread, handling the window's events meanwhile so a
    // file being handed over is not left waiting.
    void stop();

private:
    void run(int import, const QStringList& paths, const QSet<QString>& listed, int workers);

    QPointer<QObject> window_;
    platform::ManualResetEvent& cancel_;
    std::function<void(int, ImportEnd)> finished_;
    std::atomic<bool> running_ = false;
    int workers_;
    int imports_ = 0;
    std::thread thread_;
};

} // namespace app
