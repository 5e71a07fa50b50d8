#pragma once
// The photo list's grid: where each shown item sits for a given width and scroll offset, what is
// visible, what a point hits and where the arrow keys lead. Positions are indices into the shown items
// (not record indices); rectangles are in client coordinates.

#include <QPoint>
#include <QRect>
#include <QString>

class QFontMetrics;

#include "platform/grid_navigation.h"

namespace app::photo_list {

constexpr int kCellWidth = 76;
constexpr int kCellHeight = 76;
constexpr int kMarginX = 5;  // picture box inset on the left and right of its cell
constexpr int kMarginY = 10; // and on the top and bottom
constexpr int kScrollBarWidth = 17;
constexpr int kBottomStrip = 26; // items starting in this strip are neither drawn nor hit
constexpr int kNameHeight = 20;

// Whole cells beside the scroll bar; 0 when the client is narrower than one cell and the bar.
int columnsFor(int clientWidth);
// The furthest the list scrolls; 0 without columns.
int scrollRangeFor(int shownCount, int columns, int clientHeight);

// The 66 × 56 box the item's picture is fitted into.
QRect pictureBox(int position, int columns, int offset);
// The photo's size fitted into the box (never enlarged) and centred on it.
QRect fittedRect(const QRect& box, int photoWidth, int photoHeight);
// Where the file name goes, under the box.
QRect nameRect(const QRect& box);
// The file name as written in a name rectangle `width` wide: whole while its letters fit, else shortened
// in the middle.
QString fittedName(const QFontMetrics& metrics, const QString& name, int width);

// The shown positions [first, end) that are drawn: from the first whose box is not wholly above the
// client to the last whose box starts above the bottom strip.
struct Span {
    int first = 0;
    int end = 0;
};
Span visibleSpan(int shownCount, int columns, int offset, int clientHeight);

// The position whose picture box holds the point, or -1 (always -1 inside the bottom strip).
int hitTest(const QPoint& point, int shownCount, int columns, int offset, int clientHeight);
// True when the point falls into the bottom strip, where a press does nothing.
bool inBottomStrip(const QPoint& point, int clientHeight);

using grid::Direction;
using grid::neighbour;
// The offset, nearest to `offset` and within [0, range], at which the item's cell and name are wholly
// visible.
int offsetShowing(int position, int columns, int offset, int clientHeight, int range);

// Strict containment: no shared edge.
bool strictlyInside(const QRect& inner, const QRect& outer);

} // namespace app::photo_list
