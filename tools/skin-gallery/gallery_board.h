#pragma once
// The board the gallery draws: every numbered picture and every control of the kit in its states.

#include <QImage>

namespace gallery {

// Renders the whole board at the given device pixel ratio.
QImage renderBoard(qreal devicePixelRatio);

} // namespace gallery
