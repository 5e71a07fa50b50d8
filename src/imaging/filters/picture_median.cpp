// Picture::Median.

#include "imaging/filters/filter_rows.h"
#include "imaging/picture.h"

namespace imaging {

namespace {

using detail::PaddedRows;
using detail::windowAfter;
using detail::windowBefore;

constexpr int kMaxMedianSize = 15;

std::uint8_t median3(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
    return std::max(std::min(a, b), std::min(std::max(a, b), c));
}

// The 3 × 3 median of each channel value: every column of three is sorted once, then the median of
// nine is the median of (largest low, median of middles, smallest high) of three neighbouring columns.
PV_VECTOR_CLONES void median3x3Row(const std::uint8_t* above, const std::uint8_t* centre,
                                   const std::uint8_t* below, std::uint8_t* __restrict low,
                                   std::uint8_t* __restrict middle, std::uint8_t* __restrict high,
                                   std::uint8_t* __restrict out, int count) {
    const int columns = count + 6;
    for (int i = 0; i < columns; ++i) {
        const std::uint8_t a = above[i], b = centre[i], c = below[i];
        const std::uint8_t lo = std::min(a, b), hi = std::max(a, b);
        low[i] = std::min(lo, c);
        high[i] = std::max(hi, c);
        middle[i] = std::max(lo, std::min(hi, c));
    }
    for (int i = 0; i < count; ++i) {
        const std::uint8_t largestLow = std::max(std::max(low[i], low[i + 3]), low[i + 6]);
        const std::uint8_t smallestHigh = std::min(std::min(high[i], high[i + 3]), high[i + 6]);
        const std::uint8_t middleMedian = median3(middle[i], middle[i + 3], middle[i + 6]);
        out[i] = median3(largestLow, middleMedian, smallestHigh);
    }
}

} // namespace

bool Picture::Median(int size) {
    if (!IsValid() || size < 1 || size > kMaxMedianSize)
        return false;
    const int before = windowBefore(size);
    const int after = windowAfter(size);
    const int count = width_ * 3;
    std::vector<std::uint8_t> result(bits_.size());
    const bool done = detail::inBands(height_, bits_.size() / 3, [&](int firstRow, int endRow) {
        PaddedRows padded(bits_.data(), width_, height_, before, after, size);
        std::vector<std::uint8_t> low(static_cast<std::size_t>(count) + 6), middle(low.size()),
            high(low.size());
        std::vector<std::uint8_t> window(static_cast<std::size_t>(size * size));
        std::vector<const std::uint8_t*> rows(static_cast<std::size_t>(size));
        for (int y = firstRow; y < endRow; ++y) {
            if (escaped())
                return false;
            for (int r = 0; r < size; ++r)
                rows[static_cast<std::size_t>(r)] = padded.row(y - before + r);
            std::uint8_t* out = result.data() + stride() * static_cast<std::size_t>(y);
            if (size == 3) {
                median3x3Row(rows[0], rows[1], rows[2], low.data(), middle.data(), high.data(), out, count);
                continue;
            }
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
