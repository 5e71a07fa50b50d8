#pragma once
// A lake-and-mountains landscape drawn from noise, standing in for the user's photo in thumbnails, the
// contact sheet and the frame previews.

#include <QImage>

namespace starter {

// An opaque RGB32 picture of the given size; the same scene at every size.
QImage samplePhoto(int width, int height);

} // namespace starter
