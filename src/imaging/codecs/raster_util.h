#pragma once
// Helpers the decoders and encoders share: allocation after the size check, the alpha rule, and the
// consistency check of an image handed to an encoder.

#include "imaging/codecs/raster.h"

#include <cstdint>
#include <optional>

namespace imaging::codecs {

struct Bgra {
    std::uint8_t b = 0, g = 0, r = 0, a = 255;
};

// An opaque black picture of that size, or nothing when the size is not acceptable.
std::optional<RasterImage> allocateRaster(std::int64_t width, std::int64_t height);

// The failure for a size that allocateRaster refused: Corrupt for zero or negative sides, else TooLarge.
DecodeResult sizeFailure(std::int64_t width, std::int64_t height);

// Decides hasAlpha from the decoded alpha channel: an alpha that is all 0 or all 255 carries no
// transparency (many writers leave the fourth byte zero), so it is reset to 255 and hasAlpha is false.
void settleAlpha(RasterImage& image);

// True when the image is not empty and its pixel vector holds width × height × 4 bytes.
bool encodable(const RasterImage& image);

inline void putPixel(std::uint8_t* p, Bgra c) {
    p[0] = c.b;
    p[1] = c.g;
    p[2] = c.r;
    p[3] = c.a;
}

// Scales a sample of 0 … maxValue to 0 … 255, rounding to nearest.
inline std::uint8_t scaleTo8(std::uint32_t value, std::uint32_t maxValue) {
    return static_cast<std::uint8_t>((static_cast<std::uint64_t>(value) * 255 + maxValue / 2) / maxValue);
}

} // namespace imaging::codecs
