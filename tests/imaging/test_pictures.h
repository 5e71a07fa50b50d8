#pragma once
// Pictures made for the imaging tests.

#include "imaging/codecs/raster.h"
#include "imaging/photo_buffer.h"

#include <QImage>
#include <QString>
#include <cstdint>
#include <span>
#include <vector>

namespace imaging_test {

// Smooth, and different enough everywhere to catch swapped rows, columns or channels: red grows to the
// right, green downwards, blue falls with both.
QImage gradient(int width, int height);
// The same as a RasterImage (alpha 255) and as B,G,R rows, top row first.
imaging::RasterImage gradientRaster(int width, int height);
std::vector<std::uint8_t> gradientBgr(int width, int height);

// A bitmap memory block: 40-byte info header (positive height, 24 bits) and the rows as given
// (width a multiple of 4, so no padding is needed).
std::vector<std::uint8_t> dibBlock(std::span<const std::uint8_t> bgr, int width, int height);

// Pseudo-random bytes, the same for the same seed.
std::vector<std::uint8_t> noiseBytes(std::size_t count, std::uint32_t seed);

// The largest difference between two equally long byte sequences.
int maxDifference(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b);

// The mean absolute difference, for lossy formats.
double meanDifference(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b);

// The picture as a TGA file (Qt cannot write TGA).
std::vector<std::uint8_t> tgaOf(const QImage& image);

std::vector<std::uint8_t> readBytes(const QString& path);
bool writeBytes(const QString& path, std::span<const std::uint8_t> bytes);

} // namespace imaging_test
