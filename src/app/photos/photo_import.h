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
    // when honoured, and when an import starts); `finished` runs on the window's thread once the thread
    // has ended, with the number start() gave that import.
    PhotoImportThread(QObject* window, platform::ManualResetEvent& cancel,
                      std::function<void(int import, ImportEnd end)> finished);
    // Cancels a running import and waits for it.
    ~PhotoImportThread();
    PhotoImportThread(const PhotoImportThread&) = delete;
    PhotoImportThread& operator=(const PhotoImportThread&) = delete;

    bool running() const { return running_; }
    // Starts importing and returns the import's number (1, 2, …); 0, with nothing started, while an import
    // runs. A Stop that came too late for the previous import does not carry over to this one.
    int start(QStringList paths);
    // Signals the cancel event and waits for the thread, handling the window's events meanwhile so a
    // file being handed over is not left waiting.
    void stop();

private:
    void run(int import, QStringList paths);

    QPointer<QObject> window_;
    platform::ManualResetEvent& cancel_;
    std::function<void(int, ImportEnd)> finished_;
    std::atomic<bool> running_ = false;
    int imports_ = 0;
    std::thread thread_;
};

} // namespace app
