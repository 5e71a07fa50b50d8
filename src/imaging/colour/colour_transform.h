#pragma once
// What the colour tool does to pixels: its matrix and gamma applied as the drawing library applies an
// image's colour matrix and gamma. Used alike for the view and for the photo's own pixels.

#include "imaging/colour/colour_adjustment.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace imaging {

// The matrix works in 8.8 fixed point: each factor is rounded to the nearest 1/256, a channel's sum over
// the 8-bit values (alpha and the offset row taking 255) is divided by 256, truncating, and limited to
// 0 … 255. Gamma then maps each channel value v to ⌊255 · (v / 255)^gamma⌋. Pixels stay opaque: the six
// values never touch the alpha column.
class ColourTransform {
public:
    explicit ColourTransform(const ColourAdjustment& adjustment);
    ColourTransform(const ColorMatrix& matrix, float gamma);

    // True when every pixel comes out as it went in.
    bool isIdentity() const { return identity_; }

    // Transforms `width` × `height` pixels from `source` into `target` (which may be `source`). Pixels
    // are 3 bytes (blue, green, red) or 4 (blue, green, red and a byte that is copied); rows are
    // `stride` bytes apart. Large pictures are shared between the cores.
    void apply(const std::uint8_t* source, std::size_t sourceStride, std::uint8_t* target,
               std::size_t targetStride, int width, int height, int bytesPerPixel) const;

    // The 8.8 fixed-point factor of matrix row `row` (0 red … 4 offset) for output column `column`
    // (0 red, 1 green, 2 blue).
    std::int32_t fixedFactor(int row, int column) const {
        return fixed_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    // The gamma mapping of one channel value.
    std::uint8_t gammaOf(std::uint8_t value) const { return gamma_[value]; }

private:
    void applyRows(const std::uint8_t* source, std::size_t sourceStride, std::uint8_t* target,
                   std::size_t targetStride, int width, int firstRow, int endRow, int bytesPerPixel) const;

    std::array<std::array<std::int32_t, 3>, 5> fixed_{};
    std::array<std::uint8_t, 256> gamma_{};
    bool identity_ = false;
    // Without cross terms each channel depends on itself only: one table per channel does it all.
    bool perChannel_ = false;
    std::array<std::array<std::uint8_t, 256>, 3> channelTable_{}; // by memory order: blue, green, red
    // Otherwise per output channel by memory order: the factors of blue, green and red and the constant.
    std::array<std::int32_t, 12> mix_{};
    bool gammaApplies_ = false;
};

} // namespace imaging
