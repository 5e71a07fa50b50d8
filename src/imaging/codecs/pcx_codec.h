#pragma once
// ZSoft PCX pictures.

#include "imaging/codecs/raster.h"

#include <cstdint>
#include <span>
#include <vector>

namespace imaging::codecs {

// Reads 1-bit, 4-bit (one 4-bit plane or four 1-bit planes, header palette), 8-bit with the 256-colour
// palette at the end, and 24-bit as three planes; RLE or raw.
DecodeResult decodePcx(std::span<const std::uint8_t> file);

// A 24-bit file, three 8-bit planes, RLE; alpha is dropped. Empty for an empty or malformed picture (pixel
// vector not width × height × 4 bytes), or one wider or higher than 65535 pixels.
std::vector<std::uint8_t> encodePcx(const RasterImage& image);

} // namespace imaging::codecs
