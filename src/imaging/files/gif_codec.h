#pragma once
// GIF files through giflib.

#include "imaging/codecs/raster.h"

#include <cstdint>
#include <span>
#include <vector>

namespace imaging {

// Reads the first picture of the file onto its logical screen (transparent where the picture does not
// cover it or where its transparent index is used); interlaced pictures are put back in order. Sizes
// are checked against kMaxDecodePixels and against what LZW data of the file's length can hold.
DecodeResult decodeGif(std::span<const std::uint8_t> file);

// One picture with a 256-colour palette: the exact colours when there are at most 256, otherwise a
// median-cut palette. Alpha is dropped. Empty when the picture is larger than GIF allows (65535).
std::vector<std::uint8_t> encodeGif(const RasterImage& image);

} // namespace imaging
