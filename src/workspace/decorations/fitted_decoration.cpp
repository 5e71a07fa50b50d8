#include "workspace/decorations/fitted_decoration.h"

#include "workspace/decorations/decoration_geometry.h"

#include <QPainter>

namespace workspace {

QImage fittedDecoration(const QImage& picture, QSize area) {
    const std::vector<DecorationSlice> slices = decorationSlices(picture.size(), area);
    if (slices.empty())
        return {};
    if (slices.size() == 1)
        return picture.scaled(area, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage fitted(area, QImage::Format_ARGB32_Premultiplied);
    fitted.fill(Qt::transparent);
    QPainter painter(&fitted);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const DecorationSlice& slice : slices)
        painter.drawImage(slice.target.topLeft(),
                          picture.copy(slice.source)
                              .scaled(slice.target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return fitted;
}

QImage fittedDecorationPart(const QImage& picture, QSize area, const QRect& part) {
    const std::vector<DecorationSlice> slices = decorationSlices(picture.size(), area);
    if (slices.empty() || part.isEmpty())
        return {};
    QImage fitted(part.size(), QImage::Format_ARGB32_Premultiplied);
    fitted.fill(Qt::transparent);
    QPainter painter(&fitted);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.translate(-part.topLeft());
    for (const DecorationSlice& slice : slices) {
        if (slice.target.intersects(part))
            painter.drawImage(QRectF(slice.target), picture, QRectF(slice.source));
    }
    return fitted;
}

} // namespace workspace
