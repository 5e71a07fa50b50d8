#include "imaging/colour/colour_transform.h"

#include "imaging/filters/filter_rows.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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
    gammaApplies_ = std::isfinite(gamma) && gamma > 0.0f && gamma != 1.0f;
    for (int v = 0; v < 256; ++v)
        gamma_[static_cast<std::size_t>(v)] =
            gammaApplies_
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
    identity_ = unitMatrix && !gammaApplies_;
    perChannel_ = !crossTerms;

    for (std::size_t out = 0; out < 3; ++out) {
        const std::size_t column = matrixIndex(out);
        const std::int32_t constant = (fixed_[3][column] + fixed_[4][column]) * 255;
        for (std::size_t in = 0; in < 3; ++in)
            mix_[out * 4 + in] = fixed_[matrixIndex(in)][column];
        mix_[out * 4 + 3] = constant;
        if (perChannel_) {
            const std::int32_t factor = fixed_[column][column];
            for (std::size_t v = 0; v < 256; ++v)
                channelTable_[out][v] =
                    gamma_[clampChannel(factor * static_cast<std::int32_t>(v) + constant)];
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

// One row through the matrix: sums in 32 bits, limited to 0 … 255. Written so that the compiler
// vectorises it; the gamma follows as a second pass over the row.
template <int Bytes>
[[gnu::always_inline]] inline void mixRowOf(const std::uint8_t* in, std::uint8_t* out, int width,
                                            const std::int32_t* factors) {
    const std::int32_t fb0 = factors[0], fg0 = factors[1], fr0 = factors[2], c0 = factors[3];
    const std::int32_t fb1 = factors[4], fg1 = factors[5], fr1 = factors[6], c1 = factors[7];
    const std::int32_t fb2 = factors[8], fg2 = factors[9], fr2 = factors[10], c2 = factors[11];
    for (int x = 0; x < width; ++x) {
        const std::int32_t b = in[Bytes * x];
        const std::int32_t g = in[Bytes * x + 1];
        const std::int32_t r = in[Bytes * x + 2];
        out[Bytes * x] = clampChannel(fb0 * b + fg0 * g + fr0 * r + c0);
        out[Bytes * x + 1] = clampChannel(fb1 * b + fg1 * g + fr1 * r + c1);
        out[Bytes * x + 2] = clampChannel(fb2 * b + fg2 * g + fr2 * r + c2);
        if constexpr (Bytes == 4)
            out[4 * x + 3] = in[4 * x + 3];
    }
}

PV_VECTOR_CLONES void mixRow3(const std::uint8_t* in, std::uint8_t* out, int width,
                              const std::int32_t* factors) {
    mixRowOf<3>(in, out, width, factors);
}
PV_VECTOR_CLONES void mixRow4(const std::uint8_t* in, std::uint8_t* out, int width,
                              const std::int32_t* factors) {
    mixRowOf<4>(in, out, width, factors);
}

// Every channel byte of the row through the table, eight bytes at a time; with 4-byte pixels the fourth
// byte of each pixel is kept.
void gammaRow(std::uint8_t* row, std::size_t bytes, const std::array<std::uint8_t, 256>& table,
              bool fourBytes) {
    const std::uint64_t keep = fourBytes ? 0xFF000000FF000000ull : 0;
    std::size_t i = 0;
    for (; i + 8 <= bytes; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, row + i, 8);
        std::uint64_t mapped = 0;
        for (int k = 0; k < 8; ++k)
            mapped |= std::uint64_t{table[(word >> (8 * k)) & 0xFF]} << (8 * k);
        mapped = (mapped & ~keep) | (word & keep);
        std::memcpy(row + i, &mapped, 8);
    }
    for (; i < bytes; ++i) {
        if (!fourBytes || i % 4 != 3)
            row[i] = table[row[i]];
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
    } else {
        const std::size_t rowBytes =
            static_cast<std::size_t>(width) * static_cast<std::size_t>(bytesPerPixel);
        for (int y = firstRow; y < endRow; ++y) {
            const std::uint8_t* in = source + sourceStride * static_cast<std::size_t>(y);
            std::uint8_t* out = target + targetStride * static_cast<std::size_t>(y);
            if (four)
                mixRow4(in, out, width, mix_.data());
            else
                mixRow3(in, out, width, mix_.data());
            if (gammaApplies_)
                gammaRow(out, rowBytes, gamma_, four);
        }
    }
}

} // namespace imaging
