#include "visible_area.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTransform>

namespace text {

QRect visibleArea(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    if (!device)
        return {};
    bool invertible = false;
    const QTransform toLogical = painter.combinedTransform().inverted(&invertible);
    if (!invertible)
        return {};
    return toLogical.mapRect(QRectF(0, 0, device->width(), device->height())).toAlignedRect();
}

} // namespace text
