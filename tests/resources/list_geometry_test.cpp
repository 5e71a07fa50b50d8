// The grid of the browser lists.

#include "resources/list_geometry.h"

#include <gtest/gtest.h>

namespace resources::list_geometry {
namespace {

// Three 64-px columns beside the scroll bar's strip, 134 px high (a tool panel's height).
Grid panelGrid(int count) {
    Grid grid;
    grid.count = count;
    grid.clientWidth = 3 * 64 + kScrollBarWidth + 10;
    grid.clientHeight = 134;
    return grid;
}

TEST(ListGeometry, CellsFollowTheRowsColumnsMarginsAndScroll) {
    const Grid grid = panelGrid(10);
    EXPECT_EQ(grid.columns(), 3);
    EXPECT_EQ(grid.cellRect(0, 0), QRect(QPoint(3, 3), QPoint(60, 60)));
    EXPECT_EQ(grid.cellRect(4, 0), QRect(QPoint(67, 67), QPoint(124, 124)));
    EXPECT_EQ(grid.cellRect(4, 40), QRect(QPoint(67, 27), QPoint(124, 84)));
    // The scroll bar's strip never hides a column.
    Grid narrow = grid;
    narrow.clientWidth = 4 * 64;
    EXPECT_EQ(narrow.columns(), 3);
    narrow.clientWidth = 60;
    EXPECT_EQ(narrow.columns(), 0);
    EXPECT_EQ(narrow.scrollRange(), 0);
    EXPECT_EQ(narrow.visible(0).end, 0);
}

TEST(ListGeometry, TheScrollRangeLeavesOneCellBelowTheLastRow) {
    Grid grid = panelGrid(6);
    grid.clientHeight = 192; // two rows and the spare cell fit exactly
    EXPECT_EQ(grid.contentHeight(), 128);
    EXPECT_EQ(grid.scrollRange(), 0);
    grid.count = 7; // a third, partly filled row
    EXPECT_EQ(grid.contentHeight(), 192);
    EXPECT_EQ(grid.scrollRange(), 64);
    grid.count = 0;
    EXPECT_EQ(grid.scrollRange(), 0);
}

TEST(ListGeometry, OnlyCellsMeetingTheClientAreAVisible) {
    const Grid grid = panelGrid(30);
    EXPECT_EQ(grid.visible(0).first, 0);
    EXPECT_EQ(grid.visible(0).end, 9); // rows 0-2: the third starts at 131, above the bottom at 134
    // Scrolled by 70: row 0 ends at 61 - 70 < 0 and is skipped; rows 1-3 remain.
    EXPECT_EQ(grid.visible(70).first, 3);
    EXPECT_EQ(grid.visible(70).end, 12);
    EXPECT_EQ(panelGrid(4).visible(0).end, 4);
}

TEST(ListGeometry, PressesHitTheShownPartOfCellsButNotMargins) {
    const Grid grid = panelGrid(9);
    EXPECT_EQ(grid.hitTest({10, 10}, 0), 0);
    EXPECT_EQ(grid.hitTest({140, 70}, 0), 5);
    EXPECT_EQ(grid.hitTest({62, 10}, 0), -1);  // between two cells
    EXPECT_EQ(grid.hitTest({250, 10}, 0), -1); // beside the last column
    // Row 2 starts at 131: its shown top is pressed, its part below the client area (134) is not.
    EXPECT_EQ(grid.hitTest({10, 132}, 0), 6);
    EXPECT_EQ(grid.hitTest({10, 140}, 0), -1);
    EXPECT_EQ(grid.hitTest({10, 100}, 64), 6);
}

TEST(ListGeometry, ArrowsStayOnTheRowOrColumnAndScrollingShowsTheCell) {
    EXPECT_EQ(neighbour(3, Direction::Left, 10, 3), -1);
    EXPECT_EQ(neighbour(4, Direction::Left, 10, 3), 3);
    EXPECT_EQ(neighbour(5, Direction::Right, 10, 3), -1);
    EXPECT_EQ(neighbour(4, Direction::Up, 10, 3), 1);
    EXPECT_EQ(neighbour(1, Direction::Up, 10, 3), -1);
    EXPECT_EQ(neighbour(8, Direction::Down, 10, 3), -1);
    EXPECT_EQ(neighbour(6, Direction::Down, 10, 3), 9);
    EXPECT_EQ(neighbour(9, Direction::Right, 10, 3), -1);

    const Grid grid = panelGrid(30); // range 10 rows + 1 - 134 = 570
    EXPECT_EQ(grid.scrollShowing(0, 0), 0);
    // Row 3 ends at 256, and must end within the client area: 256 - 134.
    EXPECT_EQ(grid.scrollShowing(9, 0), 122);
    EXPECT_EQ(grid.scrollShowing(0, 122), 0);
    EXPECT_EQ(grid.scrollShowing(29, 0), 640 - 134);
}

} // namespace
} // namespace resources::list_geometry
