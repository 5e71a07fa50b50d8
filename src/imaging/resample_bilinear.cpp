#include "imaging/resample_bilinear.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

namespace imaging {

namespace {

struct Tap {
    std::size_t first;  // the lower neighbour: a column's byte offset, or a row number
    std::size_t second; // the upper neighbour
    std::uint32_t fraction;
};

// Neighbours and fractions along one axis; `unit` is the distance between neighbours (the bytes of a
// pixel for columns, 1 for row numbers).
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

// Packed rows: channel c at byte c of each pixel, as many channels as the target has.
struct Packed {
    std::size_t bytes;
    std::size_t channels;
    std::size_t offset(std::size_t c) const { return c; }
    bool sameAsTarget() const { return bytes == channels; }
};

// Any 8-bit layout, three target channels.
struct Mapped {
    std::size_t bytes;
    std::array<int, 3> at;
    static constexpr std::size_t channels = 3;
    std::size_t offset(std::size_t c) const { return static_cast<std::size_t>(at[c]); }
    bool sameAsTarget() const { return bytes == channels && at == std::array<int, 3>{0, 1, 2}; }
};

// Rows of packed memory, one after the other.
struct Contiguous {
    const std::uint8_t* source;
    std::size_t stride;
    const std::uint8_t* operator()(std::size_t row) const { return source + row * stride; }
};

// Word is wide enough for W·H·255 plus the rounding term. `rowAt(y)` gives source row y.
template <typename Word, typename Pixel, typename Rows>
void resample(const Rows& rowAt, const Pixel& pixel, int sourceWidth, int sourceHeight, std::uint8_t* target,
              int targetWidth, int targetHeight, bool reverse) {
    const std::size_t n = pixel.channels;
    const std::size_t targetStride = static_cast<std::size_t>(targetWidth) * n;
    const std::vector<Tap> columns = taps(sourceWidth, targetWidth, pixel.bytes);
    const std::vector<Tap> rows = taps(sourceHeight, targetHeight, 1);
    const Word W = static_cast<Word>(targetWidth);
    const Word H = static_cast<Word>(targetHeight);
    const Word area = W * H;
    const Word half = area / 2;
    for (int i = 0; i < targetHeight; ++i) {
        const Tap& row = rows[static_cast<std::size_t>(i)];
        const std::uint8_t* top = rowAt(row.first);
        const std::uint8_t* bottom = rowAt(row.second);
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
                const std::size_t at = pixel.offset(c);
                const Word value = half + w00 * top[column.first + at] + w01 * top[column.second + at] +
                                   w10 * bottom[column.first + at] + w11 * bottom[column.second + at];
                out[reverse ? n - 1 - c : c] = static_cast<std::uint8_t>(value / area);
            }
            out += n;
        }
    }
}

bool sizesValid(int sourceWidth, int sourceHeight, const std::uint8_t* target, int targetWidth,
                int targetHeight) {
    return target != nullptr && sourceWidth > 0 && sourceHeight > 0 && targetWidth > 0 && targetHeight > 0;
}

// 32-bit weights suffice unless W·H·255 plus the rounding term overflows them.
bool needsWideWords(int targetWidth, int targetHeight) {
    const std::uint64_t area =
        std::uint64_t{static_cast<std::uint32_t>(targetWidth)} * static_cast<std::uint32_t>(targetHeight);
    return area * 255 + area / 2 > 0xFFFFFFFFu;
}

// Equal sizes make every fraction 0, so each target pixel is its source pixel: copy them (the batch
// converter's usual case, where the formula would cost a tenth of each conversion). Each row is asked for
// once, in order.
template <typename Pixel, typename Rows>
void copyPixels(const Rows& rowAt, const Pixel& pixel, int width, int height, std::uint8_t* target,
                bool reverse) {
    const std::size_t n = pixel.channels;
    const std::size_t targetStride = static_cast<std::size_t>(width) * n;
    for (int i = 0; i < height; ++i) {
        const std::uint8_t* in = rowAt(static_cast<std::size_t>(i));
        std::uint8_t* out = target + static_cast<std::size_t>(reverse ? height - 1 - i : i) * targetStride;
        if (!reverse && pixel.sameAsTarget()) {
            std::memcpy(out, in, targetStride);
            continue;
        }
        for (int x = 0; x < width; ++x, in += pixel.bytes, out += n) {
            for (std::size_t c = 0; c < n; ++c)
                out[reverse ? n - 1 - c : c] = in[pixel.offset(c)];
        }
    }
}

template <typename Pixel, typename Rows>
void resampleWith(const Rows& rowAt, const Pixel& pixel, int sourceWidth, int sourceHeight,
                  std::uint8_t* target, int targetWidth, int targetHeight, bool reverse) {
    if (sourceWidth == targetWidth && sourceHeight == targetHeight)
        copyPixels(rowAt, pixel, targetWidth, targetHeight, target, reverse);
    else if (needsWideWords(targetWidth, targetHeight))
        resample<std::uint64_t>(rowAt, pixel, sourceWidth, sourceHeight, target, targetWidth, targetHeight,
                                reverse);
    else
        resample<std::uint32_t>(rowAt, pixel, sourceWidth, sourceHeight, target, targetWidth, targetHeight,
                                reverse);
}

} // namespace

void ResampleBilinear(const std::uint8_t* source, int sourceWidth, int sourceHeight, std::uint8_t* target,
                      int targetWidth, int targetHeight, int channels, bool reverse) {
    if (source == nullptr || !sizesValid(sourceWidth, sourceHeight, target, targetWidth, targetHeight) ||
        channels <= 0)
        return;
    const auto n = static_cast<std::size_t>(channels);
    resampleWith(Contiguous{source, static_cast<std::size_t>(sourceWidth) * n}, Packed{n, n}, sourceWidth,
                 sourceHeight, target, targetWidth, targetHeight, reverse);
}

void ResampleBilinear(const SourceRows& rows, const SourceLayout& layout, int sourceWidth, int sourceHeight,
                      std::uint8_t* target, int targetWidth, int targetHeight, bool reverse) {
    if (!rows || !sizesValid(sourceWidth, sourceHeight, target, targetWidth, targetHeight) ||
        layout.bytesPerPixel <= 0)
        return;
    const auto rowAt = [&rows](std::size_t row) { return rows(static_cast<int>(row)); };
    resampleWith(rowAt, Mapped{static_cast<std::size_t>(layout.bytesPerPixel), layout.channels}, sourceWidth,
                 sourceHeight, target, targetWidth, targetHeight, reverse);
}

} // namespace imaging
