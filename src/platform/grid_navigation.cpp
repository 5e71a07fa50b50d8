#include "platform/grid_navigation.h"

#include <Qt>

namespace grid {

std::optional<Direction> arrowKeyDirection(int key) {
    switch (key) {
    case Qt::Key_Left:
        return Direction::Left;
    case Qt::Key_Up:
        return Direction::Up;
    case Qt::Key_Right:
        return Direction::Right;
    case Qt::Key_Down:
        return Direction::Down;
    default:
        return std::nullopt;
    }
}

int neighbour(int index, Direction direction, int count, int columns) {
    if (index < 0 || index >= count || columns <= 0)
        return -1;
    int next = -1;
    switch (direction) {
    case Direction::Left:
        next = index % columns > 0 ? index - 1 : -1;
        break;
    case Direction::Right:
        next = index % columns < columns - 1 ? index + 1 : -1;
        break;
    case Direction::Up:
        next = index - columns;
        break;
    case Direction::Down:
        next = index + columns;
        break;
    }
    return next >= 0 && next < count ? next : -1;
}

} // namespace grid
