#pragma once

#include <QStringList>

class QMimeData;

namespace platform {

// The local files a drag from a file manager carries, in the order it lists them; empty when it carries
// none (text, remote addresses).
QStringList droppedLocalFiles(const QMimeData* mime);

} // namespace platform
