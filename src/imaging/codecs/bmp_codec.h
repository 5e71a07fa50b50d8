#pragma once
// Windows bitmaps: files (BITMAPFILEHEADER first) and memory blocks starting with the info header.

#include "imaging/codecs/raster.h"

#include <cstdint>
#include <span>
#include <vector>

namespace imaging::codecs {

// Reads 1/4/8/16/24/32-bit bitmaps, RLE4/RLE8, bit fields, OS/2 1.x and 2.x headers, top-down rows.
// hasAlpha is set only for 32-bit pictures whose alpha is neither all 0 nor all 255.
DecodeResult decodeBmp(std::span<const std::uint8_t> file);

// The same for a block that starts with the info header (12, 40, 52, 56, 64, 108 or 124 bytes),
// followed by the palette or masks and the rows.
DecodeResult decodeDib(std::span<const std::uint8_t> block);

// The same for an info header (with its palette or masks) and rows held apart, as metafile records
// keep them.
DecodeResult decodeDibWithBits(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits);

// The bits per pixel a bitmap file announces (1, 4, 8, 16, 24 or 32), or 0 when the bytes do not start
// like a bitmap file.
int bmpBitsPerPixel(std::span<const std::uint8_t> file);

// A 24-bit bitmap file with bottom-up rows; alpha is dropped. Empty for an empty or malformed picture (pixel
// vector not width × height × 4 bytes).
std::vector<std::uint8_t> encodeBmp(const RasterImage& image);

} // namespace imaging::codecs
