#pragma once
// The colours the two colour controls offer: the popup's 40 named colours and the swatch grid's 12 greys
// and 216 web colours, with the grid's fixed geometry.

#include "controls/colour/colour_ref.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <array>

namespace controls {

// "RRGGBB" in upper-case hexadecimal.
QString colourHexText(ColourRef colour);

struct NamedColour {
    const char* name;
    ColourRef colour;
};

inline constexpr int kPopupColourCount = 40;
// In box order: box i sits at column i mod 8, row i div 8.
const std::array<NamedColour, kPopupColourCount>& popupColours();
// The box showing this colour, or -1.
int popupColourIndex(ColourRef colour);

// The swatch grid: 12 columns of 19 cells on an 8-pixel pitch, the greys along row 0 and the web colours
// in two blocks of six columns below them. A swatch's index is column × 19 + row.
inline constexpr int kSwatchColumns = 12;
inline constexpr int kSwatchRows = 19;
inline constexpr int kSwatchCount = kSwatchColumns * kSwatchRows;
inline constexpr int kSwatchPitch = 8;
inline constexpr int kSwatchSide = 7;
inline constexpr ColourRef kSwatchBackground = colourRef(230, 230, 230);
// The current-colour field and the button to the colour dialog, in grid coordinates.
inline constexpr QRect kSwatchColourField{3, 154, 73, 16};
inline constexpr QRect kSwatchDialogButton{79, 154, 16, 16};
inline constexpr QSize kSwatchGridSize{95, 170};

ColourRef swatchColour(int index);
QRect swatchRect(int index);
// The swatch under the point, or -1 between swatches (on a grid line) and outside them.
int swatchAt(QPoint point);

} // namespace controls
