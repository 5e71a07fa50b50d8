#include "controls/empty_hint.h"

#include <QPainter>

namespace controls {

namespace {

// Keeps the words off the edges of a narrow list.
constexpr int kMargin = 12;

} // namespace

void paintEmptyHint(QPainter& painter, const QRect& area, const QString& hint) {
    const QRect room = area.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    if (hint.isEmpty() || room.isEmpty())
        return;
    painter.save();
    painter.setPen(QColor(120, 120, 120));
    painter.drawText(room, Qt::AlignCenter | Qt::TextWordWrap, hint);
    painter.restore();
}

} // namespace controls
