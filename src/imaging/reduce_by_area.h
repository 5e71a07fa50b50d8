#pragma once
// Shrinking a picture by area averaging: every source pixel counts, so fine detail turns into its mean
// colour instead of aliasing into stripes and grain as point sampling does.

#include "imaging/resample_bilinear.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace imaging {

// Shrinks a source of sourceWidth × sourceHeight (the three channels placed in its rows by `layout`) to
// targetWidth × targetHeight, written as three channels per pixel, rows top first without padding. Each
// target pixel is the mean of the source rectangle it covers, a source pixel cut by its edge counting by
// the share inside, rounded to nearest. The source rows are handed in one at a time, top first, so a
// decoder can feed them as it makes them without ever holding the whole picture.
class AreaReducer {
public:
    // Nothing is ever written unless valid(): both target sides positive and no larger than the source's.
    AreaReducer(const SourceLayout& layout, int sourceWidth, int sourceHeight, std::uint8_t* target,
                int targetWidth, int targetHeight);
    bool valid() const { return valid_; }
    // The next source row; rows past the last one are ignored.
    void addRow(const std::uint8_t* row);

private:
    // Where a target column's source pixels lie: first … last, the first and the last possibly in part,
    // those between wholly. In units of 1/targetWidth of a source pixel, its weights add up to sourceWidth.
    struct Span {
        std::size_t first = 0;
        std::size_t last = 0;
        std::uint64_t firstWeight = 0;
        std::uint64_t lastWeight = 0; // 0 when first and last are the same pixel
    };
    void emitBand();

    SourceLayout layout_;
    bool valid_ = false;
    std::int64_t sourceHeight_ = 0;
    std::int64_t targetHeight_ = 0;
    std::uint8_t* target_ = nullptr;
    std::size_t targetStride_ = 0;
    std::uint64_t targetWidth_ = 0;
    double perArea_ = 0;
    std::vector<Span> columns_;
    // Source rows summed down into the target row being made (each byte at most height × 255), and the
    // part of a row cut by its lower edge that belongs to the next one.
    std::vector<std::uint32_t> down_;
    std::vector<std::uint32_t> spill_;
    int row_ = 0;
    int band_ = 0;
};

// The same reduction pulling the rows from `rows` (each asked for once, in order). False, with nothing
// written, unless both target sides are positive and no larger than the source's.
bool ReduceByArea(const SourceRows& rows, const SourceLayout& layout, int sourceWidth, int sourceHeight,
                  std::uint8_t* target, int targetWidth, int targetHeight);

} // namespace imaging
