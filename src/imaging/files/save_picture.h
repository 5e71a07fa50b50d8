#pragma once
// 24-bit pixel buffers into picture files.

#include "imaging/outcome.h"

#include <QString>
#include <cstdint>

namespace imaging {

// The name of the bitmap the image-library route hands the picture over in: each save takes a name of its
// own (the X's become a unique text), so saves running at once in one or several processes never meet.
inline constexpr const char* kTempBitmapPattern = "Pictovance_tmp-XXXXXX.bmp";

// Writes width × height pixels (B,G,R, top row first, width × 3 bytes a row) to `path`. The lower-case
// extension picks the route: jpg, jpeg, gif, bmp and png go through ImageEncoder (JPEG at quality 90);
// any other extension the image library knows is written by it from a temporary bitmap in
// `dataFolder` (which ends with a separator), removed again whatever happens. An earlier file at `path`
// is replaced only once the new one is complete.
Outcome SavePicture(const QString& path, const std::uint8_t* pixels, int width, int height,
                    const QString& extension, const QString& dataFolder);

} // namespace imaging
