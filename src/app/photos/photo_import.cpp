#include "app/photos/photo_import.h"

#include "platform/messages.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>

namespace app {

namespace {
// A pause between files, so the window's own work always gets its turn.
constexpr auto kPauseBetweenFiles = std::chrono::milliseconds(10);
} // namespace

PhotoImportThread::PhotoImportThread(QObject* window, platform::ManualResetEvent& cancel,
                                     std::function<void(int, ImportEnd)> finished)
    : window_(window), cancel_(cancel), finished_(std::move(finished)) {}

PhotoImportThread::~PhotoImportThread() {
    stop();
}

int PhotoImportThread::start(QStringList paths) {
    if (running_)
        return 0;
    if (thread_.joinable())
        thread_.join();
    // Stop pressed while the last file of the previous import was handled left the event set.
    cancel_.reset();
    running_ = true;
    const int import = ++imports_;
    thread_ = std::thread([this, import, paths = std::move(paths)] { run(import, paths); });
    return import;
}

void PhotoImportThread::stop() {
    if (running_)
        cancel_.set();
    while (running_)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (thread_.joinable())
        thread_.join();
}

void PhotoImportThread::run(int import, QStringList paths) {
    ImportEnd end = ImportEnd::Completed;
    for (const QString& path : paths) {
        const bool exists = QFileInfo::exists(path);
        if (cancel_.isSet()) {
            cancel_.reset();
            end = ImportEnd::Cancelled;
            break;
        }
        if (!exists) {
            end = ImportEnd::MissingFile;
            break;
        }
        ImportedFile file{path};
        platform::sendMessageBlocking(window_, platform::UM_PHOTOIMPORTED, 0,
                                      reinterpret_cast<platform::LParam>(&file));
        std::this_thread::sleep_for(kPauseBetweenFiles);
    }
    // No longer running before the window hears of the end, so that it may start the next import there.
    running_ = false;
    if (window_)
        QMetaObject::invokeMethod(
            window_, [finished = finished_, import, end] { finished(import, end); }, Qt::QueuedConnection);
}

} // namespace app
