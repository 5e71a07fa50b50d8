// Picture::Erode, Dilate and Edge: minimum and maximum over a square window, computed as a pass along
// the rows and a pass across them.

#include "imaging/filters/filter_rows.h"
#include "imaging/picture.h"

namespace imaging {

namespace {

using detail::PaddedRows;
using detail::windowAfter;
using detail::windowBefore;

constexpr int kMaxWindow = 64;

// out[i] = min or max of row[i + 3c] over the n columns of the window.
PV_VECTOR_CLONES void reduceAlong(const std::uint8_t* row, int n, int count, bool minimum,
                                  std::uint8_t* out) {
    std::copy(row, row + count, out);
    for (int c = 1; c < n; ++c) {
        const std::uint8_t* source = row + 3 * c;
        if (minimum)
            for (int i = 0; i < count; ++i)
                out[i] = std::min(out[i], source[i]);
        else
            for (int i = 0; i < count; ++i)
                out[i] = std::max(out[i], source[i]);
    }
}

PV_VECTOR_CLONES void reduceInto(const std::uint8_t* source, int count, bool minimum, std::uint8_t* out) {
    if (minimum)
        for (int i = 0; i < count; ++i)
            out[i] = std::min(out[i], source[i]);
    else
        for (int i = 0; i < count; ++i)
            out[i] = std::max(out[i], source[i]);
}

} // namespace

bool Picture::windowMinMax(int n, bool wantMin, bool wantMax, std::vector<std::uint8_t>& minimum,
                           std::vector<std::uint8_t>& maximum) const {
    const int count = width_ * 3;
    const std::size_t rowBytes = stride();
    PaddedRows padded(bits_.data(), width_, height_, windowBefore(n), windowAfter(n), 1);
    // The pass along each row first, then down the columns with clamped row numbers.
    std::vector<std::uint8_t> alongMin(wantMin ? bits_.size() : 0);
    std::vector<std::uint8_t> alongMax(wantMax ? bits_.size() : 0);
    for (int y = 0; y < height_; ++y) {
        if (escaped())
            return false;
        const std::uint8_t* row = padded.row(y);
        if (wantMin)
            reduceAlong(row, n, count, true, alongMin.data() + rowBytes * static_cast<std::size_t>(y));
        if (wantMax)
            reduceAlong(row, n, count, false, alongMax.data() + rowBytes * static_cast<std::size_t>(y));
    }
    minimum.resize(alongMin.size());
    maximum.resize(alongMax.size());
    for (int y = 0; y < height_; ++y) {
        if (escaped())
            return false;
        const std::size_t at = rowBytes * static_cast<std::size_t>(y);
        for (int r = -windowBefore(n); r <= windowAfter(n); ++r) {
            const std::size_t from = rowBytes * static_cast<std::size_t>(std::clamp(y + r, 0, height_ - 1));
            const bool first = r == -windowBefore(n);
            if (wantMin) {
                if (first)
                    std::copy_n(alongMin.data() + from, count, minimum.data() + at);
                else
                    reduceInto(alongMin.data() + from, count, true, minimum.data() + at);
            }
            if (wantMax) {
                if (first)
                    std::copy_n(alongMax.data() + from, count, maximum.data() + at);
                else
                    reduceInto(alongMax.data() + from, count, false, maximum.data() + at);
            }
        }
    }
    return true;
}

bool Picture::Erode(int n) {
    std::vector<std::uint8_t> minimum, unused;
    if (!IsValid() || n < 1 || n > kMaxWindow || !windowMinMax(n, true, false, minimum, unused))
        return false;
    return commit(std::move(minimum), width_, height_);
}

bool Picture::Dilate(int n) {
    std::vector<std::uint8_t> unused, maximum;
    if (!IsValid() || n < 1 || n > kMaxWindow || !windowMinMax(n, false, true, unused, maximum))
        return false;
    return commit(std::move(maximum), width_, height_);
}

bool Picture::Edge(int n) {
    std::vector<std::uint8_t> minimum, maximum;
    if (!IsValid() || n < 1 || n > kMaxWindow || !windowMinMax(n, true, true, minimum, maximum))
        return false;
    for (std::size_t i = 0; i < minimum.size(); ++i)
        minimum[i] = static_cast<std::uint8_t>(255 - (maximum[i] - minimum[i]));
    return commit(std::move(minimum), width_, height_);
}

} // namespace imaging
