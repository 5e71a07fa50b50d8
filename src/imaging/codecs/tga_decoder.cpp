// Reading Truevision TGA pictures: colour-mapped, grey and true colour, raw or RLE, any origin corner.

#include "imaging/codecs/byte_reader.h"
#include "imaging/codecs/raster_util.h"
#include "imaging/codecs/tga_codec.h"

namespace imaging::codecs {
namespace {

constexpr std::size_t kHeaderSize = 18;

DecodeResult fail(CodecError e, const char* why) {
    return DecodeResult::failure(e, why);
}

// A 15/16-bit value A RRRRR GGGGG BBBBB; the attribute bit is alpha only when the header says so.
Bgra from16(std::uint16_t v, bool alphaBit) {
    return {scaleTo8(v & 31, 31), scaleTo8((v >> 5) & 31, 31), scaleTo8((v >> 10) & 31, 31),
            static_cast<std::uint8_t>(alphaBit ? ((v & 0x8000) ? 255 : 0) : 255)};
}

// Turns the stored bytes of one pixel (or colour-map entry) into a colour.
Bgra colourOf(const std::uint8_t* p, int depth, bool alphaBit) {
    switch (depth) {
    case 15:
    case 16:
        return from16(le16(p), alphaBit);
    case 24:
        return {p[0], p[1], p[2], 255};
    default:
        return {p[0], p[1], p[2], p[3]};
    }
}

} // namespace

DecodeResult decodeTga(std::span<const std::uint8_t> file) {
    if (file.size() < kHeaderSize)
        return fail(CodecError::NotThisFormat, "too short for a TGA header");
    const std::uint8_t* h = file.data();
    const unsigned idLength = h[0], mapType = h[1], type = h[2];
    const unsigned mapFirst = le16(h + 3), mapLength = le16(h + 5), mapDepth = h[7];
    const std::int64_t width = le16(h + 12), height = le16(h + 14);
    const int depth = h[16];
    const unsigned descriptor = h[17];
    const bool rle = type >= 9;
    const unsigned baseType = rle ? type - 8 : type;

    // TGA has no signature: the header's fields have to make sense together.
    if (mapType > 1 || (baseType != 1 && baseType != 2 && baseType != 3) || (type > 3 && type < 9) ||
        type > 11)
        return fail(CodecError::NotThisFormat, "not a TGA header");
    if (baseType == 1 && (mapType != 1 || depth != 8))
        return fail(CodecError::NotThisFormat, "colour-mapped TGA without an 8-bit index and map");
    if (baseType == 2 && depth != 15 && depth != 16 && depth != 24 && depth != 32)
        return fail(CodecError::NotThisFormat, "impossible TGA pixel depth");
    if (baseType == 3 && depth != 8)
        return fail(depth == 16 ? CodecError::Unsupported : CodecError::NotThisFormat,
                    "grey TGA other than 8 bits");
    if (mapType == 1 && mapDepth != 15 && mapDepth != 16 && mapDepth != 24 && mapDepth != 32)
        return fail(CodecError::NotThisFormat, "impossible TGA colour-map depth");
    if (!pixelCountAcceptable(width, height))
        return sizeFailure(width, height);

    const unsigned alphaBits = descriptor & 15;
    std::size_t pos = kHeaderSize + idLength;
    std::vector<Bgra> map;
    if (mapType == 1) {
        const std::size_t entrySize = (mapDepth + 7) / 8;
        if (!fitsIn(file.size(), pos, static_cast<std::uint64_t>(mapLength) * entrySize))
            return fail(CodecError::Truncated, "truncated TGA colour map");
        map.resize(mapLength);
        for (unsigned i = 0; i < mapLength; ++i)
            map[i] = colourOf(file.data() + pos + i * entrySize, static_cast<int>(mapDepth),
                              mapDepth == 16 && alphaBits == 1);
        pos += mapLength * entrySize;
    }

    const std::size_t bytesPerPixel = (static_cast<std::size_t>(depth) + 7) / 8;
    const auto pixelCount = static_cast<std::size_t>(width * height);
    if (!rle && !fitsIn(file.size(), pos, pixelCount * bytesPerPixel))
        return fail(CodecError::Truncated, "truncated TGA pixel data");
    // A packet of at least two bytes yields at most 128 pixels: refuse files far too short before allocating.
    if (pos >= file.size() || (rle && pixelCount / 128 > (file.size() - pos) / 2))
        return fail(CodecError::Truncated, "truncated TGA pixel data");

    auto image = allocateRaster(width, height);
    if (!image)
        return sizeFailure(width, height);
    const bool alphaBit = depth == 16 && alphaBits == 1;
    auto decodePixel = [&](const std::uint8_t* p) -> Bgra {
        if (baseType == 1) {
            const unsigned index = p[0];
            return index >= mapFirst && index - mapFirst < map.size() ? map[index - mapFirst] : Bgra{};
        }
        if (baseType == 3)
            return {p[0], p[0], p[0], 255};
        return colourOf(p, depth, alphaBit);
    };
    const bool rightToLeft = descriptor & 0x10, topDown = descriptor & 0x20;
    auto store = [&](std::size_t index, Bgra c) {
        const auto sy = static_cast<int>(index / static_cast<std::size_t>(width));
        const auto sx = static_cast<int>(index % static_cast<std::size_t>(width));
        const int y = topDown ? sy : image->height - 1 - sy;
        const int x = rightToLeft ? image->width - 1 - sx : sx;
        putPixel(image->row(y) + static_cast<std::size_t>(x) * 4, c);
    };

    if (!rle) {
        for (std::size_t i = 0; i < pixelCount; ++i)
            store(i, decodePixel(file.data() + pos + i * bytesPerPixel));
    } else {
        // Packets may run across rows; each one yields at least one pixel, so the loop is bounded.
        std::size_t i = 0;
        while (i < pixelCount) {
            if (pos >= file.size())
                return fail(CodecError::Truncated, "truncated TGA RLE data");
            const unsigned packet = file[pos++];
            const std::size_t count = std::min<std::size_t>((packet & 0x7F) + 1, pixelCount - i);
            if (packet & 0x80) {
                if (!fitsIn(file.size(), pos, bytesPerPixel))
                    return fail(CodecError::Truncated, "truncated TGA RLE data");
                const Bgra c = decodePixel(file.data() + pos);
                pos += bytesPerPixel;
                for (std::size_t k = 0; k < count; ++k)
                    store(i++, c);
            } else {
                if (!fitsIn(file.size(), pos, count * bytesPerPixel))
                    return fail(CodecError::Truncated, "truncated TGA RLE data");
                for (std::size_t k = 0; k < count; ++k, pos += bytesPerPixel)
                    store(i++, decodePixel(file.data() + pos));
            }
        }
    }
    if (depth == 32 || alphaBit || (baseType == 1 && (mapDepth == 32 || (mapDepth == 16 && alphaBits == 1))))
        settleAlpha(*image);
    return {std::move(*image), CodecError::None, {}};
}

} // namespace imaging::codecs
