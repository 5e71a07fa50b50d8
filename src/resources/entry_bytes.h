#pragma once
// The byte layout of one entry of a list file or a package: all integers int32 and all floats float32,
// little-endian, no padding.

#include "imaging/codecs/raster.h"
#include "resources/resource_types.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace resources {

inline constexpr int kCountBytes = 4;
// Raw entry: width, height, then width × height × 4 bytes of B,G,R,A pixels.
inline constexpr int kRawHeaderBytes = 8;
// Encoded entry: width, height, length, [the hole, frames only], then length bytes of a picture file.
inline constexpr int kEncodedHeaderBytes = 12;
inline constexpr int kHoleBytes = 16;

std::int32_t int32At(const std::uint8_t* p);
float float32At(const std::uint8_t* p);
PhotoHole holeAt(const std::uint8_t* p);

void appendInt32(std::vector<std::uint8_t>& out, std::int32_t value);
void appendFloat32(std::vector<std::uint8_t>& out, float value);
void putInt32(std::uint8_t* p, std::int32_t value);

void appendRawEntry(std::vector<std::uint8_t>& out, const imaging::RasterImage& picture);
// The hole is written when given.
void appendEncodedEntry(std::vector<std::uint8_t>& out, int width, int height,
                        const std::optional<PhotoHole>& hole, std::span<const std::uint8_t> encoded);

} // namespace resources
