// Picture::Median.

#include "imaging/filters/filter_rows.h"
#include "imaging/picture.h"

namespace imaging {

namespace {

using detail::PaddedRows;
using detail::windowAfter;
using detail::windowBefore;

constexpr int kMaxMedianSize = 15;

// Plain value comparisons, which the vectoriser turns into byte minimum and maximum instructions.
std::uint8_t smaller(std::uint8_t a, std::uint8_t b) {
    return a < b ? a : b;
}
std::uint8_t larger(std::uint8_t a, std::uint8_t b) {
    return a < b ? b : a;
}
std::uint8_t median3(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
    return larger(smaller(a, b), smaller(larger(a, b), c));
}

// Sorts each column of three channel values: low, middle and high hold the sorted column of byte i at
// i + 3, the place it has in a row widened by one pixel on each side.
PV_VECTOR_CLONES void sortColumns(const std::uint8_t* above, const std::uint8_t* centre,
                                  const std::uint8_t* below, std::uint8_t* __restrict low,
                                  std::uint8_t* __restrict middle, std::uint8_t* __restrict high, int count) {
    for (int i = 0; i < count; ++i) {
        const std::uint8_t a = above[i], b = centre[i], c = below[i];
        const std::uint8_t lo = smaller(a, b), hi = larger(a, b);
        low[i + 3] = smaller(lo, c);
        high[i + 3] = larger(hi, c);
        middle[i + 3] = larger(lo, smaller(hi, c));
    }
}

// The 3 × 3 median of each channel value from the sorted columns: the median of nine is the median of
// (largest low, median of middles, smallest high) of three neighbouring columns.
PV_VECTOR_CLONES void medianOfColumns(const std::uint8_t* low, const std::uint8_t* middle,
                                      const std::uint8_t* high, std::uint8_t* __restrict out, int count) {
    for (int i = 0; i < count; ++i) {
        const std::uint8_t largestLow = larger(larger(low[i], low[i + 3]), low[i + 6]);
        const std::uint8_t smallestHigh = smaller(smaller(high[i], high[i + 3]), high[i + 6]);
        const std::uint8_t middleMedian = median3(middle[i], middle[i + 3], middle[i + 6]);
        out[i] = median3(largestLow, middleMedian, smallestHigh);
    }
}

// The widened sorted rows repeat the sorted columns of the first and last pixel, as the picture's
// edge pixels repeat outside it.
void padSorted(std::uint8_t* sorted, int count) {
    std::memcpy(sorted, sorted + 3, 3);
    std::memcpy(sorted + count + 3, sorted + count, 3);
}

} // namespace

bool Picture::median3x3(int firstRow, int endRow, std::uint8_t* result) const {
    const int count = width_ * 3;
    std::vector<std::uint8_t> low(static_cast<std::size_t>(count) + 6), middle(low.size()), high(low.size());
    for (int y = firstRow; y < endRow; ++y) {
        if (escaped())
            return false;
        sortColumns(GetBits(std::max(y - 1, 0)), GetBits(y), GetBits(std::min(y + 1, height_ - 1)),
                    low.data(), middle.data(), high.data(), count);
        for (std::uint8_t* sorted : {low.data(), middle.data(), high.data()})
            padSorted(sorted, count);
        medianOfColumns(low.data(), middle.data(), high.data(),
                        result + stride() * static_cast<std::size_t>(y), count);
    }
    return true;
}

bool Picture::Median(int size) {
    if (!IsValid() || size < 1 || size > kMaxMedianSize)
        return false;
    const int before = windowBefore(size);
    const int after = windowAfter(size);
    const int count = width_ * 3;
    PixelBytes result = PixelBytes::unfilled(bits_.size());
    const bool done = detail::inBands(height_, bits_.size() / 3, [&](int firstRow, int endRow) {
        if (size == 3)
            return median3x3(firstRow, endRow, result.data());
        PaddedRows padded(bits_.data(), width_, height_, before, after, size);
        std::vector<std::uint8_t> window(static_cast<std::size_t>(size * size));
        std::vector<const std::uint8_t*> rows(static_cast<std::size_t>(size));
        for (int y = firstRow; y < endRow; ++y) {
            if (escaped())
                return false;
            for (int r = 0; r < size; ++r)
                rows[static_cast<std::size_t>(r)] = padded.row(y - before + r);
            std::uint8_t* out = result.data() + stride() * static_cast<std::size_t>(y);
            for (int i = 0; i < count; ++i) {
                std::size_t k = 0;
                for (const std::uint8_t* row : rows)
                    for (int c = 0; c < size; ++c)
                        window[k++] = row[i + 3 * c];
                const auto middleAt = window.begin() + static_cast<std::ptrdiff_t>(window.size() / 2);
                std::nth_element(window.begin(), middleAt, window.end());
                out[i] = *middleAt;
            }
        }
        return true;
    });
    if (!done)
        return false;
    return commit(std::move(result), width_, height_);
}

} // namespace imaging
