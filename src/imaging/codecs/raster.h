#pragma once
// What every picture decoder hands back and every encoder takes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace imaging {

// Pictures above this many pixels are refused before any pixel is decoded.
inline constexpr std::int64_t kMaxDecodePixels = 100'000'000;

// True when width × height is positive and within kMaxDecodePixels (no overflow possible).
constexpr bool pixelCountAcceptable(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxDecodePixels && height <= kMaxDecodePixels &&
           width * height <= kMaxDecodePixels;
}

// A decoded picture: 4 bytes per pixel in the order blue, green, red, alpha (straight alpha), rows top
// row first, no padding. Pictures without transparency have alpha 255 everywhere and hasAlpha false.
struct RasterImage {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    std::vector<std::uint8_t> bgra;

    bool empty() const { return width <= 0 || height <= 0; }
    std::size_t stride() const { return static_cast<std::size_t>(width) * 4; }
    std::uint8_t* row(int y) { return bgra.data() + static_cast<std::size_t>(y) * stride(); }
    const std::uint8_t* row(int y) const { return bgra.data() + static_cast<std::size_t>(y) * stride(); }
};

enum class CodecError {
    None,
    NotThisFormat, // the bytes do not start like this format
    Truncated,     // the file ends before the data it announces
    TooLarge,      // the announced size is above kMaxDecodePixels or overflows
    Corrupt,       // inconsistent or impossible values
    Unsupported,   // a valid variant this codec does not handle
    WriteFailed,
};

// A decoder's answer: the picture, or the error with a short reason for people ("truncated pixel data").
struct DecodeResult {
    RasterImage image;
    CodecError error = CodecError::None;
    std::string reason;

    bool ok() const { return error == CodecError::None; }
    static DecodeResult failure(CodecError error, std::string reason) {
        return {{}, error, std::move(reason)};
    }
};

} // namespace imaging
