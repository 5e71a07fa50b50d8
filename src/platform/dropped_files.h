#pragma once

#include <QStringList>

class QDropEvent;
class QMimeData;

namespace platform {

// The local files a drag from a file manager carries, in the order it lists them; empty when it carries
// none (text, remote addresses).
QStringList droppedLocalFiles(const QMimeData* mime);

// A drag entering or moving over a widget that opens dropped pictures: accepted when it carries local
// files, so the cursor says whether letting go does anything.
void acceptLocalFiles(QDropEvent* event);
// The local files of a drop, the drop accepted; empty, and the drop ignored, when it carries none.
QStringList takeDroppedLocalFiles(QDropEvent* event);

} // namespace platform
