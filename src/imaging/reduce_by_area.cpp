#include "imaging/reduce_by_area.h"

#include <algorithm>
#include <utility>

namespace imaging {

AreaReducer::AreaReducer(const SourceLayout& layout, int sourceWidth, int sourceHeight, std::uint8_t* target,
                         int targetWidth, int targetHeight)
    : layout_(layout), valid_(target != nullptr && layout.bytesPerPixel > 0 && targetWidth > 0 &&
                              targetHeight > 0 && targetWidth <= sourceWidth && targetHeight <= sourceHeight),
      sourceHeight_(sourceHeight), targetHeight_(targetHeight), target_(target),
      targetStride_(static_cast<std::size_t>(std::max(targetWidth, 0)) * 3),
      targetWidth_(static_cast<std::uint64_t>(std::max(targetWidth, 0))) {
    if (!valid_)
        return;
    // Dividing by the area is multiplying by its inverse: exact enough for sums below 2^53, far cheaper.
    perArea_ = 1.0 / (static_cast<double>(sourceWidth) * static_cast<double>(sourceHeight));
    // Target column i spans [i·s, (i+1)·s) and source pixel k spans [k·t, (k+1)·t).
    const std::int64_t s = sourceWidth;
    const std::int64_t t = targetWidth;
    columns_.resize(static_cast<std::size_t>(targetWidth));
    for (std::int64_t i = 0; i < t; ++i) {
        const std::int64_t begin = i * s;
        const std::int64_t end = begin + s;
        const std::int64_t first = begin / t;
        const std::int64_t last = (end - 1) / t;
        Span& span = columns_[static_cast<std::size_t>(i)];
        span.first = static_cast<std::size_t>(first);
        span.last = static_cast<std::size_t>(last);
        span.firstWeight = static_cast<std::uint64_t>(std::min((first + 1) * t, end) - begin);
        span.lastWeight = last > first ? static_cast<std::uint64_t>(end - last * t) : 0;
    }
    const std::size_t rowBytes =
        static_cast<std::size_t>(sourceWidth) * static_cast<std::size_t>(layout.bytesPerPixel);
    down_.assign(rowBytes, 0);
    spill_.assign(rowBytes, 0);
}

void AreaReducer::addRow(const std::uint8_t* row) {
    if (!valid_ || row_ >= sourceHeight_)
        return;
    // The row spans [y·t, (y+1)·t) in the units of the rows' spans; the band being made ends at (band+1)·s.
    const std::int64_t bandEnd = std::int64_t{band_ + 1} * sourceHeight_;
    const std::int64_t rowEnd = std::int64_t{row_ + 1} * targetHeight_;
    const auto inside =
        static_cast<std::uint32_t>(std::min(rowEnd, bandEnd) - std::int64_t{row_} * targetHeight_);
    ++row_;
    const std::size_t rowBytes = down_.size();
    for (std::size_t b = 0; b < rowBytes; ++b)
        down_[b] += inside * row[b];
    if (rowEnd < bandEnd)
        return;
    const auto rest = static_cast<std::uint32_t>(rowEnd - bandEnd);
    for (std::size_t b = 0; b < rowBytes; ++b)
        spill_[b] = rest * row[b];
    emitBand();
    std::swap(down_, spill_);
}

void AreaReducer::emitBand() {
    const auto bytes = static_cast<std::size_t>(layout_.bytesPerPixel);
    std::uint8_t* out = target_ + static_cast<std::size_t>(band_++) * targetStride_;
    for (const Span& column : columns_) {
        for (std::size_t c = 0; c < 3; ++c) {
            const std::uint32_t* sum = down_.data() + static_cast<std::size_t>(layout_.channels[c]);
            std::uint64_t total = column.firstWeight * sum[column.first * bytes];
            if (column.last > column.first) {
                std::uint64_t between = 0;
                for (std::size_t x = column.first + 1; x < column.last; ++x)
                    between += sum[x * bytes];
                total += targetWidth_ * between + column.lastWeight * sum[column.last * bytes];
            }
            *out++ = static_cast<std::uint8_t>(static_cast<double>(total) * perArea_ + 0.5);
        }
    }
}

bool ReduceByArea(const SourceRows& rows, const SourceLayout& layout, int sourceWidth, int sourceHeight,
                  std::uint8_t* target, int targetWidth, int targetHeight) {
    AreaReducer reducer(layout, sourceWidth, sourceHeight, target, targetWidth, targetHeight);
    if (!rows || !reducer.valid())
        return false;
    for (int y = 0; y < sourceHeight; ++y)
        reducer.addRow(rows(y));
    return true;
}

} // namespace imaging
