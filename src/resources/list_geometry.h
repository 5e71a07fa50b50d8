#pragma once
// The grid of a browser list: square cells in rows, scrolled vertically. Rectangles are in client
// coordinates; the scroll bar's strip at the right edge is never covered by a column. The client area is
// the cells' own: a list's button strip lies below it.

#include <QPoint>
#include <QRect>

#include "platform/grid_navigation.h"

namespace resources::list_geometry {

inline constexpr int kScrollBarWidth = 17;
// The strip under the cells that holds a list's button and link, so that they never cover a picture.
inline constexpr int kButtonStrip = 30;
// Line and page steps, and each wheel step.
inline constexpr int kScrollStep = 100;

struct Grid {
    int count = 0;
    int cellWidth = 64;
    int cellHeight = 64;
    int marginX = 3;
    int marginY = 3;
    int clientWidth = 0;
    int clientHeight = 0;

    // Whole cells beside the scroll bar's strip; 0 when not even one fits.
    int columns() const;
    // Height of all rows.
    int contentHeight() const;
    // How far the list scrolls: one cell height more than the content needs; at least 0.
    int scrollRange() const;
    // Entry i's cell, inset by the margins.
    QRect cellRect(int index, int scroll) const;

    // The entries [first, end) whose cells meet the client area.
    struct Span {
        int first = 0;
        int end = 0;
    };
    Span visible(int scroll) const;
    // The entry whose cell holds the point, within the client area; -1 for none.
    int hitTest(const QPoint& point, int scroll) const;
    // The scroll position nearest to `scroll` that shows entry i's whole cell.
    int scrollShowing(int index, int scroll) const;
};

using grid::Direction;
using grid::neighbour;

} // namespace resources::list_geometry
