#pragma once
// The photo through the colour tool, for the screen and for output.

#include "imaging/photo_buffer.h"
#include "workspace/object_records.h"

#include <QImage>
#include <QSize>
#include <optional>

namespace workspace {

// The photo stretched to the view and then adjusted, kept while the photo, the view size and the values
// stay the same: moving a slider runs the transform again on a view-sized picture only.
class AdjustedView {
public:
    const QImage& picture(const imaging::PhotoBuffer& photo, QSize size, const ColourAdjustment& values);
    // The photo changed: build everything afresh next time.
    void forget();

private:
    QImage stretched_;
    QImage adjusted_;
    std::optional<ColourAdjustment> values_;
};

// The photo's own pixels through the colour tool, exactly; for flattening and export.
imaging::PhotoBuffer adjustedPhoto(const imaging::PhotoBuffer& photo, const ColourAdjustment& values);

} // namespace workspace
