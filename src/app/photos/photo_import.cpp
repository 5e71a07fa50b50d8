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
                                     std::function<void(ImportEnd)> finished)
    : window_(window), cancel_(cancel), finished_(std::move(finished)) {}

PhotoImportThread::~PhotoImportThread() {
    stop();
}

bool PhotoImportThread::start(QStringList paths) {
    if (running_)
        return false;
    if (thread_.joinable())
        thread_.join();
    running_ = true;
    thread_ = std::thread([this, paths = std::move(paths)] { run(paths); });
    return true;
}

void PhotoImportThread::stop() {
    if (running_)
        cancel_.set();
    while (running_)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (thread_.joinable())
        thread_.join();
}

void PhotoImportThread::run(QStringList paths) {
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
    if (window_)
        QMetaObject::invokeMethod(
            window_, [finished = finished_, end] { finished(end); }, Qt::QueuedConnection);
    running_ = false;
}

} // namespace app
