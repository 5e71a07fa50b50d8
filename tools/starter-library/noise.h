#pragma once
// Seeded value noise for the starter art. Hash based and free of library random engines, so every build
// on every machine draws the same grain, fibres and scatter.

#include <cstdint>

namespace starter {

// A well-mixed 32-bit hash of a seed and two lattice coordinates.
std::uint32_t hash3(std::uint32_t seed, std::int32_t x, std::int32_t y);

// Smooth value noise in [0, 1] at a point, with lattice spacing 1.
double valueNoise(std::uint32_t seed, double x, double y);

// Fractal sum of `octaves` layers of value noise, each of double frequency and half amplitude; in [0, 1].
double fractalNoise(std::uint32_t seed, double x, double y, int octaves);

// A reproducible sequence of numbers for scattering shapes.
class Scatter {
public:
    explicit Scatter(std::uint32_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    std::uint32_t next();
    double unit();                         // [0, 1)
    double range(double low, double high); // [low, high)
    int below(int count);                  // 0 .. count - 1

private:
    std::uint64_t state_;
};

} // namespace starter
