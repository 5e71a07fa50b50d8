#pragma once
// Which object, text or handle lies under a window point.

#include "workspace/object_list.h"
#include "workspace/view_geometry.h"

#include <type_traits>

namespace workspace {

// Calls visit(record) when the record is a clipart, mask, frame or decoration (the pictures that are
// selected and dragged by their screen hit region); false for the other kinds.
template <typename Record, typename Visit> bool visitPicture(Record& record, Visit&& visit) {
    return std::visit(
        [&](auto& object) {
            using T = std::decay_t<decltype(object)>;
            if constexpr (std::is_same_v<T, ClipartObject> || std::is_same_v<T, MaskObject> ||
                          std::is_same_v<T, FrameObject> || std::is_same_v<T, DecorationObject>) {
                visit(object);
                return true;
            } else {
                return false;
            }
        },
        record);
}

// Calls visit(record) when the record is a clipart, mask or frame (the pictures the object dials and the
// picture handles size and turn); false for the other kinds.
template <typename Record, typename Visit> bool visitTurnable(Record& record, Visit&& visit) {
    return std::visit(
        [&](auto& object) {
            using T = std::decay_t<decltype(object)>;
            if constexpr (std::is_same_v<T, ClipartObject> || std::is_same_v<T, MaskObject> ||
                          std::is_same_v<T, FrameObject>) {
                visit(object);
                return true;
            } else {
                return false;
            }
        },
        record);
}

// The first selected clipart, mask or frame: what the object dials act on. -1 when none is selected.
int firstSelectedTurnable(const ObjectList& objects);

// A picture's screen hit region (made at the last composition) holds the pixel (x, y).
bool regionHolds(const QPolygonF& region, int x, int y);

Rect textRect(const text::TextObject& object);

// The topmost object under the point: a picture by its screen hit region, a text by its rectangle (left
// and top edges included) unless its reserved field is set. Brush strokes and the colour adjustment are
// never hit. -1 when nothing is.
int hitObject(const ObjectList& objects, int x, int y);

// The topmost hittable text whose rectangle holds the point, or with `withLabel` also the 16 × 16 label
// square centred above its top edge. -1 when none does.
int hitText(const ObjectList& objects, int x, int y, bool withLabel);

// The first handle (0 to 7) around `rect` that holds the point; with `cornersOnly` the edge handles are
// skipped. -1 when none does.
int hitHandle(const Rect& rect, int x, int y, bool cornersOnly);

} // namespace workspace
