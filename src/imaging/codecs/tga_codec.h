#pragma once
// Truevision TGA pictures.

#include "imaging/codecs/raster.h"

#include <cstdint>
#include <span>
#include <vector>

namespace imaging::codecs {

// Reads uncompressed and RLE pictures: colour-mapped (8-bit index; 15/16/24/32-bit map entries),
// 8-bit grey and 15/16/24/32-bit true colour, any origin corner.
DecodeResult decodeTga(std::span<const std::uint8_t> file);

// An RLE true-colour file (type 10), top-left origin: 24 bits, or 32 bits with 8 alpha bits when the
// picture has alpha. Empty for an empty or malformed picture (pixel vector not width × height × 4 bytes), or
// one wider or higher than 65535 pixels.
std::vector<std::uint8_t> encodeTga(const RasterImage& image);

} // namespace imaging::codecs
