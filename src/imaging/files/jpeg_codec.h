#pragma once
// JPEG files through libjpeg-turbo.

#include "imaging/codecs/raster.h"
#include "imaging/outcome.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace imaging {

// Pixels straight out of the JPEG decoder: `channels` bytes per pixel (3: B,G,R; 4: B,G,R,A with A 255),
// rows top row first, no padding.
struct JpegPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// Decodes a baseline, progressive or arithmetic-coded JPEG (grey, YCbCr, RGB, CMYK, YCCK). With a scale
// denominator of 2, 4 or 8 the decoder's DCT scaling gives about that fraction of each side (rounded up),
// far faster than decoding the full size. Sizes are checked against kMaxDecodePixels before any pixel
// memory is taken; damaged data fails with a reason.
DecodeResult decodeJpeg(std::span<const std::uint8_t> file);
Outcome decodeJpegPixels(std::span<const std::uint8_t> file, int scaleDenominator, int channels,
                         JpegPixels& out);

// Takes a JPEG's rows as they are decoded: `begin` with the picture's size (false stops the decoding), then
// each row top first (width × channels bytes, valid only during the call).
struct JpegRowSink {
    std::function<bool(int width, int height)> begin;
    std::function<void(const std::uint8_t* row)> row;
};
// Decodes at full size as decodeJpegPixels does, handing the rows over one by one instead of holding them.
Outcome decodeJpegRows(std::span<const std::uint8_t> file, int channels, const JpegRowSink& sink);

// The pixel layout handed to the JPEG encoder.
enum class JpegInput { Bgr, Rgb, Grey };

// Encodes rows top row first, each `stride` bytes after the one above (negative for bottom-up memory), at the
// given quality (1 … 100) with baseline tables. Returns the file bytes, or empty with `reason` set.
std::vector<std::uint8_t> encodeJpeg(const std::uint8_t* pixels, int width, int height, std::ptrdiff_t stride,
                                     JpegInput input, int quality, std::string& reason);

} // namespace imaging
