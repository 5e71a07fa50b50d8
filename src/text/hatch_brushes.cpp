#include "hatch_brushes.h"

#include <QImage>
#include <array>

namespace text {
namespace {

using Pattern = std::array<const char*, 8>;

constexpr Pattern kDottedGrid{
    "#.#.#.#.", //
    "........", //
    "#.......", //
    "........", //
    "#.......", //
    "........", //
    "#.......", //
    "........", //
};

constexpr Pattern kFivePercent{
    "#.......", //
    "........", //
    "....#...", //
    "........", //
    "#.......", //
    "........", //
    "....#...", //
    "........", //
};

constexpr Pattern kWeave{
    "#...#...", //
    ".#.#.#..", //
    "..#...#.", //
    ".#.#...#", //
    "#...#...", //
    "...#.#.#", //
    "..#...#.", //
    ".#...#.#", //
};

const Pattern& patternOf(Hatch hatch) {
    switch (hatch) {
    case Hatch::DottedGrid:
        return kDottedGrid;
    case Hatch::FivePercent:
        return kFivePercent;
    case Hatch::Weave:
        break;
    }
    return kWeave;
}

} // namespace

QBrush hatchBrush(Hatch hatch, const QColor& foreground, const QColor& background) {
    QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
    const QRgb set = qPremultiply(foreground.rgba());
    const QRgb clear = qPremultiply(background.rgba());
    const Pattern& pattern = patternOf(hatch);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            tile.setPixel(x, y, pattern[static_cast<std::size_t>(y)][x] == '#' ? set : clear);
    return QBrush(tile);
}

} // namespace text
