#include "imaging/reduce_by_area.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace imaging {

namespace {

// Along an axis of s source and t target pixels (t ≤ s), in units of 1/t source pixel... scaled so that
// target pixel i spans [i·s, (i+1)·s) and source pixel k spans [k·t, (k+1)·t). A target pixel covers the
// source pixels first … last: the first and the last possibly in part, those between wholly (t each).
// Its weights add up to s.
struct Span {
    std::size_t first = 0;
    std::size_t last = 0;
    std::uint64_t firstWeight = 0;
    std::uint64_t lastWeight = 0; // 0 when first and last are the same pixel
};

std::vector<Span> spans(int sourceSize, int targetSize) {
    std::vector<Span> result(static_cast<std::size_t>(targetSize));
    const std::int64_t s = sourceSize;
    const std::int64_t t = targetSize;
    for (std::int64_t i = 0; i < t; ++i) {
        const std::int64_t begin = i * s;
        const std::int64_t end = begin + s;
        const std::int64_t first = begin / t;
        const std::int64_t last = (end - 1) / t;
        Span& span = result[static_cast<std::size_t>(i)];
        span.first = static_cast<std::size_t>(first);
        span.last = static_cast<std::size_t>(last);
        span.firstWeight = static_cast<std::uint64_t>(std::min((first + 1) * t, end) - begin);
        span.lastWeight = last > first ? static_cast<std::uint64_t>(end - last * t) : 0;
    }
    return result;
}

} // namespace

bool ReduceByArea(const SourceRows& rows, const SourceLayout& layout, int sourceWidth, int sourceHeight,
                  std::uint8_t* target, int targetWidth, int targetHeight) {
    if (!rows || target == nullptr || layout.bytesPerPixel <= 0 || targetWidth <= 0 || targetHeight <= 0 ||
        targetWidth > sourceWidth || targetHeight > sourceHeight)
        return false;
    const std::vector<Span> columns = spans(sourceWidth, targetWidth);
    const auto bytes = static_cast<std::size_t>(layout.bytesPerPixel);
    const std::size_t rowBytes = static_cast<std::size_t>(sourceWidth) * bytes;
    const auto whole = static_cast<std::uint64_t>(targetWidth);
    // Dividing by the area is multiplying by its inverse: exact enough for sums below 2^53, far cheaper.
    const double perArea = 1.0 / (static_cast<double>(sourceWidth) * static_cast<double>(sourceHeight));

    // Source rows summed down into the target row being made (each byte at most height × 255) and the
    // part of a row cut by its lower edge that belongs to the next one.
    std::vector<std::uint32_t> down(rowBytes), spill(rowBytes);
    const auto emit = [&](int band) {
        std::uint8_t* out =
            target + static_cast<std::size_t>(band) * static_cast<std::size_t>(targetWidth) * 3;
        for (const Span& column : columns) {
            for (std::size_t c = 0; c < 3; ++c) {
                const std::uint32_t* sum = down.data() + static_cast<std::size_t>(layout.channels[c]);
                std::uint64_t total = column.firstWeight * sum[column.first * bytes];
                if (column.last > column.first) {
                    std::uint64_t between = 0;
                    for (std::size_t x = column.first + 1; x < column.last; ++x)
                        between += sum[x * bytes];
                    total += whole * between + column.lastWeight * sum[column.last * bytes];
                }
                *out++ = static_cast<std::uint8_t>(static_cast<double>(total) * perArea + 0.5);
            }
        }
    };

    const std::int64_t s = sourceHeight;
    const std::int64_t t = targetHeight;
    int band = 0;
    for (int y = 0; y < sourceHeight; ++y) {
        const std::uint8_t* row = rows(y);
        // The row spans [y·t, (y+1)·t); the band ends at (band+1)·s.
        const std::int64_t bandEnd = std::int64_t{band + 1} * s;
        const std::int64_t rowEnd = std::int64_t{y + 1} * t;
        const auto inside = static_cast<std::uint32_t>(std::min(rowEnd, bandEnd) - std::int64_t{y} * t);
        for (std::size_t b = 0; b < rowBytes; ++b)
            down[b] += inside * row[b];
        if (rowEnd < bandEnd)
            continue;
        const auto rest = static_cast<std::uint32_t>(rowEnd - bandEnd);
        for (std::size_t b = 0; b < rowBytes; ++b)
            spill[b] = rest * row[b];
        emit(band++);
        std::swap(down, spill);
    }
    return true;
}

} // namespace imaging
