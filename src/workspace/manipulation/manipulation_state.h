#pragma once
// What the workspace remembers between a press and the release of the mouse, and between the key
// presses of one nudge series.

#include "workspace/view_geometry.h"

#include <QPoint>
#include <QPointF>
#include <vector>

namespace workspace {

// The cursor a window point asks for.
enum class PointerCursor {
    Arrow,
    Move,         // the four-way arrow: a press would drag what is under it
    SizeDiagonal, // handles 0 and 4: north-west / south-east
    SizeHorizontal,
    SizeAntiDiagonal, // handles 2 and 6: north-east / south-west
    SizeVertical,
    Brush, // the brush tip at its size (see brushCursorImage)
    Turn,  // a picture's turn handle: a circling arrow
};

// The cursor of handle 0-7.
PointerCursor handleCursor(int handle);

struct ManipulationState {
    enum class Drag {
        None,
        Pictures,      // selected cliparts, masks, frames and decorations follow the mouse
        Text,          // the active text follows the mouse (text tool)
        Crop,          // the crop rectangle follows the mouse
        Handle,        // a handle of the crop rectangle or of the active text is dragged
        Brush,         // a brush stroke is being painted
        PictureHandle, // a corner or the turn handle of the selected clipart, mask or frame
    };
    struct PictureStart {
        int index = 0;
        int offsetX = 0;
        int offsetY = 0;
    };

    Drag drag = Drag::None;
    QPoint start;
    Rect startRect;
    int startFontHeight = 0;
    int handle = -1;
    std::vector<PictureStart> pictures;
    // The picture a handle of which is dragged, as it was at the press.
    struct HandledStart {
        int index = -1;
        float scale = 1.0f;
        float angle = 0;
        QPointF centre; // window pixels
    };
    HandledStart handled;
    // Where the stroke's last stamp went, in canvas pixels from the canvas centre: the next one along the
    // mouse's path is measured from here.
    QPointF lastStamp;
    // Arrow keys moved something since the last recorded nudge step.
    bool nudged = false;
};

} // namespace workspace
