#pragma once
// Arrow-key movement in a list laid out as a grid of cells, row after row: shared by the photo list and
// the resource browser lists.

#include <optional>

namespace grid {

enum class Direction { Left, Up, Right, Down };

// The direction an arrow key asks for, or nothing for any other key (a Qt::Key value).
std::optional<Direction> arrowKeyDirection(int key);

// The neighbouring cell in that direction (left and right stay on the row, up and down in the column),
// or -1 when there is none or `index` is not one of the `count` cells.
int neighbour(int index, Direction direction, int count, int columns);

} // namespace grid
