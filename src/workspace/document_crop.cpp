// The crop rectangle's fresh start, and whether it covers enough of the photo to crop.
#include "workspace/document.h"
#include "workspace/manipulation/handle_geometry.h"

namespace workspace {

void WorkspaceDocument::resetCropRect() {
    crop_ = initialCropRect(view_);
    // While a proportion is chosen the rectangle starts in it, as choosing it would seat it: a crop
    // right after a new photo, a resize or a crop must not come out in some other proportion.
    if (cropAspect_.constrained)
        crop_ = seatCropRect(crop_, view_, cropAspect_.width, cropAspect_.height);
}

bool WorkspaceDocument::cropCutsPhoto() const {
    return !canvasCutOf(photo_.width, photo_.height, view_, crop_).empty();
}

} // namespace workspace
