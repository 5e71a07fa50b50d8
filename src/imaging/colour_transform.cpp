#include "imaging/colour_transform.h"

#include "imaging/filter_rows.h"

#include <algorithm>
#include <cmath>

namespace imaging {

namespace {

// Matrix rows and columns count red, green, blue; pixels are stored blue, green, red.
constexpr std::size_t matrixIndex(std::size_t memoryIndex) {
    return 2 - memoryIndex;
}

std::int32_t toFixed(float factor) {
    // Bounded so that no sum of five terms of 8-bit values can overflow.
    const double scaled = std::clamp(static_cast<double>(factor) * 256.0, -1048576.0, 1048576.0);
    return static_cast<std::int32_t>(std::floor(scaled + 0.5));
}

inline std::uint8_t clampChannel(std::int32_t sum) {
    return static_cast<std::uint8_t>(std::clamp(sum >> 8, 0, 255));
}

} // namespace

ColourTransform::ColourTransform(const ColourAdjustment& adjustment)
    : ColourTransform(colourAdjustmentMatrix(adjustment), adjustment.gamma) {}

ColourTransform::ColourTransform(const ColorMatrix& matrix, float gamma) {
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 3; ++column)
            fixed_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
                toFixed(matrix.at(row, column));

    // A gamma the drawing library would refuse (not above 0) leaves the values as they are.
    const bool gammaApplies = std::isfinite(gamma) && gamma > 0.0f && gamma != 1.0f;
    for (int v = 0; v < 256; ++v)
        gamma_[static_cast<std::size_t>(v)] =
            gammaApplies
                ? static_cast<std::uint8_t>(std::clamp(
                      std::floor(std::pow(v / 255.0, static_cast<double>(gamma)) * 255.0), 0.0, 255.0))
                : static_cast<std::uint8_t>(v);

    bool crossTerms = false;
    bool unitMatrix = true;
    for (std::size_t row = 0; row < 5; ++row) {
        for (std::size_t column = 0; column < 3; ++column) {
            const std::int32_t factor = fixed_[row][column];
            if (row < 3 && row != column && factor != 0)
                crossTerms = true;
            if (factor != (row == column ? 256 : 0))
                unitMatrix = false;
        }
    }
    identity_ = unitMatrix && !gammaApplies;
    perChannel_ = !crossTerms;

    for (std::size_t out = 0; out < 3; ++out) {
        const std::size_t column = matrixIndex(out);
        const std::int32_t constant = (fixed_[3][column] + fixed_[4][column]) * 255;
        for (std::size_t in = 0; in < 3; ++in) {
            const std::int32_t factor = fixed_[matrixIndex(in)][column];
            for (std::int32_t v = 0; v < 256; ++v)
                terms_[out][in][static_cast<std::size_t>(v)] = factor * v + (in == 0 ? constant : 0);
        }
        if (perChannel_) {
            for (std::size_t v = 0; v < 256; ++v)
                channelTable_[out][v] = gamma_[clampChannel(terms_[out][out][v] + (out == 0 ? 0 : constant))];
        }
    }
}

void ColourTransform::apply(const std::uint8_t* source, std::size_t sourceStride, std::uint8_t* target,
                            std::size_t targetStride, int width, int height, int bytesPerPixel) const {
    if (width <= 0 || height <= 0 || (bytesPerPixel != 3 && bytesPerPixel != 4))
        return;
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    detail::inBands(height, pixels, [&](int firstRow, int endRow) {
        applyRows(source, sourceStride, target, targetStride, width, firstRow, endRow, bytesPerPixel);
        return true;
    });
}

namespace {

template <int Bytes>
void copyRows(const std::uint8_t* source, std::size_t sourceStride, std::uint8_t* target,
              std::size_t targetStride, int width, int firstRow, int endRow) {
    if (source == target)
        return;
    for (int y = firstRow; y < endRow; ++y)
        std::copy_n(source + sourceStride * static_cast<std::size_t>(y),
                    static_cast<std::size_t>(width) * Bytes,
                    target + targetStride * static_cast<std::size_t>(y));
}

template <int Bytes>
void tableRows(const std::array<std::array<std::uint8_t, 256>, 3>& table, const std::uint8_t* source,
               std::size_t sourceStride, std::uint8_t* target, std::size_t targetStride, int width,
               int firstRow, int endRow) {
    for (int y = firstRow; y < endRow; ++y) {
        const std::uint8_t* in = source + sourceStride * static_cast<std::size_t>(y);
        std::uint8_t* out = target + targetStride * static_cast<std::size_t>(y);
        for (int x = 0; x < width; ++x, in += Bytes, out += Bytes) {
            out[0] = table[0][in[0]];
            out[1] = table[1][in[1]];
            out[2] = table[2][in[2]];
            if constexpr (Bytes == 4)
                out[3] = in[3];
        }
    }
}

template <int Bytes>
void matrixRows(const std::array<std::array<std::array<std::int32_t, 256>, 3>, 3>& terms,
                const std::array<std::uint8_t, 256>& gamma, const std::uint8_t* source,
                std::size_t sourceStride, std::uint8_t* target, std::size_t targetStride, int width,
                int firstRow, int endRow) {
    for (int y = firstRow; y < endRow; ++y) {
        const std::uint8_t* in = source + sourceStride * static_cast<std::size_t>(y);
        std::uint8_t* out = target + targetStride * static_cast<std::size_t>(y);
        for (int x = 0; x < width; ++x, in += Bytes, out += Bytes) {
            const std::uint8_t b = in[0];
            const std::uint8_t g = in[1];
            const std::uint8_t r = in[2];
            const std::int32_t blue = terms[0][0][b] + terms[0][1][g] + terms[0][2][r];
            const std::int32_t green = terms[1][0][b] + terms[1][1][g] + terms[1][2][r];
            const std::int32_t red = terms[2][0][b] + terms[2][1][g] + terms[2][2][r];
            out[0] = gamma[clampChannel(blue)];
            out[1] = gamma[clampChannel(green)];
            out[2] = gamma[clampChannel(red)];
            if constexpr (Bytes == 4)
                out[3] = in[3];
        }
    }
}

} // namespace

void ColourTransform::applyRows(const std::uint8_t* source, std::size_t sourceStride, std::uint8_t* target,
                                std::size_t targetStride, int width, int firstRow, int endRow,
                                int bytesPerPixel) const {
    const bool four = bytesPerPixel == 4;
    if (identity_) {
        if (four)
            copyRows<4>(source, sourceStride, target, targetStride, width, firstRow, endRow);
        else
            copyRows<3>(source, sourceStride, target, targetStride, width, firstRow, endRow);
    } else if (perChannel_) {
        if (four)
            tableRows<4>(channelTable_, source, sourceStride, target, targetStride, width, firstRow, endRow);
        else
            tableRows<3>(channelTable_, source, sourceStride, target, targetStride, width, firstRow, endRow);
    } else if (four) {
        matrixRows<4>(terms_, gamma_, source, sourceStride, target, targetStride, width, firstRow, endRow);
    } else {
        matrixRows<3>(terms_, gamma_, source, sourceStride, target, targetStride, width, firstRow, endRow);
    }
}

} // namespace imaging
