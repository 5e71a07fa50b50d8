#pragma once
// Netpbm pictures: PBM, PGM and PPM, ASCII (P1 to P3) and raw (P4 to P6).

#include "imaging/codecs/raster.h"

#include <cstdint>
#include <span>
#include <vector>

namespace imaging::codecs {

// Reads P1 to P6 with comments and maxval up to 65535 (samples scaled to 8 bits).
DecodeResult decodePnm(std::span<const std::uint8_t> file);

// A raw P6 file with maxval 255; alpha is dropped. Empty for an empty or malformed picture (pixel vector not
// width × height × 4 bytes).
std::vector<std::uint8_t> encodePnm(const RasterImage& image);

} // namespace imaging::codecs
