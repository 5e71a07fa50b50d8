#pragma once
// TIFF files through libtiff.

#include "imaging/codecs/raster.h"

#include <cstdint>
#include <span>
#include <vector>

namespace imaging {

// Reads the first picture of the file: strips or tiles, any compression libtiff knows (none, LZW,
// Deflate, PackBits, JPEG, CCITT…), 1 to 16 bits, bilevel, grey, palette, RGB, CMYK, YCbCr, with
// associated or unassociated alpha (returned straight). Sizes are checked against kMaxDecodePixels and,
// for uncompressed data, against the file's length before any pixel memory is taken.
DecodeResult decodeTiff(std::span<const std::uint8_t> file);

enum class TiffCompression { None, Lzw };

// An 8-bit RGB file (RGBA with unassociated alpha when the picture has alpha) in strips, uncompressed or
// LZW with the horizontal predictor. Empty when libtiff refuses.
std::vector<std::uint8_t> encodeTiff(const RasterImage& image, TiffCompression compression);

} // namespace imaging
