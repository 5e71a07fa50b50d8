// Picture::Noise and Jitter.

#include "imaging/picture.h"

#include <algorithm>
#include <cstring>

namespace imaging {

namespace {

constexpr int kMaxJitterRadius = 1000;

// SplitMix64: small, fast and good enough for visual noise.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number from low to high, both included.
    int between(int low, int high) {
        return low + static_cast<int>(next() % static_cast<std::uint64_t>(high - low + 1));
    }

private:
    std::uint64_t state_;
};

} // namespace

bool Picture::Noise(int level) {
    if (!IsValid() || level < 0)
        return false;
    Random random(randomSeed_++);
    PixelBytes result = PixelBytes::unfilled(bits_.size());
    std::copy_n(bits_.data(), bits_.size(), result.data());
    for (int y = 0; y < height_; ++y) {
        if (escaped())
            return false;
        std::uint8_t* pixel = result.data() + stride() * static_cast<std::size_t>(y);
        for (int x = 0; x < width_; ++x, pixel += 3) {
            const int change = random.between(-level / 2, level / 2);
            for (int c = 0; c < 3; ++c)
                pixel[c] = static_cast<std::uint8_t>(std::clamp(pixel[c] + change, 0, 255));
        }
    }
    return commit(std::move(result), width_, height_);
}

bool Picture::Jitter(int radius) {
    if (!IsValid() || radius < 0 || radius > kMaxJitterRadius)
        return false;
    Random random(randomSeed_++);
    PixelBytes result = PixelBytes::unfilled(bits_.size());
    for (int y = 0; y < height_; ++y) {
        if (escaped())
            return false;
        std::uint8_t* target = result.data() + stride() * static_cast<std::size_t>(y);
        for (int x = 0; x < width_; ++x, target += 3) {
            const int sourceX = std::clamp(x + random.between(-radius, radius), 0, width_ - 1);
            const int sourceY = std::clamp(y + random.between(-radius, radius), 0, height_ - 1);
            std::memcpy(target, GetBits(sourceY) + static_cast<std::size_t>(sourceX) * 3, 3);
        }
    }
    return commit(std::move(result), width_, height_);
}

} // namespace imaging
