#pragma once
// PNG files through libpng.

#include "imaging/codecs/raster.h"

#include <cstdint>
#include <span>
#include <vector>

namespace imaging {

// Reads every PNG variant (grey, palette, RGB, with alpha or tRNS, 1 to 16 bits, interlaced) as 8-bit
// B,G,R,A. The announced size is checked against kMaxDecodePixels and against what the compressed data
// of the file's length can possibly hold before any pixel memory is taken.
DecodeResult decodePng(std::span<const std::uint8_t> file);

// An 8-bit RGB file, or RGBA when the picture has alpha. Empty when libpng refuses.
std::vector<std::uint8_t> encodePng(const RasterImage& image);

} // namespace imaging
