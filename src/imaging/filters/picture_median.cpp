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

// Sorts the columns of two neighbouring output rows at once: they share the two picture rows between
// them, sorted once, and each merges in its own third row.
PV_VECTOR_CLONES void sortColumnPairs(const std::uint8_t* above, const std::uint8_t* upper,
                                      const std::uint8_t* lower, const std::uint8_t* below,
                                      std::uint8_t* __restrict firstLow, std::uint8_t* __restrict firstMiddle,
                                      std::uint8_t* __restrict firstHigh, std::uint8_t* __restrict secondLow,
                                      std::uint8_t* __restrict secondMiddle,
                                      std::uint8_t* __restrict secondHigh, int count) {
    for (int i = 0; i < count; ++i) {
        const std::uint8_t a = above[i], d = below[i];
        const std::uint8_t lo = smaller(upper[i], lower[i]), hi = larger(upper[i], lower[i]);
        firstLow[i] = smaller(lo, a);
        firstHigh[i] = larger(hi, a);
        firstMiddle[i] = larger(lo, smaller(hi, a));
        secondLow[i] = smaller(lo, d);
        secondHigh[i] = larger(hi, d);
        secondMiddle[i] = larger(lo, smaller(hi, d));
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

// The sorted columns are worked out a piece of the row at a time, small enough for both rows' columns to
// stay in the first-level cache between sorting and taking the medians.
constexpr int kPieceBytes = 1536;

} // namespace

bool Picture::median3x3(int firstRow, int endRow, std::uint8_t* result) const {
    const int count = width_ * 3;
    const int piece = std::min(count, kPieceBytes);
    const std::size_t widened = static_cast<std::size_t>(piece) + 6;
    std::vector<std::uint8_t> storage(widened * 6);
    std::uint8_t* sorted[6];
    for (std::size_t k = 0; k < 6; ++k)
        sorted[k] = storage.data() + widened * k;
    for (int y = firstRow; y < endRow; y += 2) {
        if (escaped())
            return false;
        const std::uint8_t* above = GetBits(std::max(y - 1, 0));
        const std::uint8_t* upper = GetBits(y);
        const std::uint8_t* lower = GetBits(std::min(y + 1, height_ - 1));
        const std::uint8_t* below = GetBits(std::min(y + 2, height_ - 1));
        std::uint8_t* out = result + stride() * static_cast<std::size_t>(y);
        for (int first = 0; first < count; first += piece) {
            const int end = std::min(first + piece, count);
            // Sorted place 3 holds channel value `first`; the three places either side come from the
            // neighbouring pixels, or repeat the edge pixel's at the ends of the row.
            const int from = std::max(first - 3, 0);
            const int to = std::min(end + 3, count);
            const std::size_t at = static_cast<std::size_t>(from - first + 3);
            sortColumnPairs(above + from, upper + from, lower + from, below + from, sorted[0] + at,
                            sorted[1] + at, sorted[2] + at, sorted[3] + at, sorted[4] + at, sorted[5] + at,
                            to - from);
            for (std::uint8_t* row : sorted) {
                if (first == 0)
                    std::memcpy(row, row + 3, 3);
                if (end == count)
                    std::memcpy(row + (end - first) + 3, row + (end - first), 3);
            }
            medianOfColumns(sorted[0], sorted[1], sorted[2], out + first, end - first);
            if (y + 1 < endRow)
                medianOfColumns(sorted[3], sorted[4], sorted[5], out + stride() + first, end - first);
        }
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
