#include "workspace/decorations/brush_cursor.h"

#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace workspace {

namespace {

// Where the tip covers enough to count as painted.
constexpr int kShapeAlpha = 64;
constexpr int kFillAlpha = 110;

// The tip's alpha laid out at the cursor's size and angle, in a square-cornered box with a free pixel
// round it for the outer outline.
QImage tipShape(const QImage& tip, double scale, int angle) {
    QTransform turn;
    turn.rotate(angle);
    const QRectF box = turn.mapRect(QRectF(0, 0, tip.width() * scale, tip.height() * scale));
    // Odd sides put the centre on a pixel, where the hot spot is; the cross needs 7 of them.
    const int width = std::max(9, (static_cast<int>(std::ceil(box.width())) + 4) | 1);
    const int height = std::max(9, (static_cast<int>(std::ceil(box.height())) + 4) | 1);
    QImage shape(width, height, QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    QPainter painter(&shape);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.translate(width / 2, height / 2);
    painter.rotate(angle);
    painter.scale(scale, scale);
    painter.translate(-tip.width() / 2.0, -tip.height() / 2.0);
    painter.drawImage(QPointF(0, 0), tip.convertToFormat(QImage::Format_ARGB32));
    return shape;
}

bool inside(const QImage& shape, int x, int y) {
    if (x < 0 || y < 0 || x >= shape.width() || y >= shape.height())
        return false;
    return qAlpha(reinterpret_cast<const QRgb*>(shape.constScanLine(y))[x]) >= kShapeAlpha;
}

bool touchesOutside(const QImage& shape, int x, int y) {
    return !inside(shape, x - 1, y) || !inside(shape, x + 1, y) || !inside(shape, x, y - 1) ||
           !inside(shape, x, y + 1);
}

bool touchesInside(const QImage& shape, int x, int y) {
    return inside(shape, x - 1, y) || inside(shape, x + 1, y) || inside(shape, x, y - 1) ||
           inside(shape, x, y + 1);
}

} // namespace

QImage brushCursorPicture(const QImage& tip, double width, int angle, std::uint32_t colour) {
    if (tip.isNull() || tip.width() <= 0 || !(width > 0))
        return {};
    double scale = width / tip.width();
    const int longest = std::max(tip.width(), tip.height());
    // Room for the outline and the turn (a diagonal is √2 longer) inside the largest cursor.
    const double largest = (kMaxBrushCursorSide - 5) / std::sqrt(2.0);
    scale = std::min(scale, largest / longest);
    const QImage shape = tipShape(tip, scale, angle);

    const QRgb fill = qRgba(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                            static_cast<int>((colour >> 16) & 0xFF), kFillAlpha);
    QImage cursor(shape.size(), QImage::Format_ARGB32);
    cursor.fill(Qt::transparent);
    for (int y = 0; y < shape.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(cursor.scanLine(y));
        for (int x = 0; x < shape.width(); ++x) {
            if (inside(shape, x, y))
                line[x] = touchesOutside(shape, x, y) ? qRgba(0, 0, 0, 255) : fill;
            else if (touchesInside(shape, x, y))
                line[x] = qRgba(255, 255, 255, 255);
        }
    }
    const int cx = cursor.width() / 2;
    const int cy = cursor.height() / 2;
    for (int d = -3; d <= 3; ++d) {
        cursor.setPixel(cx + d, cy, qRgba(0, 0, 0, 255));
        cursor.setPixel(cx, cy + d, qRgba(0, 0, 0, 255));
    }
    return cursor;
}

} // namespace workspace
