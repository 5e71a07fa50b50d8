#pragma once

#include <cstdint>

namespace imaging {

struct FittedSize {
    int width = 0;
    int height = 0;
    bool operator==(const FittedSize&) const = default;
};

// Fits w × h into the box W × H keeping the aspect. 0 × 0 when any of the four is 0. A size that already
// fits is returned unchanged unless `always` is set, in which case it is scaled up or down to the box.
// The side that touches the box is decided in floating point, the other side by integer division.
inline FittedSize FitSize(int boxWidth, int boxHeight, int width, int height, bool always) {
    if (boxWidth == 0 || boxHeight == 0 || width == 0 || height == 0)
        return {};
    if (width <= boxWidth && height <= boxHeight && !always)
        return {width, height};
    if (static_cast<double>(boxWidth) / boxHeight < static_cast<double>(width) / height)
        return {boxWidth, static_cast<int>(std::int64_t{height} * boxWidth / width)};
    return {static_cast<int>(std::int64_t{width} * boxHeight / height), boxHeight};
}

} // namespace imaging
