#include "platform/dropped_files.h"

#include <QDropEvent>
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

void acceptLocalFiles(QDropEvent* event) {
    if (droppedLocalFiles(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

QStringList takeDroppedLocalFiles(QDropEvent* event) {
    QStringList paths = droppedLocalFiles(event->mimeData());
    if (paths.isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
    return paths;
}

} // namespace platform
