#pragma once
// Colours as the panels pass them to each other: 0x00BBGGRR, red in the low byte. The colour pickers add
// one value that is no RGB colour at all: the choice of the popup's default box.

#include <QColor>
#include <cstdint>

namespace controls {

using ColourRef = std::uint32_t;

// What the default box of a colour popup reports.
inline constexpr ColourRef kDefaultColour = 0xFF000000;

constexpr ColourRef colourRef(int red, int green, int blue) {
    return static_cast<ColourRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

inline QColor toQColor(ColourRef colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

inline ColourRef fromQColor(const QColor& colour) {
    return colourRef(colour.red(), colour.green(), colour.blue());
}

} // namespace controls
