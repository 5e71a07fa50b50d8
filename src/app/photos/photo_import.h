#pragma once
// The background import of photo files: one worker thread at a time walks the chosen paths and hands
// each to the main window, which decides whether to list it. The window stays responsive: the thread
// waits only while the window handles one file.

#include "platform/manual_reset_event.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <atomic>
#include <functional>
#include <thread>

namespace app {

// What the thread hands over with UM_PHOTOIMPORTED (lParam points at it while the message is handled).
struct ImportedFile {
    QString path;
};

enum class ImportEnd { Completed, Cancelled, MissingFile };

class PhotoImportThread {
public:
    // `window` receives UM_PHOTOIMPORTED; `cancel` stops the thread before its next file (it is reset
    // when honoured); `finished` runs on the window's thread once the thread has ended.
    PhotoImportThread(QObject* window, platform::ManualResetEvent& cancel,
                      std::function<void(ImportEnd)> finished);
    // Cancels a running import and waits for it.
    ~PhotoImportThread();
    PhotoImportThread(const PhotoImportThread&) = delete;
    PhotoImportThread& operator=(const PhotoImportThread&) = delete;

    bool running() const { return running_; }
    // Starts importing; false (nothing started) while an import runs.
    bool start(QStringList paths);
    // Signals the cancel event and waits for the thread, handling the window's events meanwhile so a
    // file being handed over is not left waiting.
    void stop();

private:
    void run(QStringList paths);

    QPointer<QObject> window_;
    platform::ManualResetEvent& cancel_;
    std::function<void(ImportEnd)> finished_;
    std::atomic<bool> running_ = false;
    std::thread thread_;
};

} // namespace app
