#include "resources/list_geometry.h"

#include <algorithm>

namespace resources::list_geometry {

int Grid::columns() const {
    if (cellWidth <= 0)
        return 0;
    return std::max(clientWidth - kScrollBarWidth, 0) / cellWidth;
}

int Grid::contentHeight() const {
    const int c = columns();
    if (c == 0)
        return 0;
    return cellHeight * (count / c) + (count % c != 0 ? cellHeight : 0);
}

int Grid::scrollRange() const {
    if (count == 0 || columns() == 0)
        return 0;
    return std::max(contentHeight() + cellHeight - clientHeight, 0);
}

QRect Grid::cellRect(int index, int scroll) const {
    const int c = std::max(columns(), 1);
    const int column = index % c;
    const int row = index / c;
    const int left = marginX + column * cellWidth;
    const int top = row * cellHeight + marginY - scroll;
    const int right = cellWidth * (column + 1) - marginX;
    const int bottom = cellHeight * (row + 1) - scroll - marginY;
    return QRect(left, top, right - left, bottom - top);
}

Grid::Span Grid::visible(int scroll) const {
    const int c = columns();
    if (c == 0 || cellHeight <= 0 || count <= 0)
        return {};
    // Rows whose cells reach below the top edge, up to the first row starting below the bottom edge.
    const int firstRow = std::max((scroll + marginY) / cellHeight, 0);
    const int endRow = (scroll + clientHeight - marginY + cellHeight - 1) / cellHeight;
    const int first = std::min(firstRow * c, count);
    const int end = std::clamp(endRow * c, first, count);
    return {first, end};
}

int Grid::hitTest(const QPoint& point, int scroll) const {
    // The hidden part of a cell cut by the bottom edge is not pressed.
    if (point.y() < 0 || point.y() >= clientHeight)
        return -1;
    const Span span = visible(scroll);
    for (int i = span.first; i < span.end; ++i)
        if (cellRect(i, scroll).contains(point))
            return i;
    return -1;
}

int Grid::scrollShowing(int index, int scroll) const {
    const QRect cell = cellRect(index, 0);
    const int top = cell.top() - marginY;
    const int bottom = top + cellHeight;
    int wanted = scroll;
    if (top < scroll)
        wanted = top;
    else if (bottom > scroll + clientHeight)
        wanted = bottom - clientHeight;
    return std::clamp(wanted, 0, scrollRange());
}

} // namespace resources::list_geometry
