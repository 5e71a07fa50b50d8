#include "imaging/batch_convert.h"

#include "imaging/batch_naming.h"
#include "imaging/codecs/raster.h"
#include "imaging/photo_loading.h"
#include "imaging/save_picture.h"
#include "platform/manual_reset_event.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <array>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

namespace imaging {

namespace {

// One name for one file, however the path was written; an existing file by its real path, so a link
// and its target meet.
QString pathKey(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

// For each file, the (at most two) earlier files that must be finished before it starts: the last
// earlier one that read or wrote its source, and the last that read or wrote its target.
std::vector<std::array<int, 2>> orderingConstraints(const BatchJob& job, const QStringList& targets) {
    std::vector<std::array<int, 2>> after(static_cast<std::size_t>(job.files.size()));
    QHash<QString, int> lastUse;
    for (qsizetype i = 0; i < job.files.size(); ++i) {
        const QString source = pathKey(job.files[i]);
        const QString target = pathKey(targets[i]);
        after[static_cast<std::size_t>(i)] = {lastUse.value(source, -1), lastUse.value(target, -1)};
        lastUse.insert(source, static_cast<int>(i));
        lastUse.insert(target, static_cast<int>(i));
    }
    return after;
}

Outcome convertGuarded(const QString& source, const QString& target, const BatchJob& job) {
    try {
        return ConvertPictureFile(source, target, job.format, job.dataFolder);
    } catch (const std::bad_alloc&) {
        return Outcome::failure("not enough memory");
    } catch (const std::exception& error) {
        return Outcome::failure(error.what());
    }
}

void rest(const BatchOptions& options) {
    if (options.pauseAfterFile.count() <= 0)
        return;
    // A stop request cuts the rest short.
    if (options.stop != nullptr)
        options.stop->wait(options.pauseAfterFile);
    else
        std::this_thread::sleep_for(options.pauseAfterFile);
}

bool stopRequested(const BatchOptions& options) {
    return options.stop != nullptr && options.stop->isSet();
}

BatchSummary runInline(const BatchJob& job, const QStringList& targets, const BatchOptions& options,
                       const std::function<void(const BatchFileReport&)>& report) {
    BatchSummary summary;
    for (qsizetype i = 0; i < job.files.size(); ++i) {
        if (stopRequested(options)) {
            summary.stopped = true;
            break;
        }
        BatchFileReport file{static_cast<int>(i), job.files[i], targets[i],
                             convertGuarded(job.files[i], targets[i], job)};
        ++(file.outcome ? summary.converted : summary.skipped);
        report(file);
        if (file.outcome)
            rest(options);
    }
    return summary;
}

BatchSummary runParallel(const BatchJob& job, const QStringList& targets, const BatchOptions& options,
                         const std::function<void(const BatchFileReport&)>& report) {
    const int count = static_cast<int>(job.files.size());
    const std::vector<std::array<int, 2>> after = orderingConstraints(job, targets);
    std::vector<Outcome> outcomes(static_cast<std::size_t>(count));
    std::vector<char> done(static_cast<std::size_t>(count), 0);
    std::mutex mutex;
    std::condition_variable changed;
    int next = 0;
    int workersLeft = options.workers;
    bool stopped = false;
    const auto finished = [&](int index) { return index < 0 || done[static_cast<std::size_t>(index)]; };

    const auto work = [&] {
        for (;;) {
            int index = 0;
            {
                std::unique_lock lock(mutex);
                if (next >= count || stopRequested(options)) {
                    stopped = stopped || next < count;
                    break;
                }
                index = next++;
                const auto& before = after[static_cast<std::size_t>(index)];
                changed.wait(lock, [&] { return finished(before[0]) && finished(before[1]); });
            }
            Outcome outcome = convertGuarded(job.files[index], targets[index], job);
            const bool converted = outcome.ok;
            {
                std::lock_guard lock(mutex);
                outcomes[static_cast<std::size_t>(index)] = std::move(outcome);
                done[static_cast<std::size_t>(index)] = 1;
            }
            changed.notify_all();
            if (converted)
                rest(options);
        }
        {
            std::lock_guard lock(mutex);
            --workersLeft;
        }
        changed.notify_all();
    };

    std::vector<std::jthread> workers;
    workers.reserve(static_cast<std::size_t>(options.workers));
    for (int w = 0; w < options.workers; ++w)
        workers.emplace_back(work);

    BatchSummary summary;
    for (int reported = 0;;) {
        BatchFileReport file;
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return (reported < next && finished(reported)) || workersLeft == 0; });
            if (reported >= next || !finished(reported))
                break;
            file = {reported, job.files[reported], targets[reported],
                    outcomes[static_cast<std::size_t>(reported)]};
        }
        ++(file.outcome ? summary.converted : summary.skipped);
        report(file);
        ++reported;
    }
    summary.stopped = stopped;
    return summary;
}

} // namespace

QString defaultBatchOutputFolder(const QString& documentsFolder) {
    // The folder name is spelt as the converter has always spelt it, so earlier output is found again.
    const QString folder =
        QDir::cleanPath(documentsFolder) + QStringLiteral("/Quorix Pictovnce Dazazizu/Convert/");
    QDir().mkpath(folder);
    return folder;
}

Outcome ConvertPictureFile(const QString& source, const QString& target, const QString& format,
                           const QString& dataFolder) {
    int width = 0;
    int height = 0;
    Outcome outcome = ProbePictureSize(source, width, height);
    if (!outcome)
        return outcome;
    if (!pixelCountAcceptable(width, height))
        return Outcome::failure("picture too large");
    std::vector<std::uint8_t> pixels;
    try {
        pixels.assign(static_cast<std::size_t>(width) * 3 * static_cast<std::size_t>(height), 0);
    } catch (const std::bad_alloc&) {
        return Outcome::failure("not enough memory");
    }
    outcome = LoadPictureScaled(source, pixels.data(), width, height, ScaledLayout::Batch);
    if (!outcome)
        return outcome;
    return SavePicture(target, pixels.data(), width, height, format, dataFolder);
}

BatchSummary RunBatch(const BatchJob& job, const BatchOptions& options,
                      const std::function<void(const BatchFileReport&)>& report) {
    QStringList targets;
    targets.reserve(job.files.size());
    for (const QString& file : job.files)
        targets << batchOutputPath(job.outputFolder, file, job.format);
    if (options.workers <= 1 || job.files.size() <= 1)
        return runInline(job, targets, options, report);
    BatchOptions bounded = options;
    bounded.workers = static_cast<int>(std::min<qsizetype>(options.workers, job.files.size()));
    return runParallel(job, targets, bounded, report);
}

} // namespace imaging
