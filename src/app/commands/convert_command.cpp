#include "app/commands/convert_command.h"

#include "app/commands/usage.h"
#include "imaging/batch_convert.h"
#include "imaging/batch_naming.h"
#include "platform/scratch_folder.h"

#include <QDir>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QThread>
#include <algorithm>
#include <cstdio>

namespace app {

namespace {

constexpr int kMaxWorkers = 64;

struct ConvertRequest {
    QString format;
    QString outputFolder;
    QStringList files;
    int workers = 0; // 0: one per core
};

void printUsage() {
    printUsageLine(ProgramMode::Convert);
    std::fprintf(stderr, "FORMAT is one of jpg, bmp, gif, png, pnm, tga, tif, pcx.\n");
}

bool parse(const QStringList& arguments, ConvertRequest& request) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if ((argument == QLatin1String("--convert") || argument == QLatin1String("--out")) &&
            i + 1 < arguments.size()) {
            (argument == QLatin1String("--convert") ? request.format : request.outputFolder) = arguments[++i];
        } else if (argument == QLatin1String("--jobs") && i + 1 < arguments.size()) {
            bool number = false;
            request.workers = arguments[++i].toInt(&number);
            if (!number || request.workers < 1 || request.workers > kMaxWorkers)
                return false;
        } else if (argument.startsWith(QLatin1String("--"))) {
            return false;
        } else {
            request.files << argument;
        }
    }
    request.format = request.format.toLower();
    return imaging::isBatchFormat(request.format) && !request.outputFolder.isEmpty() &&
           !request.files.isEmpty();
}

} // namespace

bool isConvertCommand(const QStringList& arguments) {
    return arguments.contains(QLatin1String("--convert"));
}

int runConvertCommand(int argc, char** argv, const QStringList& arguments) {
    ConvertRequest request;
    if (!parse(arguments, request)) {
        printUsage();
        return 2;
    }
    // Metafiles are played with a painter, which needs a GUI application; the offscreen platform
    // needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    // Each skipped file gets its own line with the reason; the readers' warnings would only repeat it.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));

    QDir output(request.outputFolder);
    if (!output.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "pictovance: cannot create the output folder %s\n",
                     qPrintable(QDir::toNativeSeparators(request.outputFolder)));
        return 2;
    }
    const QString outputFolder = output.absolutePath() + QLatin1Char('/');
    // The library route's hand-over bitmaps go to a folder of this run's own, never the editor's.
    const platform::ScratchFolder scratch;
    if (!scratch.isValid()) {
        std::fprintf(stderr, "pictovance: cannot create a temporary folder in %s\n",
                     qPrintable(QDir::toNativeSeparators(platform::Folders::tempFolder())));
        return 2;
    }
    const imaging::BatchJob job{request.files, outputFolder, request.format, scratch.path()};
    imaging::BatchOptions options;
    options.workers = request.workers > 0 ? request.workers : std::max(1, QThread::idealThreadCount());
    int failures = 0;
    imaging::RunBatch(job, options, [&](const imaging::BatchFileReport& file) {
        if (file.outcome) {
            std::printf("written: %s\n", qPrintable(QDir::toNativeSeparators(file.target)));
        } else {
            ++failures;
            std::printf("skipped: %s: %s\n", qPrintable(QDir::toNativeSeparators(file.source)),
                        file.outcome.reason.c_str());
        }
        std::fflush(stdout);
    });
    return failures == 0 ? 0 : 1;
}

} // namespace app
