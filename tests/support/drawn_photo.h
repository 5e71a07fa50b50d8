#pragma once
// Test photos drawn pixel by pixel, so that each test says only what its pixels are.

#include "imaging/photo_buffer.h"

#include <array>
#include <cstdint>

namespace testing_support {

// `pixel(x, y)` gives each pixel's blue, green and red, as anything convertible to bytes.
template <typename Pixel>
imaging::PhotoBuffer drawnPhoto(int width, int height, Pixel pixel) {
    imaging::PhotoBuffer photo;
    photo.width = width;
    photo.height = height;
    photo.bgr.resize(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto [blue, green, red] = pixel(x, y);
            std::uint8_t* p = photo.row(y) + x * 3;
            p[0] = static_cast<std::uint8_t>(blue);
            p[1] = static_cast<std::uint8_t>(green);
            p[2] = static_cast<std::uint8_t>(red);
        }
    return photo;
}

inline imaging::PhotoBuffer flatPhoto(int width, int height, std::uint8_t blue, std::uint8_t green,
                                      std::uint8_t red) {
    return drawnPhoto(width, height, [=](int, int) { return std::array{blue, green, red}; });
}

} // namespace testing_support
