#include "imaging/batch_convert.h"

#include "imaging/batch_naming.h"
#include "imaging/codecs/raster.h"
#include "imaging/files/photo_loading.h"
#include "imaging/files/save_picture.h"
#include "platform/manual_reset_event.h"
#include "platform/ordered_workers.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <exception>
#include <new>
#include <thread>
#include <vector>

namespace imaging {

namespace {

Outcome convertGuarded(const QString& source, const QString& target, const BatchJob& job) {
    try {
        return ConvertPictureFile(source, target, job.format, job.dataFolder);
    } catch (const std::bad_alloc&) {
        return Outcome::failure("not enough memory");
    } catch (const std::exception& error) {
        return Outcome::failure(error.what());
    }
}

// The report lists this many skipped files at most, so it still fits a message box.
constexpr int kListedSkips = 15;

void rest(const BatchOptions& options) {
    if (options.pauseAfterFile.count() <= 0)
        return;
    // A stop request cuts the rest short.
    if (options.stop != nullptr)
        options.stop->wait(options.pauseAfterFile);
    else
        std::this_thread::sleep_for(options.pauseAfterFile);
}

} // namespace

QString defaultBatchOutputFolder(const QString& documentsFolder) {
    // The folder name is spelt as the converter has always spelt it, so earlier output is found again.
    const QString folder =
        QDir::cleanPath(documentsFolder) + QStringLiteral("/Quorix Pictovnce Dazazizu/Convert/");
    QDir().mkpath(folder);
    return folder;
}

QStringList refusedOutputs(const QStringList& sources, const QStringList& targets,
                           const QStringList& alsoRead, const QString& sourcesAre) {
    QSet<QString> read;
    for (const QStringList* files : {&sources, &alsoRead})
        for (const QString& file : *files)
            read.insert(platform::fileKey(file));
    QHash<QString, QString> writers;
    QStringList reasons;
    for (qsizetype i = 0; i < sources.size(); ++i) {
        const QString target = platform::fileKey(targets[i]);
        const QString shown = QDir::toNativeSeparators(QFileInfo(targets[i]).absoluteFilePath());
        QString reason;
        if (read.contains(target))
            reason = QStringLiteral("its output %1 would replace %2").arg(shown, sourcesAre);
        else if (writers.contains(target))
            reason = QStringLiteral("its output %1 is already the output of %2")
                         .arg(shown, QDir::toNativeSeparators(writers.value(target)));
        else
            writers.insert(target, sources[i]);
        reasons << reason;
    }
    return reasons;
}

QString skippedListing(const std::vector<BatchFileReport>& skipped) {
    QString text = QStringLiteral("Skipped:");
    const int listed = std::min<int>(kListedSkips, static_cast<int>(skipped.size()));
    for (int i = 0; i < listed; ++i)
        text += QStringLiteral("\n%1: %2")
                    .arg(QDir::toNativeSeparators(skipped[static_cast<std::size_t>(i)].source),
                         QString::fromStdString(skipped[static_cast<std::size_t>(i)].outcome.reason));
    if (static_cast<int>(skipped.size()) > listed)
        text += QStringLiteral("\n... and %1 more.").arg(static_cast<int>(skipped.size()) - listed);
    return text;
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
    const QStringList refusals =
        refusedOutputs(job.files, targets, {}, QStringLiteral("a file being converted"));
    const int count = static_cast<int>(job.files.size());
    const bool inOneThread = options.workers <= 1 || count <= 1;
    std::vector<Outcome> outcomes(static_cast<std::size_t>(count));
    BatchSummary summary;
    // After a converted file: with one worker the rest follows the report, so a window hears of the file
    // before it rests; several workers each rest on their own.
    const platform::OrderedRun run = platform::runOrdered(
        count, options.workers,
        inOneThread ? platform::ItemOrder{} : platform::orderBySharedPaths(job.files, targets),
        [&](int index, int) {
            Outcome& outcome = outcomes[static_cast<std::size_t>(index)];
            outcome = refusals[index].isEmpty() ? convertGuarded(job.files[index], targets[index], job)
                                                : Outcome::failure(refusals[index].toStdString());
            if (!inOneThread && outcome)
                rest(options);
        },
        [&](int index) {
            const BatchFileReport file{index, job.files[index], targets[index],
                                       outcomes[static_cast<std::size_t>(index)]};
            ++(file.outcome ? summary.converted : summary.skipped);
            report(file);
            if (inOneThread && file.outcome)
                rest(options);
        },
        [&options] { return options.stop != nullptr && options.stop->isSet(); });
    summary.stopped = run.stopped;
    return summary;
}

} // namespace imaging
