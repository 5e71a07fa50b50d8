#include "app/photos/photo_list_geometry.h"

#include "imaging/fit_size.h"

#include <QFontMetrics>
#include <algorithm>

namespace app::photo_list {

int columnsFor(int clientWidth) {
    return std::max(0, (clientWidth - kScrollBarWidth) / kCellWidth);
}

int scrollRangeFor(int shownCount, int columns, int clientHeight) {
    if (columns <= 0)
        return 0;
    const int rows = shownCount / columns + (shownCount % columns != 0 ? 1 : 0);
    // The extra 33 px leave room for the last row's name under its box.
    return std::max(0, rows * kCellHeight - clientHeight + 33);
}

QRect pictureBox(int position, int columns, int offset) {
    const int column = position % columns;
    const int row = position / columns;
    return QRect(QPoint(kCellWidth * column + kMarginX, kCellHeight * row + kMarginY - offset),
                 QSize(kCellWidth - 2 * kMarginX, kCellHeight - 2 * kMarginY));
}

QRect fittedRect(const QRect& box, int photoWidth, int photoHeight) {
    const auto fitted = imaging::FitSize(box.width(), box.height(), photoWidth, photoHeight, false);
    return QRect(
        QPoint(box.x() + (box.width() - fitted.width) / 2, box.y() + (box.height() - fitted.height) / 2),
        QSize(fitted.width, fitted.height));
}

QRect nameRect(const QRect& box) {
    return QRect(QPoint(box.x() + 2, box.y() + box.height()), QSize(box.width() - 2, kNameHeight));
}

QString fittedName(const QFontMetrics& metrics, const QString& name, int width) {
    // The advance also counts the room after the last letter, so a name whose letters fit would be cut
    // for a pixel or two of blank.
    const QRect ink = metrics.boundingRect(name);
    if (ink.left() >= 0 && ink.left() + ink.width() <= width)
        return name;
    return metrics.elidedText(name, Qt::ElideMiddle, width);
}

Span visibleSpan(int shownCount, int columns, int offset, int clientHeight) {
    if (columns <= 0 || shownCount <= 0)
        return {};
    // A row's box lies wholly above the client once its bottom edge is above the top.
    const int boxBottom = kCellHeight - kMarginY;
    const int firstRow = offset >= boxBottom ? (offset - boxBottom) / kCellHeight + 1 : 0;
    // The last row drawn is the last whose box top is not below the bottom strip.
    const int limit = clientHeight - kBottomStrip + offset - kMarginY;
    if (limit < kCellHeight * firstRow)
        return {};
    const int lastRow = limit / kCellHeight;
    const long long first = static_cast<long long>(firstRow) * columns;
    const long long end = (static_cast<long long>(lastRow) + 1) * columns;
    return {static_cast<int>(std::min<long long>(first, shownCount)),
            static_cast<int>(std::min<long long>(end, shownCount))};
}

bool inBottomStrip(const QPoint& point, int clientHeight) {
    return point.y() >= clientHeight - kBottomStrip;
}

int hitTest(const QPoint& point, int shownCount, int columns, int offset, int clientHeight) {
    if (columns <= 0 || point.x() < 0 || point.y() < 0 || inBottomStrip(point, clientHeight))
        return -1;
    const int column = point.x() / kCellWidth;
    const int row = (point.y() + offset) / kCellHeight;
    if (column >= columns)
        return -1;
    const long long position = static_cast<long long>(row) * columns + column;
    if (position >= shownCount)
        return -1;
    const int index = static_cast<int>(position);
    return pictureBox(index, columns, offset).contains(point) ? index : -1;
}


int offsetShowing(int position, int columns, int offset, int clientHeight, int range) {
    if (columns <= 0 || position < 0)
        return std::clamp(offset, 0, range);
    const int top = position / columns * kCellHeight;
    const int bottom = top + kCellHeight + kMarginY; // the name reaches 10 px into the next cell
    if (bottom - offset > clientHeight)
        offset = bottom - clientHeight;
    if (top < offset)
        offset = top;
    return std::clamp(offset, 0, range);
}

bool strictlyInside(const QRect& inner, const QRect& outer) {
    return outer.x() < inner.x() && outer.y() < inner.y() &&
           inner.x() + inner.width() < outer.x() + outer.width() &&
           inner.y() + inner.height() < outer.y() + outer.height();
}

} // namespace app::photo_list
