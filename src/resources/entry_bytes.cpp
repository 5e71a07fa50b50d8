#include "resources/entry_bytes.h"

#include "imaging/codecs/byte_reader.h"

#include <bit>

namespace resources {

using imaging::codecs::le32;
using imaging::codecs::putLe32;

std::int32_t int32At(const std::uint8_t* p) {
    return static_cast<std::int32_t>(le32(p));
}

float float32At(const std::uint8_t* p) {
    return std::bit_cast<float>(le32(p));
}

PhotoHole holeAt(const std::uint8_t* p) {
    return {float32At(p), float32At(p + 4), float32At(p + 8), float32At(p + 12)};
}

void putInt32(std::uint8_t* p, std::int32_t value) {
    putLe32(p, static_cast<std::uint32_t>(value));
}

void appendInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
    std::uint8_t bytes[4];
    putInt32(bytes, value);
    out.insert(out.end(), bytes, bytes + 4);
}

void appendFloat32(std::vector<std::uint8_t>& out, float value) {
    appendInt32(out, std::bit_cast<std::int32_t>(value));
}

void appendRawEntry(std::vector<std::uint8_t>& out, const imaging::RasterImage& picture) {
    appendInt32(out, picture.width);
    appendInt32(out, picture.height);
    out.insert(out.end(), picture.bgra.begin(), picture.bgra.end());
}

void appendEncodedEntry(std::vector<std::uint8_t>& out, int width, int height,
                        const std::optional<PhotoHole>& hole, std::span<const std::uint8_t> encoded) {
    appendInt32(out, width);
    appendInt32(out, height);
    appendInt32(out, static_cast<std::int32_t>(encoded.size()));
    if (hole) {
        appendFloat32(out, hole->left);
        appendFloat32(out, hole->top);
        appendFloat32(out, hole->right);
        appendFloat32(out, hole->bottom);
    }
    out.insert(out.end(), encoded.begin(), encoded.end());
}

} // namespace resources
