#include "workspace/adjusted_view.h"

#include "imaging/colour/colour_transform.h"
#include "workspace/composer_painting.h"

#include <QPainter>

namespace workspace {

const QImage& AdjustedView::picture(const imaging::PhotoBuffer& photo, const Rect& view, const QRect& part,
                                    const ColourAdjustment& values) {
    const QSize size = part.size();
    if (!stretched_.matches(view, part)) {
        // Stretched as the plain photo is, so that neutral values show the very same picture.
        stretchPart(imageOf(photo), view, part, stretched_.picture);
        stretched_.over = view;
        stretched_.part = part;
        values_.reset();
    }
    if (values_ != values) {
        if (adjusted_.size() != size)
            adjusted_ = QImage(size, QImage::Format_RGB32);
        imaging::ColourTransform(values).apply(
            stretched_.picture.constBits(), static_cast<std::size_t>(stretched_.picture.bytesPerLine()),
            adjusted_.bits(),
            static_cast<std::size_t>(adjusted_.bytesPerLine()), size.width(), size.height(), 4);
        values_ = values;
    }
    return adjusted_;
}

void AdjustedView::forget() {
    stretched_ = {};
    adjusted_ = QImage();
    values_.reset();
}

imaging::PhotoBuffer adjustedPhoto(const imaging::PhotoBuffer& photo, const ColourAdjustment& values) {
    imaging::PhotoBuffer adjusted;
    adjusted.width = photo.width;
    adjusted.height = photo.height;
    adjusted.bgr.resize(photo.bgr.size());
    imaging::ColourTransform(values).apply(photo.bgr.data(), photo.stride(), adjusted.bgr.data(),
                                           adjusted.stride(), photo.width, photo.height, 3);
    return adjusted;
}

} // namespace workspace
