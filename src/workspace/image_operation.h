#pragma once
// An edit that changed the photo's pixels, kept beside its undo step so that the edits can be made again
// on the original picture at its own size. Places and sizes are those of the photo the edit was made on.

#include "workspace/object_list.h"
#include "workspace/view_geometry.h"

#include <QSize>
#include <cstdint>
#include <optional>

namespace workspace {

struct ImageOperation {
    enum class Kind {
        Flatten,    // the objects became photo pixels (placing, painting, tuning, export, crop)
        Background, // the same, for the image set as the background sheet
        Filter,     // the objects became photo pixels, then an effect filter ran
    };
    Kind kind = Kind::Flatten;
    ObjectList objects;           // what was turned into pixels, as it was at that moment
    QSize canvas;                 // the photo's size before the edit
    std::optional<CanvasCut> cut; // the photo was cut to the crop rectangle
    int filter = 0;               // with Filter: the filter's operation code
    // The background sheet at that moment, which frames, masks and the whole image show: its one colour
    // (0x00BBGGRR), or none for a picture.
    std::optional<std::uint32_t> backgroundColour;
};

} // namespace workspace
