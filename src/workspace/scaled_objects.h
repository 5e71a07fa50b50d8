#pragma once
// The objects of one photo carried over to the same photo at another size: every place and size kept in
// canvas pixels is scaled, so that they cover the same part of the picture.

#include "workspace/object_list.h"
#include "workspace/view_geometry.h"

#include <optional>

namespace workspace {

// `sx` and `sy`: pixels of the new size per canvas pixel of the old, across and down. Sizes follow `sx`
// (pictures and texts keep their proportions). Text rectangles and anchors are window places relative to
// the view, which every output composition scales already; their font heights are canvas pixels.
ObjectList scaledObjects(const ObjectList& objects, double sx, double sy);

// A crop of the photo at the old size as a crop of the photo at the new size (`width` × `height`), the
// width again a multiple of 4, all of it inside the photo; nothing when it would be empty.
std::optional<CanvasCut> scaledCut(const CanvasCut& cut, double sx, double sy, int width, int height);

} // namespace workspace
