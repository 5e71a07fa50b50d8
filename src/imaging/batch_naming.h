#pragma once

#include <QString>
#include <algorithm>

namespace imaging {

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

} // namespace imaging
