#pragma once
// Two-colour 8 x 8 hatch patterns for the hatched text styles.

#include <QBrush>
#include <QColor>

namespace text {

enum class Hatch {
    DottedGrid,  // dotted lines every 8 pixels across and down
    FivePercent, // sparse scattered dots
    Weave,       // interlaced diagonal strands
};

// A tiled brush: the pattern's set pixels in the foreground colour, the others in the background.
QBrush hatchBrush(Hatch hatch, const QColor& foreground, const QColor& background);

} // namespace text
