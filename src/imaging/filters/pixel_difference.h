#pragma once
// The convolution of a kernel that only subtracts one pixel from another, as Emboss's does: worked out in
// saturating byte arithmetic straight from the picture's rows, with no sums and no division.

#include <cstdint>
#include <optional>

namespace imaging::detail {

// clamp(P(x + plusX, y + plusY) − P(x + minusX, y + minusY) + offset, 0, 255), with the picture's clamped
// edges.
struct PixelDifference {
    int plusX, plusY, minusX, minusY;
    std::uint8_t offset;
};

// The difference the convolution (kernel, size, divisor, offset) amounts to, when its only weights are one
// +1 and one −1, the divisor is ±1 (0 counting as 1) and the offset lies in 0 … 255.
std::optional<PixelDifference> asPixelDifference(const int* kernel, int size, int divisor, int offset);

// Row y of the result for a 24-bit picture without row padding.
void pixelDifferenceRow(const PixelDifference& difference, const std::uint8_t* bits, int width, int height,
                        int y, std::uint8_t* out);

} // namespace imaging::detail
