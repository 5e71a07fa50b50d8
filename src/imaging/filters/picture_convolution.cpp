// Picture::Filter: the convolution engine behind every linear filter.

#include "imaging/filters/filter_rows.h"
#include "imaging/filters/pixel_difference.h"
#include "imaging/picture.h"

#include <cstdlib>
#include <utility>

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

// How a 16-bit sum becomes a byte: sum / divisor + offset, truncating toward zero, limited to 0 … 255. A
// negative divisor is folded into the kernel's signs, so the divisor here is 1 … 256 and the offset lies in
// −256 … 256.
struct NarrowFinish {
    // The quotient of a 15-bit |sum| is (|sum| · magic) >> (16 + shift), with l = ⌈log2 divisor⌉,
    // magic = ⌈2^(15 + l) / divisor⌉ and shift = l − 1: exact for every numerator below 2^15, and magic
    // fits in 16 bits, so the product is one multiply-high. A shift of −1 stands for a divisor of 1.
    std::uint16_t magic = 0;
    int shift = -1;
    std::int16_t offset = 0;

    NarrowFinish(int divisor, int offsetIn) : offset(static_cast<std::int16_t>(offsetIn)) {
        if (divisor < 2)
            return;
        int l = 0;
        while ((1 << l) < divisor)
            ++l;
        magic = static_cast<std::uint16_t>(((std::uint32_t{1} << (15 + l)) + divisor - 1) / divisor);
        shift = l - 1;
    }
};

// Every shift the divisors 1 … 256 need, so each gets a loop with its shift fixed: the vectoriser only keeps
// the product in 16 bits when the shift after it is a constant.
using Shifts = std::integer_sequence<int, -1, 0, 1, 2, 3, 4, 5, 6, 7>;

template <int Shift>
[[gnu::always_inline]] inline std::uint8_t finish(std::int16_t sum, const NarrowFinish& how) {
    std::int16_t quotient;
    if constexpr (Shift >= 0) {
        const auto magnitude = static_cast<std::uint16_t>(sum < 0 ? -sum : sum);
        const auto high =
            static_cast<std::uint16_t>((std::uint32_t{magnitude} * std::uint32_t{how.magic}) >> 16);
        const auto scaled = static_cast<std::int16_t>(high >> Shift);
        quotient = static_cast<std::int16_t>(sum < 0 ? -scaled : scaled);
    } else {
        // Beyond ±512 the offset can no longer bring the value back into 0 … 255; limiting first keeps
        // the addition inside 16 bits.
        quotient = std::clamp<std::int16_t>(sum, -512, 512);
    }
    const auto value = static_cast<std::int16_t>(quotient + how.offset);
    return static_cast<std::uint8_t>(std::clamp<std::int16_t>(value, 0, 255));
}

template <int Shift>
[[gnu::always_inline]] inline void finishRow(const std::int16_t* sums, const NarrowFinish& how,
                                             std::uint8_t* __restrict out, int count) {
    for (int i = 0; i < count; ++i)
        out[i] = finish<Shift>(sums[i], how);
}

template <int... Shift>
[[gnu::always_inline]] inline void finishRowAnyShift(std::integer_sequence<int, Shift...>,
                                                     const std::int16_t* sums, const NarrowFinish& how,
                                                     std::uint8_t* out, int count) {
    ((how.shift == Shift ? finishRow<Shift>(sums, how, out, count) : void()), ...);
}

PV_VECTOR_CLONES void finishNarrow(const std::int16_t* sums, const NarrowFinish& how, std::uint8_t* out,
                                   int count) {
    finishRowAnyShift(Shifts{}, sums, how, out, count);
}

// A 3 × 3 kernel straight from the picture's rows above, at and below the output row: channel value i
// (not in the first or last pixel) reads i − 3, i and i + 3 of each, so no row needs copying and the sums
// never leave the registers.
template <int Shift>
[[gnu::always_inline]] inline void convolve3Interior(const std::uint8_t* const* rows,
                                                     const std::int16_t* kernel, const NarrowFinish& how,
                                                     std::uint8_t* __restrict out, int first, int end) {
    const std::uint8_t* a = rows[0];
    const std::uint8_t* b = rows[1];
    const std::uint8_t* c = rows[2];
    const std::int16_t k0 = kernel[0], k1 = kernel[1], k2 = kernel[2], k3 = kernel[3], k4 = kernel[4],
                       k5 = kernel[5], k6 = kernel[6], k7 = kernel[7], k8 = kernel[8];
    for (int i = first; i < end; ++i) {
        const auto sum =
            static_cast<std::int16_t>(k0 * a[i - 3] + k1 * a[i] + k2 * a[i + 3] + k3 * b[i - 3] + k4 * b[i] +
                                      k5 * b[i + 3] + k6 * c[i - 3] + k7 * c[i] + k8 * c[i + 3]);
        out[i] = finish<Shift>(sum, how);
    }
}

template <int... Shift>
[[gnu::always_inline]] inline void convolve3AnyShift(std::integer_sequence<int, Shift...>,
                                                     const std::uint8_t* const* rows,
                                                     const std::int16_t* kernel, const NarrowFinish& how,
                                                     std::uint8_t* out, int first, int end) {
    ((how.shift == Shift ? convolve3Interior<Shift>(rows, kernel, how, out, first, end) : void()), ...);
}

PV_VECTOR_CLONES void convolve3Narrow(const std::uint8_t* const* rows, const std::int16_t* kernel,
                                      const NarrowFinish& how, std::uint8_t* out, int first, int end) {
    convolve3AnyShift(Shifts{}, rows, kernel, how, out, first, end);
}

// Pixel x of a 3 × 3 narrow convolution, its columns clamped to the row: for the first and last pixel.
void convolve3Pixel(const std::uint8_t* const* rows, const std::int16_t* kernel, const NarrowFinish& how,
                    int width, int x, std::uint8_t* out) {
    std::int16_t sums[3];
    for (int channel = 0; channel < 3; ++channel) {
        int sum = 0;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                sum += kernel[r * 3 + c] * rows[r][std::clamp(x + c - 1, 0, width - 1) * 3 + channel];
        sums[channel] = static_cast<std::int16_t>(sum);
    }
    finishNarrow(sums, how, out + x * 3, 3);
}

void convolve3Row(const std::uint8_t* const* rows, const std::int16_t* kernel, const NarrowFinish& how,
                  int width, std::uint8_t* out) {
    const int count = width * 3;
    if (count > 6)
        convolve3Narrow(rows, kernel, how, out, 3, count - 3);
    convolve3Pixel(rows, kernel, how, width, 0, out);
    if (width > 1)
        convolve3Pixel(rows, kernel, how, width, width - 1, out);
}

void divideWide(const std::int32_t* sums, int divisor, int offset, std::uint8_t* out, int count) {
    for (int i = 0; i < count; ++i)
        out[i] = static_cast<std::uint8_t>(std::clamp(sums[i] / divisor + offset, 0, 255));
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
    const bool narrow = weight * 255 < 32768 && std::abs(divisor) <= 256 && std::abs(offset) <= 256;
    // A negative divisor negates the kernel instead: truncation toward zero is symmetric.
    std::vector<std::int16_t> narrowKernel(kernel, kernel + cells);
    if (divisor < 0) {
        for (std::int16_t& k : narrowKernel)
            k = static_cast<std::int16_t>(-k);
    }
    const NarrowFinish how(std::abs(divisor), narrow ? offset : 0);
    std::vector<std::int32_t> wideKernel(kernel, kernel + cells);

    const std::optional<detail::PixelDifference> difference =
        detail::asPixelDifference(kernel, size, divisor, offset);

    const int half = size / 2;
    const int count = width_ * 3;
    PixelBytes result = PixelBytes::unfilled(bits_.size());
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
        if (narrow && size == 3) {
            for (int y = firstRow; y < endRow; ++y) {
                if (escaped())
                    return false;
                const std::uint8_t* rows[3] = {GetBits(std::max(y - 1, 0)), GetBits(y),
                                               GetBits(std::min(y + 1, height_ - 1))};
                convolve3Row(rows, narrowKernel.data(), how, width_,
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
                if (size == 5)
                    sum5Narrow(rows.data(), narrowKernel.data(), narrowSums.data(), count);
                else
                    sumAnyNarrow(rows.data(), narrowKernel.data(), size, narrowSums.data(), count);
                finishNarrow(narrowSums.data(), how, out, count);
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
