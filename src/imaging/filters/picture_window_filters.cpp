// Picture::Erode, Dilate and Edge: minimum and maximum over a square window, computed row by row as a
// pass down the window's rows and a pass along the result, each over whole rows so that they vectorise.

#include "imaging/filters/filter_rows.h"
#include "imaging/picture.h"

namespace imaging {

namespace {

using detail::windowAfter;
using detail::windowBefore;

constexpr int kMaxWindow = 64;

// low[i] and high[i] = min and max of rows[r][i] over the window's n rows.
PV_VECTOR_CLONES void downMinMax(const std::uint8_t* const* rows, int n, int count,
                                 std::uint8_t* __restrict low, std::uint8_t* __restrict high) {
    const std::uint8_t* first = rows[0];
    const std::uint8_t* second = rows[n > 1 ? 1 : 0];
    for (int i = 0; i < count; ++i) {
        low[i] = std::min(first[i], second[i]);
        high[i] = std::max(first[i], second[i]);
    }
    for (int r = 2; r < n; ++r) {
        const std::uint8_t* row = rows[r];
        for (int i = 0; i < count; ++i) {
            low[i] = std::min(low[i], row[i]);
            high[i] = std::max(high[i], row[i]);
        }
    }
}

PV_VECTOR_CLONES void downMin(const std::uint8_t* const* rows, int n, int count,
                              std::uint8_t* __restrict low) {
    const std::uint8_t* first = rows[0];
    const std::uint8_t* second = rows[n > 1 ? 1 : 0];
    for (int i = 0; i < count; ++i)
        low[i] = std::min(first[i], second[i]);
    for (int r = 2; r < n; ++r) {
        const std::uint8_t* row = rows[r];
        for (int i = 0; i < count; ++i)
            low[i] = std::min(low[i], row[i]);
    }
}

PV_VECTOR_CLONES void downMax(const std::uint8_t* const* rows, int n, int count,
                              std::uint8_t* __restrict high) {
    const std::uint8_t* first = rows[0];
    const std::uint8_t* second = rows[n > 1 ? 1 : 0];
    for (int i = 0; i < count; ++i)
        high[i] = std::max(first[i], second[i]);
    for (int r = 2; r < n; ++r) {
        const std::uint8_t* row = rows[r];
        for (int i = 0; i < count; ++i)
            high[i] = std::max(high[i], row[i]);
    }
}

// out[i] = min of padded[i + 3c] over the window's n columns.
PV_VECTOR_CLONES void alongMin(const std::uint8_t* padded, int n, int count, std::uint8_t* __restrict out) {
    const std::uint8_t* second = padded + (n > 1 ? 3 : 0);
    for (int i = 0; i < count; ++i)
        out[i] = std::min(padded[i], second[i]);
    for (int c = 2; c < n; ++c) {
        const std::uint8_t* source = padded + 3 * c;
        for (int i = 0; i < count; ++i)
            out[i] = std::min(out[i], source[i]);
    }
}

PV_VECTOR_CLONES void alongMax(const std::uint8_t* padded, int n, int count, std::uint8_t* __restrict out) {
    const std::uint8_t* second = padded + (n > 1 ? 3 : 0);
    for (int i = 0; i < count; ++i)
        out[i] = std::max(padded[i], second[i]);
    for (int c = 2; c < n; ++c) {
        const std::uint8_t* source = padded + 3 * c;
        for (int i = 0; i < count; ++i)
            out[i] = std::max(out[i], source[i]);
    }
}

// The window of size 2, the one the filter menu uses, in a single pass over the two rows: column x − 1
// and x of each; the first pixel has no left neighbour and stands for it.
PV_VECTOR_CLONES void pairsMin(const std::uint8_t* a, const std::uint8_t* b, int count,
                               std::uint8_t* __restrict out) {
    for (int i = 0; i < 3; ++i)
        out[i] = std::min(a[i], b[i]);
    for (int i = 3; i < count; ++i)
        out[i] = std::min(std::min(a[i - 3], b[i - 3]), std::min(a[i], b[i]));
}

PV_VECTOR_CLONES void pairsMax(const std::uint8_t* a, const std::uint8_t* b, int count,
                               std::uint8_t* __restrict out) {
    for (int i = 0; i < 3; ++i)
        out[i] = std::max(a[i], b[i]);
    for (int i = 3; i < count; ++i)
        out[i] = std::max(std::max(a[i - 3], b[i - 3]), std::max(a[i], b[i]));
}

PV_VECTOR_CLONES void pairsEdge(const std::uint8_t* a, const std::uint8_t* b, int count,
                                std::uint8_t* __restrict out) {
    for (int i = 0; i < 3; ++i)
        out[i] = static_cast<std::uint8_t>(255 - (std::max(a[i], b[i]) - std::min(a[i], b[i])));
    for (int i = 3; i < count; ++i) {
        const std::uint8_t low = std::min(std::min(a[i - 3], b[i - 3]), std::min(a[i], b[i]));
        const std::uint8_t high = std::max(std::max(a[i - 3], b[i - 3]), std::max(a[i], b[i]));
        out[i] = static_cast<std::uint8_t>(255 - (high - low));
    }
}

PV_VECTOR_CLONES void edgeOfRange(const std::uint8_t* low, std::uint8_t* __restrict highInOut, int count) {
    for (int i = 0; i < count; ++i)
        highInOut[i] = static_cast<std::uint8_t>(255 - (highInOut[i] - low[i]));
}

// Repeats the first and last pixel of the row that starts `before` pixels into `row` over the margins.
void padEdges(std::uint8_t* row, int width, int before, int after) {
    std::uint8_t* first = row + static_cast<std::size_t>(before) * 3;
    std::uint8_t* last = first + static_cast<std::size_t>(width - 1) * 3;
    for (int x = 0; x < before; ++x)
        std::memcpy(row + static_cast<std::size_t>(x) * 3, first, 3);
    for (int x = 1; x <= after; ++x)
        std::memcpy(last + static_cast<std::size_t>(x) * 3, last, 3);
}

} // namespace

bool Picture::windowFilter(int n, WindowResult kind) {
    if (!IsValid() || n < 1 || n > kMaxWindow)
        return false;
    const int before = windowBefore(n);
    const int after = windowAfter(n);
    const int count = width_ * 3;
    const std::size_t paddedBytes = static_cast<std::size_t>(width_ + n - 1) * 3;
    const std::size_t margin = static_cast<std::size_t>(before) * 3;
    PixelBytes result = PixelBytes::unfilled(bits_.size());
    const bool done = detail::inBands(height_, bits_.size() / 3, [&](int firstRow, int endRow) {
        std::vector<const std::uint8_t*> rows(static_cast<std::size_t>(n));
        const bool separate = n != 2;
        std::vector<std::uint8_t> low(separate && kind != WindowResult::Maximum ? paddedBytes : 0);
        std::vector<std::uint8_t> high(separate && kind != WindowResult::Minimum ? paddedBytes : 0);
        std::vector<std::uint8_t> spare(
            separate && kind == WindowResult::Edge ? static_cast<std::size_t>(count) : 0);
        for (int y = firstRow; y < endRow; ++y) {
            if (escaped())
                return false;
            for (int r = 0; r < n; ++r)
                rows[static_cast<std::size_t>(r)] = GetBits(std::clamp(y - before + r, 0, height_ - 1));
            std::uint8_t* out = result.data() + stride() * static_cast<std::size_t>(y);
            if (!separate) {
                if (kind == WindowResult::Minimum)
                    pairsMin(rows[0], rows[1], count, out);
                else if (kind == WindowResult::Maximum)
                    pairsMax(rows[0], rows[1], count, out);
                else
                    pairsEdge(rows[0], rows[1], count, out);
                continue;
            }
            switch (kind) {
            case WindowResult::Minimum:
                downMin(rows.data(), n, count, low.data() + margin);
                padEdges(low.data(), width_, before, after);
                alongMin(low.data(), n, count, out);
                break;
            case WindowResult::Maximum:
                downMax(rows.data(), n, count, high.data() + margin);
                padEdges(high.data(), width_, before, after);
                alongMax(high.data(), n, count, out);
                break;
            case WindowResult::Edge:
                downMinMax(rows.data(), n, count, low.data() + margin, high.data() + margin);
                padEdges(low.data(), width_, before, after);
                padEdges(high.data(), width_, before, after);
                alongMin(low.data(), n, count, spare.data());
                alongMax(high.data(), n, count, out);
                edgeOfRange(spare.data(), out, count);
                break;
            }
        }
        return true;
    });
    if (!done)
        return false;
    return commit(std::move(result), width_, height_);
}

bool Picture::Erode(int n) {
    return windowFilter(n, WindowResult::Minimum);
}

bool Picture::Dilate(int n) {
    return windowFilter(n, WindowResult::Maximum);
}

bool Picture::Edge(int n) {
    return windowFilter(n, WindowResult::Edge);
}

} // namespace imaging
