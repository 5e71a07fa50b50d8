#include "app/photos/photo_import.h"

#include "app/photos/photo_thumbs.h"
#include "imaging/files/photo_loading.h"
#include "platform/messages.h"
#include "platform/ordered_workers.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>
#include <QThread>
#include <algorithm>
#include <vector>

namespace app {

namespace {
// A pause between files, so the window's own work always gets its turn.
constexpr auto kPauseBetweenFiles = std::chrono::milliseconds(10);
// A small pool: the files come from one disk, and the machine stays usable during a long import.
constexpr int kMaxImportWorkers = 4;
} // namespace

ImportedFile readImportedFile(const QString& path) {
    ImportedFile file;
    file.path = path;
    file.read = true;
    file.probed = static_cast<bool>(imaging::ProbePictureSize(path, file.width, file.height));
    if (file.probed)
        file.thumb = makeListThumb(path);
    return file;
}

int defaultImportWorkers() {
    return std::clamp(QThread::idealThreadCount(), 1, kMaxImportWorkers);
}

PhotoImportThread::PhotoImportThread(QObject* window, platform::ManualResetEvent& cancel,
                                     std::function<void(int, ImportEnd)> finished, int workers)
    : window_(window), cancel_(cancel), finished_(std::move(finished)), workers_(std::max(1, workers)) {}

PhotoImportThread::~PhotoImportThread() {
    stop();
}

void PhotoImportThread::setWorkers(int workers) {
    workers_ = std::max(1, workers);
}

int PhotoImportThread::start(QStringList paths, QSet<QString> listed) {
    if (running_)
        return 0;
    if (thread_.joinable())
        thread_.join();
    // Stop pressed while the last file of the previous import was handled left the event set.
    cancel_.reset();
    running_ = true;
    const int import = ++imports_;
    thread_ = std::thread([this, import, paths = std::move(paths), listed = std::move(listed),
                           workers = workers_] { run(import, paths, listed, workers); });
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

void PhotoImportThread::run(int import, const QStringList& paths, const QSet<QString>& listed, int workers) {
    ImportEnd end = ImportEnd::Completed;
    // Set on this thread when a Stop is honoured or a file is missing: no later file is handed over, and
    // the workers start no other.
    std::atomic<bool> ended = false;
    std::vector<ImportedFile> files(static_cast<std::size_t>(paths.size()));
    const platform::OrderedRun run = platform::runOrdered(
        static_cast<int>(paths.size()), workers, {},
        [&](int index, int) {
            ImportedFile& file = files[static_cast<std::size_t>(index)];
            if (listed.contains(paths[index]))
                file.path = paths[index];
            else
                file = readImportedFile(paths[index]);
        },
        [&](int index) {
            if (ended)
                return;
            ImportedFile& file = files[static_cast<std::size_t>(index)];
            const bool exists = QFileInfo::exists(file.path);
            if (cancel_.isSet()) {
                cancel_.reset();
                end = ImportEnd::Cancelled;
                ended = true;
                return;
            }
            if (!exists) {
                end = ImportEnd::MissingFile;
                ended = true;
                return;
            }
            platform::sendMessageBlocking(window_, platform::UM_PHOTOIMPORTED, 0,
                                          reinterpret_cast<platform::LParam>(&file));
            file.thumb.clear();
            std::this_thread::sleep_for(kPauseBetweenFiles);
        },
        [&] { return ended || cancel_.isSet(); });
    // A Stop the workers saw before any handed-over file did.
    if (run.stopped && !ended) {
        cancel_.reset();
        end = ImportEnd::Cancelled;
    }
    // No longer running before the window hears of the end, so that it may start the next import there.
    running_ = false;
    if (window_)
        QMetaObject::invokeMethod(
            window_, [finished = finished_, import, end] { finished(import, end); }, Qt::QueuedConnection);
}

} // namespace app
