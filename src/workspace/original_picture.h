#pragma once
// The picture file a photo was opened from, remembered so that results can be made from its own pixels
// at its own size. Its pixels are not held: they are read again for each full-size result.

#include <QDateTime>
#include <QSize>
#include <QString>

namespace workspace {

struct OriginalPicture {
    QString path;
    QSize size;    // as a full-size result comes out: the width rounded down to a multiple of 4
    QSize working; // the working copy made of it when it was opened
    qint64 bytes = -1;
    QDateTime modified;
};

// The file at `path` as it is now, whose picture is `sourceSize` and was opened as `working`.
OriginalPicture originalPictureOf(const QString& path, QSize sourceSize, QSize working);

enum class OriginalState { Unchanged, Vanished, Changed };
// Whether the file is still the one that was opened: there, of the same length and modification time.
OriginalState originalState(const OriginalPicture& original);

} // namespace workspace
