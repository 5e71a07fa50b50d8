#include "platform/dropped_files.h"

#include <QMimeData>
#include <QUrl>

namespace platform {

QStringList droppedLocalFiles(const QMimeData* mime) {
    QStringList paths;
    if (mime == nullptr || !mime->hasUrls())
        return paths;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    return paths;
}

} // namespace platform
