#pragma once
// Where the boxes of a colour popup lie, how the arrow keys move between them, and where the popup goes
// on the screen. Pure geometry, so the popup widget only draws and routes.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace controls {

// Box codes besides the colour indices 0 to 39.
inline constexpr int kNoBox = -1;
inline constexpr int kCustomBox = -2;
inline constexpr int kDefaultBox = -3;

inline constexpr int kPopupColumns = 8;

struct ColourPopupLayout {
    int margin = 2;
    int boxSize = 18;
    int rows = 5;
    QSize windowSize;
    QPoint colourOrigin; // top-left of box 0
    QRect defaultBox;    // empty when the popup has no default box
    QRect customBox;     // empty when the popup has no custom box

    bool hasDefault() const { return !defaultBox.isEmpty(); }
    bool hasCustom() const { return !customBox.isEmpty(); }
    QRect boxRect(int box) const;
    // The box under a window point: a colour index, kDefaultBox, kCustomBox or kNoBox.
    int boxAt(QPoint point) const;
};

// `defaultText` and `customText` are the sizes of the two captions, empty for a box that is left out.
// The box is 18 pixels but at least 2 × margin + 7, and the window is widened for a wider caption.
ColourPopupLayout computeColourPopupLayout(int colourCount, int margin, QSize defaultText, QSize customText);

enum class PopupMove { Left, Right, Up, Down };

// The box an arrow key moves the hot box to. Left and Right walk the boxes in reading order and Up and
// Down by whole rows; past the first or last colour the walk goes into the default and custom boxes
// (those that exist) and round again.
int movePopupHot(int hot, PopupMove move, int colourCount, bool hasDefault, bool hasCustom);

// The popup's top-left for a popup of `size` opened at `anchor` (the button's bottom-left) under a button
// whose top is at `buttonTop`, all in screen coordinates: pulled left or right into `screen`, and put
// above the button when it would pass the screen's bottom.
QPoint placeColourPopup(QPoint anchor, QSize size, int buttonTop, const QRect& screen);

} // namespace controls
