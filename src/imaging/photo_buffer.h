#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace imaging {

// The workspace photo: 3 bytes per pixel in the order blue, green, red, rows top row first, no row
// padding. Photo widths are always a multiple of 4, so each row is also 32-bit aligned.
struct PhotoBuffer {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgr;

    bool empty() const { return width <= 0 || height <= 0; }
    std::size_t stride() const { return static_cast<std::size_t>(width) * 3; }
    std::uint8_t* row(int y) { return bgr.data() + static_cast<std::size_t>(y) * stride(); }
    const std::uint8_t* row(int y) const { return bgr.data() + static_cast<std::size_t>(y) * stride(); }
};

} // namespace imaging
