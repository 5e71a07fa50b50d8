#pragma once
// Small builders the codec tests share: byte vectors written field by field and test pictures.

#include "imaging/codecs/raster.h"

#include <QImage>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace codec_tests {

// Appends little-endian fields to a byte vector.
class Bytes {
public:
    Bytes& u8(std::uint32_t v) {
        data.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    Bytes& u16(std::uint32_t v) { return u8(v).u8(v >> 8); }
    Bytes& u32(std::uint32_t v) { return u16(v).u16(v >> 16); }
    Bytes& s16(int v) { return u16(static_cast<std::uint32_t>(v)); }
    Bytes& s32(int v) { return u32(static_cast<std::uint32_t>(v)); }
    Bytes& raw(std::initializer_list<std::uint8_t> bytes) {
        data.insert(data.end(), bytes);
        return *this;
    }
    Bytes& text(const char* s) {
        while (*s)
            u8(static_cast<std::uint8_t>(*s++));
        return *this;
    }
    std::size_t size() const { return data.size(); }
    std::vector<std::uint8_t> data;
};

// A picture whose every pixel differs: blue = x * 40, green = y * 50, red = x + y * 7, alpha 255.
inline imaging::RasterImage testPicture(int width, int height, bool alpha = false) {
    imaging::RasterImage image;
    image.width = width;
    image.height = height;
    image.hasAlpha = alpha;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            image.bgra.push_back(static_cast<std::uint8_t>(x * 40));
            image.bgra.push_back(static_cast<std::uint8_t>(y * 50));
            image.bgra.push_back(static_cast<std::uint8_t>(x + y * 7));
            image.bgra.push_back(static_cast<std::uint8_t>(alpha ? (x * 60 + y * 20) % 256 : 255));
        }
    return image;
}

// The pixel at (x, y) as 0xAARRGGBB.
inline std::uint32_t pixel(const imaging::RasterImage& image, int x, int y) {
    const std::uint8_t* p = image.row(y) + static_cast<std::size_t>(x) * 4;
    return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
}

} // namespace codec_tests
