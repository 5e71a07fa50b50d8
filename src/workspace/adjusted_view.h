#pragma once
// The photo through the colour tool, for the screen and for output.

#include "imaging/photo_buffer.h"
#include "workspace/decorations/decoration_caches.h"
#include "workspace/object_records.h"

#include <QImage>
#include <QSize>
#include <optional>

namespace workspace {

// The photo stretched to the view and then adjusted where the window shows it (`part`), kept while the
// photo, the view, the part and the values stay the same: moving a slider runs the transform again on
// the shown pixels only.
class AdjustedView {
public:
    const QImage& picture(const imaging::PhotoBuffer& photo, const Rect& view, const QRect& part,
                          const ColourAdjustment& values);
    // The photo changed: build everything afresh next time.
    void forget();

private:
    StretchedPart stretched_;
    QImage adjusted_;
    std::optional<ColourAdjustment> values_;
};

// The photo's own pixels through the colour tool, exactly; for flattening and export.
imaging::PhotoBuffer adjustedPhoto(const imaging::PhotoBuffer& photo, const ColourAdjustment& values);

} // namespace workspace
