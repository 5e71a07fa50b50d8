#include "recipe/photo_points.h"

#include "workspace/document.h"

#include <cmath>

namespace recipe {

QPoint windowPoint(const workspace::WorkspaceDocument& document, QPoint photoPixel) {
    const workspace::Rect& view = document.viewRect();
    const double width = std::max(1, document.canvasWidth());
    const double height = std::max(1, document.canvasHeight());
    return QPoint(view.left + static_cast<int>(std::lround(photoPixel.x() * view.width() / width)),
                  view.top + static_cast<int>(std::lround(photoPixel.y() * view.height() / height)));
}

QString outsidePhoto(const workspace::WorkspaceDocument& document, QPoint photoPixel, const char* field) {
    if (photoPixel.x() >= 0 && photoPixel.y() >= 0 && photoPixel.x() < document.canvasWidth() &&
        photoPixel.y() < document.canvasHeight())
        return {};
    return QStringLiteral("\"%1\" (%2, %3) lies outside the %4 × %5 photo")
        .arg(QLatin1String(field))
        .arg(photoPixel.x())
        .arg(photoPixel.y())
        .arg(document.canvasWidth())
        .arg(document.canvasHeight());
}

} // namespace recipe
