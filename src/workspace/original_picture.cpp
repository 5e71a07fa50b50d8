#include "workspace/original_picture.h"

#include <QFileInfo>

namespace workspace {

OriginalPicture originalPictureOf(const QString& path, QSize sourceSize, QSize working) {
    const QFileInfo file(path);
    return {path, QSize(sourceSize.width() & ~3, sourceSize.height()), working, file.size(),
            file.lastModified()};
}

OriginalState originalState(const OriginalPicture& original) {
    const QFileInfo file(original.path);
    if (!file.isFile())
        return OriginalState::Vanished;
    if (file.size() != original.bytes || file.lastModified() != original.modified)
        return OriginalState::Changed;
    return OriginalState::Unchanged;
}

} // namespace workspace
