// Picture::Contour.

#include "imaging/filters/filter_rows.h"
#include "imaging/picture.h"

namespace imaging {

namespace {

using detail::PaddedRows;

PV_VECTOR_CLONES void contourRow(const std::uint8_t* const* rows, std::uint8_t* __restrict out, int count) {
    const std::uint8_t* centre = rows[1] + 3;
    for (int i = 0; i < count; ++i) {
        std::uint8_t brightest = 0;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                brightest = std::max(brightest, rows[r][i + 3 * c]);
        // The centre is in the window, so brightest ≥ centre and the difference is never negative.
        out[i] = static_cast<std::uint8_t>(255 - (brightest - centre[i]));
    }
}

} // namespace

bool Picture::Contour() {
    if (!IsValid())
        return false;
    PaddedRows padded(bits_.data(), width_, height_, 1, 1, 3);
    PixelBytes result = PixelBytes::unfilled(bits_.size());
    const std::uint8_t* rows[3];
    for (int y = 0; y < height_; ++y) {
        if (escaped())
            return false;
        for (int r = 0; r < 3; ++r)
            rows[r] = padded.row(y - 1 + r);
        contourRow(rows, result.data() + stride() * static_cast<std::size_t>(y), width_ * 3);
    }
    return commit(std::move(result), width_, height_);
}

} // namespace imaging
