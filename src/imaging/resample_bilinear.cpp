#include "imaging/resample_bilinear.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace imaging {

namespace {

struct Tap {
    std::size_t first;  // offset of the lower neighbour (row or column start, in bytes)
    std::size_t second; // offset of the upper neighbour
    std::uint32_t fraction;
};

// Offsets and fractions along one axis; `unit` is the byte distance between neighbours.
std::vector<Tap> taps(int sourceSize, int targetSize, std::size_t unit) {
    std::vector<Tap> result(static_cast<std::size_t>(targetSize));
    for (int i = 0; i < targetSize; ++i) {
        const std::int64_t scaled = std::int64_t{i} * sourceSize;
        const auto lower = static_cast<std::size_t>(scaled / targetSize);
        const auto fraction = static_cast<std::uint32_t>(scaled % targetSize);
        const std::size_t upper =
            fraction != 0 ? std::min(lower + 1, static_cast<std::size_t>(sourceSize - 1)) : lower;
        result[static_cast<std::size_t>(i)] = {lower * unit, upper * unit, fraction};
    }
    return result;
}

// Word is wide enough for W·H·255 plus the rounding term.
template <typename Word>
void resample(const std::uint8_t* source, int sourceWidth, int sourceHeight, std::uint8_t* target,
              int targetWidth, int targetHeight, int channels, bool reverse) {
    const auto n = static_cast<std::size_t>(channels);
    const std::size_t sourceStride = static_cast<std::size_t>(sourceWidth) * n;
    const std::size_t targetStride = static_cast<std::size_t>(targetWidth) * n;
    const std::vector<Tap> columns = taps(sourceWidth, targetWidth, n);
    const std::vector<Tap> rows = taps(sourceHeight, targetHeight, sourceStride);
    const Word W = static_cast<Word>(targetWidth);
    const Word H = static_cast<Word>(targetHeight);
    const Word area = W * H;
    const Word half = area / 2;
    for (int i = 0; i < targetHeight; ++i) {
        const Tap& row = rows[static_cast<std::size_t>(i)];
        const std::uint8_t* top = source + row.first;
        const std::uint8_t* bottom = source + row.second;
        const Word fy = row.fraction;
        std::uint8_t* out =
            target + static_cast<std::size_t>(reverse ? targetHeight - 1 - i : i) * targetStride;
        for (const Tap& column : columns) {
            const Word fx = column.fraction;
            const Word w00 = (W - fx) * (H - fy);
            const Word w01 = fx * (H - fy);
            const Word w10 = (W - fx) * fy;
            const Word w11 = fx * fy;
            for (std::size_t c = 0; c < n; ++c) {
                const Word value = half + w00 * top[column.first + c] + w01 * top[column.second + c] +
                                   w10 * bottom[column.first + c] + w11 * bottom[column.second + c];
                out[reverse ? n - 1 - c : c] = static_cast<std::uint8_t>(value / area);
            }
            out += n;
        }
    }
}

} // namespace

void ResampleBilinear(const std::uint8_t* source, int sourceWidth, int sourceHeight, std::uint8_t* target,
                      int targetWidth, int targetHeight, int channels, bool reverse) {
    if (source == nullptr || target == nullptr || sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 ||
        targetHeight <= 0 || channels <= 0)
        return;
    const std::uint64_t area =
        std::uint64_t{static_cast<std::uint32_t>(targetWidth)} * static_cast<std::uint32_t>(targetHeight);
    if (area * 255 + area / 2 <= 0xFFFFFFFFu)
        resample<std::uint32_t>(source, sourceWidth, sourceHeight, target, targetWidth, targetHeight,
                                channels, reverse);
    else
        resample<std::uint64_t>(source, sourceWidth, sourceHeight, target, targetWidth, targetHeight,
                                channels, reverse);
}

} // namespace imaging
