#pragma once

#include "imaging/picture.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace imaging {

// Owns at most one library picture for the length of one load, conversion or filter run. Releasing it
// (also by destruction) first sets the picture's escape flag, so an operation still running on another
// thread stops, and then destroys it.
class ImageHolder {
public:
    ImageHolder() = default;
    ~ImageHolder() { Release(); }
    ImageHolder(const ImageHolder&) = delete;
    ImageHolder& operator=(const ImageHolder&) = delete;

    // Decodes the file by the format code of its extension (the text after the last ".", lower-cased);
    // a path without an extension fails at once. A failed load leaves the holder empty.
    Outcome Load(const QString& path);
    // Wraps width × height 24-bit pixels (width × 3 bytes a row, no padding) as a bitmap memory block with
    // a 40-byte header of positive height (rows padded to 32 bits as bitmaps require): the buffer's first row
    // becomes the picture's row 0, so copying rows back in the same order gives the caller's own orientation.
    Outcome FromBuffer(const std::uint8_t* pixels, int width, int height);

    Picture* Image() { return picture_.get(); }
    const Picture* Image() const { return picture_.get(); }
    void Release();

private:
    std::unique_ptr<Picture> picture_;
};

} // namespace imaging
