#include "noise.h"

#include <cmath>

namespace starter {

namespace {

inline std::uint32_t mixed(std::uint32_t seed, std::int32_t x, std::int32_t y) {
    std::uint32_t h = seed * 0x27D4EB2Du;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

} // namespace

std::uint32_t hash3(std::uint32_t seed, std::int32_t x, std::int32_t y) { return mixed(seed, x, y); }

namespace {

inline double lattice(std::uint32_t seed, std::int32_t x, std::int32_t y) {
    return mixed(seed, x, y) * (1.0 / 4294967296.0);
}

inline double fade(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

} // namespace

double valueNoise(std::uint32_t seed, double x, double y) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const auto ix = static_cast<std::int32_t>(fx);
    const auto iy = static_cast<std::int32_t>(fy);
    const double tx = fade(x - fx);
    const double ty = fade(y - fy);
    const double top = lattice(seed, ix, iy) + (lattice(seed, ix + 1, iy) - lattice(seed, ix, iy)) * tx;
    const double bottom =
        lattice(seed, ix, iy + 1) + (lattice(seed, ix + 1, iy + 1) - lattice(seed, ix, iy + 1)) * tx;
    return top + (bottom - top) * ty;
}

double fractalNoise(std::uint32_t seed, double x, double y, int octaves) {
    double sum = 0;
    double amplitude = 1;
    double total = 0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += valueNoise(seed + static_cast<std::uint32_t>(octave) * 101u, x, y) * amplitude;
        total += amplitude;
        x = x * 2.03 + 17.1;
        y = y * 2.03 + 5.3;
        amplitude *= 0.5;
    }
    return sum / total;
}

std::uint32_t Scatter::next() {
    // splitmix64
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
}

double Scatter::unit() {
    return next() * (1.0 / 4294967296.0);
}

double Scatter::range(double low, double high) {
    return low + (high - low) * unit();
}

int Scatter::below(int count) {
    return static_cast<int>(unit() * count);
}

} // namespace starter
