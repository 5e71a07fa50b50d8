#pragma once

#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>

namespace imaging {

// The formats the batch converter writes, by the extension its output gets.
inline constexpr std::array<const char*, 8> kBatchFormats{"jpg", "bmp", "gif", "png",
                                                          "pnm", "tga", "tif", "pcx"};

inline bool isBatchFormat(const QString& format) {
    return std::any_of(kBatchFormats.begin(), kBatchFormats.end(),
                       [&](const char* known) { return format == QLatin1String(known); });
}

// Where the batch converter writes a converted file: the output folder (ending with a separator)
// followed by the source's file name cut after its last "." and followed by the format text
// (Photo.Holiday.jpeg converted to png becomes Photo.Holiday.png). A name without a "." gets one, so
// "photo" becomes photo.png rather than photopng.
inline QString batchOutputPath(const QString& outputFolder, const QString& sourcePath,
                               const QString& format) {
    const qsizetype slash =
        std::max(sourcePath.lastIndexOf(QLatin1Char('/')), sourcePath.lastIndexOf(QLatin1Char('\\')));
    const QString name = sourcePath.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot >= 0 ? name.left(dot + 1) : name + QLatin1Char('.');
    return outputFolder + stem + format;
}

// Why each output of a run over many files must not be written, an empty text where it may be: the files
// are worked on in any order, and neither an original nor a result may be lost. An output may replace
// neither a file the run reads (one of `sources` or of `alsoRead`) nor the output of an earlier source.
// Paths meet as the files they name. `sourcesAre` says what the sources are in the first reason, as in
// "its output x.png would replace a file named on the command line".
QStringList refusedOutputs(const QStringList& sources, const QStringList& targets,
                           const QStringList& alsoRead, const QString& sourcesAre);

// The batch converter's first output folder: the documents folder, then "Quorix Pictovnce Dazazizu",
// then "Convert", with a trailing separator. Both levels are created when missing; the result is the
// path even when they could not be, so the failure shows when files are written.
QString defaultBatchOutputFolder(const QString& documentsFolder);

} // namespace imaging
