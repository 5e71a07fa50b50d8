#pragma once
// What stays still while something is dragged: everything below the dragged objects, and the objects
// above them on a clear layer. A drag step draws the dragged objects between the two instead of
// recomposing every object at every mouse move.

#include <QImage>
#include <QRect>

namespace workspace {

struct DragLayers {
    bool valid = false;
    int first = 0; // the dragged objects, drawn afresh at each step; none when last < first
    int last = -1;
    QImage below;      // background, photo and the objects under the dragged ones
    QImage above;      // the objects over them, on transparent
    QRect aboveBounds; // where `above` holds anything
};

} // namespace workspace
