#include "imaging/filters/pixel_difference.h"

#include "imaging/filters/filter_rows.h"

namespace imaging::detail {

namespace {

// clamp(a − b + offset) without widening: with m = min(a, b) one of a − m and b − m is zero, so adding the
// first to the offset (up to 255) and taking the second away (down to 0) saturates exactly as the clamp does.
PV_VECTOR_CLONES void differenceBytes(const std::uint8_t* plus, const std::uint8_t* minus,
                                      std::uint8_t offset, std::uint8_t* __restrict out, int count) {
    const std::uint8_t headroom = static_cast<std::uint8_t>(255 - offset);
    for (int i = 0; i < count; ++i) {
        const std::uint8_t a = plus[i], b = minus[i];
        const std::uint8_t common = a < b ? a : b;
        const std::uint8_t up = static_cast<std::uint8_t>(a - common);
        const std::uint8_t down = static_cast<std::uint8_t>(b - common);
        const std::uint8_t raised = static_cast<std::uint8_t>(offset + (up < headroom ? up : headroom));
        out[i] = static_cast<std::uint8_t>(raised - (down < raised ? down : raised));
    }
}

} // namespace

std::optional<PixelDifference> asPixelDifference(const int* kernel, int size, int divisor, int offset) {
    if ((divisor != 0 && divisor != 1 && divisor != -1) || offset < 0 || offset > 255)
        return std::nullopt;
    int plus = -1, minus = -1;
    for (int i = 0; i < size * size; ++i) {
        const int weight = divisor == -1 ? -kernel[i] : kernel[i];
        if (weight == 1 && plus < 0)
            plus = i;
        else if (weight == -1 && minus < 0)
            minus = i;
        else if (weight != 0)
            return std::nullopt;
    }
    if (plus < 0 || minus < 0)
        return std::nullopt;
    const int half = size / 2;
    return PixelDifference{plus % size - half, plus / size - half, minus % size - half, minus / size - half,
                           static_cast<std::uint8_t>(offset)};
}

void pixelDifferenceRow(const PixelDifference& difference, const std::uint8_t* bits, int width, int height,
                        int y, std::uint8_t* out) {
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    const std::uint8_t* plusRow =
        bits + stride * static_cast<std::size_t>(std::clamp(y + difference.plusY, 0, height - 1));
    const std::uint8_t* minusRow =
        bits + stride * static_cast<std::size_t>(std::clamp(y + difference.minusY, 0, height - 1));
    // Columns whose two pixels both lie inside the row go through the vector loop; the few at the ends read
    // clamped columns.
    const int first = std::min(width, std::max({0, -difference.plusX, -difference.minusX}));
    const int end = std::max(first, width - std::max({0, difference.plusX, difference.minusX}));
    if (end > first)
        differenceBytes(plusRow + static_cast<std::ptrdiff_t>(first + difference.plusX) * 3,
                        minusRow + static_cast<std::ptrdiff_t>(first + difference.minusX) * 3,
                        difference.offset, out + static_cast<std::size_t>(first) * 3, (end - first) * 3);
    auto edgePixel = [&](int x) {
        const std::uint8_t* a =
            plusRow + static_cast<std::size_t>(std::clamp(x + difference.plusX, 0, width - 1)) * 3;
        const std::uint8_t* b =
            minusRow + static_cast<std::size_t>(std::clamp(x + difference.minusX, 0, width - 1)) * 3;
        for (int c = 0; c < 3; ++c)
            out[static_cast<std::size_t>(x) * 3 + c] =
                static_cast<std::uint8_t>(std::clamp(a[c] - b[c] + difference.offset, 0, 255));
    };
    for (int x = 0; x < first; ++x)
        edgePixel(x);
    for (int x = end; x < width; ++x)
        edgePixel(x);
}

} // namespace imaging::detail
