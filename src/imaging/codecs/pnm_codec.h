#pragma once
// Netpbm pictures: PBM, PGM and PPM, ASCII (P1 to P3) and raw (P4 to P6), and PAM (P7).

#include "imaging/codecs/raster.h"

#include <cstdint>
#include <span>
#include <vector>

namespace imaging::codecs {

// Reads P1 to P6 with comments and maxval up to 65535 (samples scaled to 8 bits), and P7 through decodePam.
DecodeResult decodePnm(std::span<const std::uint8_t> file);

// Reads PAM: the tuple types BLACKANDWHITE, GRAYSCALE and RGB, each with or without _ALPHA (a type it
// does not know is read by its depth, 1 to 4), maxval up to 65535; alpha is returned straight.
DecodeResult decodePam(std::span<const std::uint8_t> file);

// A raw P6 file with maxval 255; alpha is dropped. Empty for an empty or malformed picture (pixel vector not
// width × height × 4 bytes).
std::vector<std::uint8_t> encodePnm(const RasterImage& image);

} // namespace imaging::codecs
