#include "app/commands/convert_command.h"

#include "imaging/batch_naming.h"
#include "imaging/photo_loading.h"
#include "imaging/save_picture.h"
#include "platform/scratch_folder.h"

#include <QDir>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <cstdio>
#include <new>
#include <vector>

namespace app {

namespace {

struct ConvertRequest {
    QString format;
    QString outputFolder;
    QStringList files;
};

void printUsage() {
    std::fprintf(stderr, "usage: pictovance --convert FORMAT --out DIR FILE...\n"
                         "FORMAT is one of jpg, bmp, gif, png, pnm, tga, tif, pcx.\n");
}

bool parse(const QStringList& arguments, ConvertRequest& request) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if ((argument == QLatin1String("--convert") || argument == QLatin1String("--out")) &&
            i + 1 < arguments.size()) {
            (argument == QLatin1String("--convert") ? request.format : request.outputFolder) = arguments[++i];
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

// One file, as the batch converter does it: probe, load at the picture's own size, save.
imaging::Outcome convertOne(const QString& source, const QString& target, const QString& format,
                            const QString& handOverFolder) {
    int width = 0;
    int height = 0;
    imaging::Outcome outcome = imaging::ProbePictureSize(source, width, height);
    if (!outcome)
        return outcome;
    std::vector<std::uint8_t> pixels;
    try {
        pixels.assign(static_cast<std::size_t>(width) * 3 * static_cast<std::size_t>(height), 0);
    } catch (const std::bad_alloc&) {
        return imaging::Outcome::failure("not enough memory");
    }
    outcome = imaging::LoadPictureScaled(source, pixels.data(), width, height, imaging::ScaledLayout::Batch);
    if (!outcome)
        return outcome;
    return imaging::SavePicture(target, pixels.data(), width, height, format, handOverFolder);
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
    int failures = 0;
    for (const QString& file : request.files) {
        const QString target = imaging::batchOutputPath(outputFolder, file, request.format);
        const imaging::Outcome outcome = convertOne(file, target, request.format, scratch.path());
        if (outcome) {
            std::printf("written: %s\n", qPrintable(QDir::toNativeSeparators(target)));
        } else {
            ++failures;
            std::printf("skipped: %s: %s\n", qPrintable(QDir::toNativeSeparators(file)),
                        outcome.reason.c_str());
        }
        std::fflush(stdout);
    }
    return failures == 0 ? 0 : 1;
}

} // namespace app
