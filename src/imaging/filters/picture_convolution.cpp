// Picture::Filter: the convolution engine behind every linear filter.

#include "imaging/filters/filter_rows.h"
#include "imaging/filters/pixel_difference.h"
#include "imaging/picture.h"

#include <cmath>
#include <cstdlib>

namespace imaging {

namespace {

using detail::PaddedRows;

constexpr int kMaxKernelSize = 15;

// Sums of one output row: sums[i] = Σ kernel[r][c] · rows[r][i + 3c], for Size × Size kernels known when
// compiling (fully unrolled) or any size.
template <int Size, typename Acc>
[[gnu::always_inline]] inline void sumRow(const std::uint8_t* const* rows, const Acc* kernel,
                                          Acc* __restrict sums, int count) {
    for (int i = 0; i < count; ++i) {
        Acc sum = 0;
        for (int r = 0; r < Size; ++r)
            for (int c = 0; c < Size; ++c)
                sum = static_cast<Acc>(sum + kernel[r * Size + c] * rows[r][i + 3 * c]);
        sums[i] = sum;
    }
}

template <typename Acc>
void sumRowAnySize(const std::uint8_t* const* rows, const Acc* kernel, int size, Acc* __restrict sums,
                   int count) {
    std::fill(sums, sums + count, Acc{0});
    for (int r = 0; r < size; ++r) {
        for (int c = 0; c < size; ++c) {
            const Acc weight = kernel[r * size + c];
            if (weight == 0)
                continue;
            const std::uint8_t* source = rows[r] + 3 * c;
            for (int i = 0; i < count; ++i)
                sums[i] = static_cast<Acc>(sums[i] + weight * source[i]);
        }
    }
}

PV_VECTOR_CLONES void sum3Narrow(const std::uint8_t* const* rows, const std::int16_t* kernel,
                                 std::int16_t* sums, int count) {
    sumRow<3>(rows, kernel, sums, count);
}
PV_VECTOR_CLONES void sum5Narrow(const std::uint8_t* const* rows, const std::int16_t* kernel,
                                 std::int16_t* sums, int count) {
    sumRow<5>(rows, kernel, sums, count);
}
PV_VECTOR_CLONES void sumAnyNarrow(const std::uint8_t* const* rows, const std::int16_t* kernel, int size,
                                   std::int16_t* sums, int count) {
    sumRowAnySize(rows, kernel, size, sums, count);
}
PV_VECTOR_CLONES void sumAnyWide(const std::uint8_t* const* rows, const std::int32_t* kernel, int size,
                                 std::int32_t* sums, int count) {
    sumRowAnySize(rows, kernel, size, sums, count);
}

std::uint8_t clampByte(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

// sum / divisor + offset, truncating toward zero, without a division. The exact quotient's fraction is a
// multiple of 1/|divisor|, so moving the sum 0.5 away from zero leaves the quotient at least 1/(2|divisor|)
// inside its integer range: more than the product by the rounded reciprocal can be off (relative error
// below 2^-23, so below 2^-8/|divisor| for |sum| < 2^15). Exact for |divisor| ≤ 256.
PV_VECTOR_CLONES void divideNarrow(const std::int16_t* sums, float reciprocal, int offset, std::uint8_t* out,
                                   int count) {
    for (int i = 0; i < count; ++i) {
        const float sum = static_cast<float>(sums[i]);
        out[i] = clampByte(static_cast<int>((sum + std::copysign(0.5f, sum)) * reciprocal) + offset);
    }
}

// A divisor of ±1 needs no division at all.
PV_VECTOR_CLONES void signNarrow(const std::int16_t* sums, int sign, int offset, std::uint8_t* out,
                                 int count) {
    for (int i = 0; i < count; ++i)
        out[i] = clampByte(sign * sums[i] + offset);
}

void divideWide(const std::int32_t* sums, int divisor, int offset, std::uint8_t* out, int count) {
    for (int i = 0; i < count; ++i)
        out[i] = clampByte(sums[i] / divisor + offset);
}

} // namespace

bool Picture::Filter(const int* kernel, int size, int divisor, int offset) {
    if (!IsValid() || kernel == nullptr || size < 1 || size > kMaxKernelSize || size % 2 == 0)
        return false;
    if (divisor == 0)
        divisor = 1;
    const int cells = size * size;
    int weight = 0;
    for (int i = 0; i < cells; ++i)
        weight += std::abs(kernel[i]);
    // 16-bit sums are twice as fast; they hold whenever 255 · Σ|k| stays below 2^15.
    const bool narrow = weight * 255 < 32768 && std::abs(divisor) <= 256;
    std::vector<std::int16_t> narrowKernel(kernel, kernel + cells);
    std::vector<std::int32_t> wideKernel(kernel, kernel + cells);

    const std::optional<detail::PixelDifference> difference =
        detail::asPixelDifference(kernel, size, divisor, offset);

    const int half = size / 2;
    const int count = width_ * 3;
    std::vector<std::uint8_t> result(bits_.size());
    const bool done = detail::inBands(height_, bits_.size() / 3, [&](int firstRow, int endRow) {
        if (difference) {
            for (int y = firstRow; y < endRow; ++y) {
                if (escaped())
                    return false;
                detail::pixelDifferenceRow(*difference, bits_.data(), width_, height_, y,
                                           result.data() + stride() * static_cast<std::size_t>(y));
            }
            return true;
        }
        PaddedRows padded(bits_.data(), width_, height_, half, half, size);
        std::vector<const std::uint8_t*> rows(static_cast<std::size_t>(size));
        std::vector<std::int16_t> narrowSums(narrow ? static_cast<std::size_t>(count) : 0);
        std::vector<std::int32_t> wideSums(narrow ? 0 : static_cast<std::size_t>(count));
        for (int y = firstRow; y < endRow; ++y) {
            if (escaped())
                return false;
            for (int r = 0; r < size; ++r)
                rows[static_cast<std::size_t>(r)] = padded.row(y + r - half);
            std::uint8_t* out = result.data() + stride() * static_cast<std::size_t>(y);
            if (narrow) {
                if (size == 3)
                    sum3Narrow(rows.data(), narrowKernel.data(), narrowSums.data(), count);
                else if (size == 5)
                    sum5Narrow(rows.data(), narrowKernel.data(), narrowSums.data(), count);
                else
                    sumAnyNarrow(rows.data(), narrowKernel.data(), size, narrowSums.data(), count);
                if (std::abs(divisor) == 1)
                    signNarrow(narrowSums.data(), divisor, offset, out, count);
                else
                    divideNarrow(narrowSums.data(), 1.0f / static_cast<float>(divisor), offset, out, count);
            } else {
                sumAnyWide(rows.data(), wideKernel.data(), size, wideSums.data(), count);
                divideWide(wideSums.data(), divisor, offset, out, count);
            }
        }
        return true;
    });
    if (!done)
        return false;
    return commit(std::move(result), width_, height_);
}

} // namespace imaging
