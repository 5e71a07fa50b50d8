#pragma once
// Bounds-checked little- and big-endian reads over a byte span, shared by the codecs.

#include <cstddef>
#include <cstdint>
#include <span>

namespace imaging::codecs {

// True when [offset, offset + length) lies inside a span of `size` bytes (no overflow possible).
constexpr bool fitsIn(std::size_t size, std::uint64_t offset, std::uint64_t length) {
    return offset <= size && length <= size - offset;
}

inline std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::int16_t le16s(const std::uint8_t* p) {
    return static_cast<std::int16_t>(le16(p));
}
inline std::int32_t le32s(const std::uint8_t* p) {
    return static_cast<std::int32_t>(le32(p));
}
inline std::uint16_t be16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

inline void putLe16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void putLe32(std::uint8_t* p, std::uint32_t v) {
    putLe16(p, v);
    putLe16(p + 2, v >> 16);
}

} // namespace imaging::codecs
