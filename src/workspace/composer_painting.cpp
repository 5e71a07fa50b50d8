#include "workspace/composer_painting.h"

#include "imaging/filters/filter_rows.h"
#include "imaging/pixel_rows.h"
#include "text/styled_text_renderer.h"
#include "workspace/document.h"
#include "workspace/manipulation/handle_geometry.h"

#include <QPainter>
#include <algorithm>

namespace workspace {

QImage imageOf(const imaging::PhotoBuffer& buffer) {
    return QImage(buffer.bgr.data(), buffer.width, buffer.height, static_cast<qsizetype>(buffer.stride()),
                  QImage::Format_BGR888);
}

QImage rgb32Of(const imaging::PhotoBuffer& buffer, const QRect& part) {
    QImage picture(part.size(), QImage::Format_RGB32);
    if (picture.isNull() || part.isEmpty())
        return picture;
    for (int y = 0; y < part.height(); ++y)
        imaging::bgrRowToRgb32(buffer.row(part.top() + y) + static_cast<std::size_t>(part.left()) * 3,
                               reinterpret_cast<QRgb*>(picture.scanLine(y)), part.width());
    return picture;
}

void stretchPart(const QImage& source, const Rect& over, const QRect& part, QImage& into) {
    into = QImage(part.size(), QImage::Format_RGB32);
    if (into.isNull() || source.isNull())
        return;
    uchar* const bits = into.bits(); // detached before the bands share it
    const qsizetype perLine = into.bytesPerLine();
    imaging::detail::inBands(
        into.height(), static_cast<std::size_t>(into.width()) * static_cast<std::size_t>(into.height()),
        [&](int firstRow, int endRow) {
            QImage rows(bits, into.width(), into.height(), perLine, into.format());
            QPainter painter(&rows);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
            // Each band, and the part, clip the work to the pixels shown.
            painter.setClipRect(QRect(0, firstRow, into.width(), endRow - firstRow));
            painter.translate(-part.topLeft());
            painter.drawImage(over.toQRect(), source);
            return true;
        });
}

void TintRect(QPainter& painter, const Rect& rect, QColor colour) {
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    colour.setAlpha(120);
    painter.fillRect(rect.toQRect(), colour);
}

void DrawHandles(QPainter& painter, const Rect& rect, QColor colour, bool cornersOnly) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::black);
    painter.setBrush(colour);
    const auto handles = WorkspaceDocument::HandleRects(rect);
    for (int k = 0; k < kHandleCount; ++k) {
        if (cornersOnly && isEdgeHandle(k))
            continue;
        const Rect& handle = handles[static_cast<std::size_t>(k)];
        painter.drawRect(QRect(handle.left, handle.top, handle.width() - 1, handle.height() - 1));
    }
    painter.restore();
}

void DrawPictureHandles(QPainter& painter, const PictureHandles& handles, QColor colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(handles.topMiddle, handles.points[kTurnHandle]);
    painter.setBrush(colour);
    const double side = kPictureHandleSide - 2;
    painter.drawEllipse(handles.points[kTurnHandle], side / 2, side / 2);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int k = 0; k < kPictureCorners; ++k) {
        const QPointF& corner = handles.points[static_cast<std::size_t>(k)];
        painter.drawRect(QRectF(corner.x() - side / 2, corner.y() - side / 2, side, side).toRect());
    }
    painter.restore();
}

void MarkSelection(QPainter& painter, int width, int height) {
    const int penWidth = std::clamp(width / 40, 3, 8);
    const qreal arm = width / 6;
    painter.save();
    painter.setPen(QPen(QColor(0, 255, 0), penWidth));
    const QPointF corners[4] = {{0, 0}, {qreal(width), 0}, {qreal(width), qreal(height)}, {0, qreal(height)}};
    for (const QPointF& corner : corners) {
        const qreal sx = corner.x() == 0 ? 1 : -1;
        const qreal sy = corner.y() == 0 ? 1 : -1;
        painter.drawLine(corner, corner + QPointF(sx * arm, 0));
        painter.drawLine(corner, corner + QPointF(0, sy * arm));
    }
    painter.restore();
}

QSize measureTextCell(const text::LogFont& font, const QString& value, int style) {
    return text::MeasureStyleBox(font, value.isEmpty() ? QStringLiteral("T") : value, style);
}

} // namespace workspace
