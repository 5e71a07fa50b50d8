#include "controls/colour/colour_tables.h"

namespace controls {

QString colourHexText(ColourRef colour) {
    return QStringLiteral("%1%2%3")
        .arg(colour & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((colour >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((colour >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
        .toUpper();
}

const std::array<NamedColour, kPopupColourCount>& popupColours() {
    static constexpr std::array<NamedColour, kPopupColourCount> kColours{{
        {"Black", colourRef(0, 0, 0)},
        {"Brown", colourRef(165, 42, 0)},
        {"Dark Olive Green", colourRef(0, 64, 64)},
        {"Dark Green", colourRef(0, 85, 0)},
        {"Dark Teal", colourRef(0, 0, 94)},
        {"Dark blue", colourRef(0, 0, 139)},
        {"Indigo", colourRef(75, 0, 130)},
        {"Dark grey", colourRef(40, 40, 40)},
        {"Dark red", colourRef(139, 0, 0)},
        {"Orange", colourRef(255, 104, 32)},
        {"Dark yellow", colourRef(139, 139, 0)},
        {"Green", colourRef(0, 147, 0)},
        {"Teal", colourRef(56, 142, 142)},
        {"Blue", colourRef(0, 0, 255)},
        {"Blue-grey", colourRef(123, 123, 192)},
        {"Grey - 40", colourRef(102, 102, 102)},
        {"Red", colourRef(255, 0, 0)},
        {"Light orange", colourRef(255, 173, 91)},
        {"Lime", colourRef(50, 205, 50)},
        {"Sea green", colourRef(60, 179, 113)},
        {"Aqua", colourRef(127, 255, 212)},
        {"Light blue", colourRef(125, 158, 192)},
        {"Violet", colourRef(128, 0, 128)},
        {"Grey - 50", colourRef(127, 127, 127)},
        {"Pink", colourRef(255, 192, 203)},
        {"Gold", colourRef(255, 215, 0)},
        {"Yellow", colourRef(255, 255, 0)},
        {"Bright green", colourRef(0, 255, 0)},
        {"Turquoise", colourRef(64, 224, 208)},
        {"Skyblue", colourRef(192, 255, 255)},
        {"Plum", colourRef(72, 0, 72)},
        {"Light grey", colourRef(192, 192, 192)},
        {"Rose", colourRef(255, 228, 225)},
        {"Tan", colourRef(210, 180, 140)},
        {"Light yellow", colourRef(255, 255, 224)},
        {"Pale green ", colourRef(152, 251, 152)},
        {"Pale turquoise", colourRef(175, 238, 238)},
        {"Pale blue", colourRef(104, 131, 139)},
        {"Lavender", colourRef(230, 230, 250)},
        {"White", colourRef(255, 255, 255)},
    }};
    return kColours;
}

int popupColourIndex(ColourRef colour) {
    const auto& colours = popupColours();
    for (int i = 0; i < kPopupColourCount; ++i)
        if (colours[static_cast<std::size_t>(i)].colour == colour)
            return i;
    return -1;
}

ColourRef swatchColour(int index) {
    if (index < 0 || index >= kSwatchCount)
        return kSwatchBackground;
    const int column = index / kSwatchRows;
    const int row = index % kSwatchRows;
    if (row == 0) {
        static constexpr int kGreys[kSwatchColumns] = {255, 232, 209, 186, 163, 140, 117, 94, 71, 48, 23, 0};
        const int level = kGreys[column];
        return colourRef(level, level, level);
    }
    // Blue steps along a block's six columns, green down six rows, red by groups of six rows and then
    // from the left block to the right one.
    const int block = column / 6;
    const int webRow = row - 1;
    return colourRef(51 * (block * 3 + webRow / 6), 51 * (webRow % 6), 51 * (column % 6));
}

QRect swatchRect(int index) {
    if (index < 0 || index >= kSwatchCount)
        return {};
    return {index / kSwatchRows * kSwatchPitch, index % kSwatchRows * kSwatchPitch, kSwatchSide, kSwatchSide};
}

int swatchAt(QPoint point) {
    if (point.x() < 0 || point.y() < 0)
        return -1;
    const int column = point.x() / kSwatchPitch;
    const int row = point.y() / kSwatchPitch;
    if (column >= kSwatchColumns || row >= kSwatchRows)
        return -1;
    if (point.x() % kSwatchPitch == kSwatchSide || point.y() % kSwatchPitch == kSwatchSide)
        return -1;
    return column * kSwatchRows + row;
}

} // namespace controls
