#pragma once
// What every codec fuzz target checks about a decoder's answer beyond "no crash".

#include "imaging/codecs/raster.h"

#include <cstdlib>

namespace fuzz_support {

// A success must carry a picture of the announced size within the limits; a failure none.
inline void checkResult(const imaging::DecodeResult& result) {
    const imaging::RasterImage& image = result.image;
    if (result.ok()) {
        if (!imaging::pixelCountAcceptable(image.width, image.height) ||
            image.bgra.size() != static_cast<std::size_t>(image.width) * image.height * 4)
            std::abort();
    } else if (!image.bgra.empty() || result.reason.empty()) {
        std::abort();
    }
}

} // namespace fuzz_support
