#include "controls/colour/colour_popup_layout.h"

#include <algorithm>

namespace controls {

QRect ColourPopupLayout::boxRect(int box) const {
    if (box == kDefaultBox)
        return defaultBox;
    if (box == kCustomBox)
        return customBox;
    if (box < 0 || box >= rows * kPopupColumns)
        return {};
    return {colourOrigin.x() + box % kPopupColumns * boxSize,
            colourOrigin.y() + box / kPopupColumns * boxSize, boxSize, boxSize};
}

int ColourPopupLayout::boxAt(QPoint point) const {
    if (defaultBox.contains(point))
        return kDefaultBox;
    if (customBox.contains(point))
        return kCustomBox;
    const int x = point.x() - colourOrigin.x();
    const int y = point.y() - colourOrigin.y();
    if (x < 0 || y < 0)
        return kNoBox;
    const int column = x / boxSize;
    const int row = y / boxSize;
    if (column >= kPopupColumns || row >= rows)
        return kNoBox;
    return row * kPopupColumns + column;
}

ColourPopupLayout computeColourPopupLayout(int colourCount, int margin, QSize defaultText, QSize customText) {
    ColourPopupLayout layout;
    layout.margin = margin;
    layout.boxSize = std::max(18, 2 * margin + 7);
    layout.rows = colourCount / kPopupColumns + (colourCount % kPopupColumns != 0 ? 1 : 0);
    const bool hasDefault = !defaultText.isEmpty();
    const bool hasCustom = !customText.isEmpty();

    const int textWidth = std::max(hasDefault ? defaultText.width() : 0, hasCustom ? customText.width() : 0);
    const int textHeight =
        std::max(hasDefault ? defaultText.height() : 0, hasCustom ? customText.height() : 0);
    const int width = std::max(kPopupColumns * layout.boxSize, textWidth) + 2 * margin;
    const int textBoxHeight = textHeight + 4 * margin + 2;

    int y = margin;
    if (hasDefault) {
        layout.defaultBox = QRect(margin, y, width - 2 * margin, textBoxHeight);
        y += textBoxHeight + 2 * margin;
    }
    layout.colourOrigin = QPoint(margin, y);
    y += layout.rows * layout.boxSize + margin;
    if (hasCustom) {
        layout.customBox = QRect(margin, y, width - 2 * margin, textBoxHeight);
        y += textBoxHeight + margin;
    }
    layout.windowSize = QSize(width, y);
    return layout;
}

namespace {

// The box before the colours and the box after them in the walk, kNoBox where there is none.
struct Ends {
    int before;
    int after;
};

Ends endsOf(bool hasDefault, bool hasCustom) {
    return {hasDefault ? kDefaultBox : (hasCustom ? kCustomBox : kNoBox),
            hasCustom ? kCustomBox : (hasDefault ? kDefaultBox : kNoBox)};
}

} // namespace

int movePopupHot(int hot, PopupMove move, int colourCount, bool hasDefault, bool hasCustom) {
    if (colourCount <= 0)
        return hot;
    const int last = colourCount - 1;
    const int columns = kPopupColumns;
    const bool inColours = hot >= 0 && hot <= last;
    const bool forward = move == PopupMove::Right || move == PopupMove::Down;
    const int step = move == PopupMove::Left || move == PopupMove::Right ? 1 : columns;

    // Nothing hot yet: the first step lands on the first colour.
    if (hot == kNoBox || (!inColours && hot != kDefaultBox && hot != kCustomBox))
        return 0;

    // The order of the walk is: default box, colours 0..last, custom box, and round again.
    if (hot == kDefaultBox) {
        if (forward)
            return 0;
        return hasCustom ? kCustomBox : (step == 1 ? last : last - last % columns);
    }
    if (hot == kCustomBox) {
        if (!forward)
            return step == 1 ? last : last - last % columns;
        return hasDefault ? kDefaultBox : 0;
    }
    const int next = forward ? hot + step : hot - step;
    if (next >= 0 && next <= last)
        return next;
    const Ends ends = endsOf(hasDefault, hasCustom);
    if (forward) {
        if (ends.after != kNoBox)
            return ends.after;
        return step == 1 ? 0 : hot % columns; // round to the top of the same column
    }
    if (ends.before != kNoBox)
        return ends.before;
    if (step == 1)
        return last;
    // Round to the bottom of the same column (the last row may be short).
    int bottom = hot % columns;
    while (bottom + columns <= last)
        bottom += columns;
    return bottom;
}

QPoint placeColourPopup(QPoint anchor, QSize size, int buttonTop, const QRect& screen) {
    QPoint at = anchor;
    const int screenRight = screen.x() + screen.width();
    const int screenBottom = screen.y() + screen.height();
    if (at.x() + size.width() > screenRight)
        at.setX(screenRight - size.width());
    if (at.x() < screen.x())
        at.setX(screen.x());
    if (at.y() + size.height() > screenBottom)
        at.setY(buttonTop - size.height());
    return at;
}

} // namespace controls
