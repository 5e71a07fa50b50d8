// Reading Windows and OS/2 bitmaps: the file header, the info header variants, palettes, bit fields,
// uncompressed rows and RLE4/RLE8.

#include "imaging/codecs/bmp_codec.h"
#include "imaging/codecs/byte_reader.h"
#include "imaging/codecs/raster_util.h"

#include <array>
#include <bit>

namespace imaging::codecs {
namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3, kJpeg = 4, kPng = 5,
                        kAlphaBitfields = 6;

struct Mask {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    Mask() = default;
    explicit Mask(std::uint32_t m) : mask(m) {
        if (m != 0) {
            shift = std::countr_zero(m);
            bits = std::bit_width(m >> shift);
        }
    }
    std::uint8_t extract(std::uint32_t pixel, std::uint8_t whenAbsent) const {
        if (mask == 0)
            return whenAbsent;
        const std::uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8)
            return static_cast<std::uint8_t>(v >> (bits - 8));
        return scaleTo8(v, (1u << bits) - 1);
    }
};

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0; // positive; topDown says the row order
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t colorsUsed = 0;
    std::size_t headerSize = 0;
    bool core = false; // OS/2 1.x: 3-byte palette entries, 16-bit sizes
    bool os2v2 = false;
    std::array<Mask, 4> masks{}; // red, green, blue, alpha
    bool hasMasks = false;
};

DecodeResult fail(CodecError e, const char* why) {
    return DecodeResult::failure(e, why);
}

// Reads the info header at `p` (size already checked against the bytes present).
std::optional<DecodeResult> readHeader(std::span<const std::uint8_t> dib, Header& h) {
    if (dib.size() < 4)
        return fail(CodecError::Truncated, "truncated bitmap header");
    h.headerSize = le32(dib.data());
    const auto size = h.headerSize;
    if (size != 12 && (size < 16 || size > 124))
        return fail(CodecError::NotThisFormat, "unknown bitmap header size");
    if (dib.size() < size)
        return fail(CodecError::Truncated, "truncated bitmap header");
    const std::uint8_t* p = dib.data();
    if (size == 12) {
        h.core = true;
        h.width = le16(p + 4);
        h.height = le16(p + 6);
        h.bitCount = le16(p + 10);
    } else {
        h.width = le32s(p + 4);
        const std::int64_t height = le32s(p + 8);
        h.topDown = height < 0;
        h.height = height < 0 ? -height : height;
        h.bitCount = le16(p + 14);
        if (size >= 20)
            h.compression = le32(p + 16);
        if (size >= 36)
            h.colorsUsed = le32(p + 32);
        h.os2v2 = size != 40 && size != 52 && size != 56 && size != 108 && size != 124;
    }
    if (h.core || h.os2v2) {
        // OS/2 2.x compression 3 is Huffman 1D and 4 is RLE24, not bit fields or JPEG.
        if (h.compression == 3 || h.compression == 4)
            return fail(CodecError::Unsupported, "OS/2 Huffman or RLE24 compression");
    }
    if (h.compression == kJpeg || h.compression == kPng)
        return fail(CodecError::Unsupported, "embedded JPEG or PNG bitmap");
    if (h.compression > kAlphaBitfields)
        return fail(CodecError::Corrupt, "unknown bitmap compression");
    switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return fail(CodecError::Corrupt, "impossible bit count");
    }
    if ((h.compression == kRle8 && h.bitCount != 8) || (h.compression == kRle4 && h.bitCount != 4))
        return fail(CodecError::Corrupt, "RLE compression with the wrong bit count");
    if ((h.compression == kBitfields || h.compression == kAlphaBitfields) && h.bitCount != 16 &&
        h.bitCount != 32)
        return fail(CodecError::Corrupt, "bit fields need 16 or 32 bits");
    return std::nullopt;
}

// Default masks of uncompressed 16- and 32-bit rows; 32-bit rows carry alpha in the fourth byte.
void defaultMasks(Header& h) {
    if (h.bitCount == 16)
        h.masks = {Mask(0x7C00), Mask(0x03E0), Mask(0x001F), Mask(0)};
    else
        h.masks = {Mask(0xFF0000), Mask(0xFF00), Mask(0xFF), Mask(0xFF000000u)};
}

class RowWriter {
public:
    RowWriter(RasterImage& image, bool topDown) : image_(image), topDown_(topDown) {}
    // Row `stored` counts in file order.
    std::uint8_t* row(std::int64_t stored) {
        return image_.row(static_cast<int>(topDown_ ? stored : image_.height - 1 - stored));
    }

private:
    RasterImage& image_;
    bool topDown_;
};

std::uint64_t rowStride(const Header& h) {
    return ((static_cast<std::uint64_t>(h.width) * h.bitCount + 31) / 32) * 4;
}

// Uncompressed rows must all be present; only the last row's padding may be missing.
bool rowsPresent(const Header& h, std::size_t available) {
    const std::uint64_t lastRow = (static_cast<std::uint64_t>(h.width) * h.bitCount + 7) / 8;
    return fitsIn(available, 0, rowStride(h) * static_cast<std::uint64_t>(h.height - 1) + lastRow);
}

// Rows already checked with rowsPresent.
void decodeUncompressed(const Header& h, std::span<const std::uint8_t> bits, const std::vector<Bgra>& palette,
                        RasterImage& image) {
    const std::uint64_t stride = rowStride(h);
    RowWriter rows(image, h.topDown);
    const Bgra black{0, 0, 0, 255};
    for (std::int64_t y = 0; y < h.height; ++y) {
        const std::uint8_t* src = bits.data() + stride * y;
        std::uint8_t* dst = rows.row(y);
        for (std::int64_t x = 0; x < h.width; ++x, dst += 4) {
            switch (h.bitCount) {
            case 1:
            case 4:
            case 8: {
                const auto bitPos = static_cast<std::uint64_t>(x) * h.bitCount;
                const int shift = 8 - h.bitCount - static_cast<int>(bitPos % 8);
                const unsigned index = (src[bitPos / 8] >> shift) & ((1u << h.bitCount) - 1);
                putPixel(dst, index < palette.size() ? palette[index] : black);
                break;
            }
            case 24:
                putPixel(dst, {src[x * 3], src[x * 3 + 1], src[x * 3 + 2], 255});
                break;
            default: {
                const std::uint32_t v = h.bitCount == 16 ? le16(src + x * 2) : le32(src + x * 4);
                putPixel(dst, {h.masks[2].extract(v, 0), h.masks[1].extract(v, 0), h.masks[0].extract(v, 0),
                               h.masks[3].extract(v, 255)});
            }
            }
        }
    }
}

// RLE4/RLE8: every loop turn consumes at least two bytes, so the loop ends with the data.
void decodeRle(const Header& h, std::span<const std::uint8_t> bits, const std::vector<Bgra>& palette,
               RasterImage& image) {
    const Bgra black{0, 0, 0, 255};
    const Bgra background = palette.empty() ? black : palette[0];
    for (std::size_t i = 3; i < image.bgra.size(); i += 4)
        putPixel(image.bgra.data() + i - 3, background);
    auto colour = [&](unsigned index) { return index < palette.size() ? palette[index] : black; };
    RowWriter rows(image, h.topDown);
    const bool four = h.compression == kRle4;
    std::int64_t x = 0, y = 0;
    std::size_t pos = 0;
    auto put = [&](unsigned index) {
        if (x < h.width && y < h.height)
            putPixel(rows.row(y) + x * 4, colour(index));
        ++x;
    };
    while (pos + 2 <= bits.size() && y < h.height) {
        const unsigned count = bits[pos], value = bits[pos + 1];
        pos += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count && x < h.width; ++i)
                put(four ? ((i % 2 == 0) ? value >> 4 : value & 15) : value);
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++y;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // delta
            if (pos + 2 > bits.size())
                break;
            x += bits[pos];
            y += bits[pos + 1];
            pos += 2;
        } else { // absolute run of `value` pixels, padded to a 16-bit boundary
            const std::size_t bytes = four ? (value + 1) / 2 : value;
            if (pos + bytes > bits.size())
                break;
            for (unsigned i = 0; i < value; ++i) {
                const std::uint8_t b = bits[pos + (four ? i / 2 : i)];
                put(four ? ((i % 2 == 0) ? b >> 4 : b & 15) : b);
            }
            pos += bytes + (bytes & 1);
        }
    }
}

// `dib` starts with the info header; `pixelOffset` (from the file header, relative to `dib`) is used
// when it is plausible; `bitsOverride` gives the rows separately (metafile records keep them apart).
DecodeResult decodeInfo(std::span<const std::uint8_t> dib, std::optional<std::uint64_t> pixelOffset,
                        std::optional<std::span<const std::uint8_t>> bitsOverride) {
    Header h;
    if (auto failure = readHeader(dib, h))
        return std::move(*failure);
    if (!pixelCountAcceptable(h.width, h.height))
        return sizeFailure(h.width, h.height);

    std::size_t pos = h.headerSize;
    if (h.bitCount >= 16)
        defaultMasks(h);
    if (h.compression == kBitfields || h.compression == kAlphaBitfields) {
        if (h.headerSize >= 52) { // V2 and later headers hold the masks themselves
            const std::uint8_t* m = dib.data() + 40;
            h.masks = {Mask(le32(m)), Mask(le32(m + 4)), Mask(le32(m + 8)),
                       Mask(h.headerSize >= 56 ? le32(m + 12) : 0)};
        } else {
            const std::size_t count = h.compression == kAlphaBitfields ? 4 : 3;
            if (!fitsIn(dib.size(), pos, count * 4))
                return fail(CodecError::Truncated, "truncated bit field masks");
            const std::uint8_t* m = dib.data() + pos;
            h.masks = {Mask(le32(m)), Mask(le32(m + 4)), Mask(le32(m + 8)),
                       Mask(count == 4 ? le32(m + 12) : 0)};
            pos += count * 4;
        }
        if (h.masks[0].mask == 0 && h.masks[1].mask == 0 && h.masks[2].mask == 0)
            return fail(CodecError::Corrupt, "empty bit field masks");
    } else if (h.headerSize >= 56 && h.bitCount == 32 && h.compression == kRgb) {
        // V3+ headers may name an alpha mask even for plain 32-bit rows.
        const std::uint32_t alpha = le32(dib.data() + 52);
        if (alpha != 0)
            h.masks[3] = Mask(alpha);
    }

    std::vector<Bgra> palette;
    if (h.bitCount <= 8) {
        const std::size_t entrySize = h.core ? 3 : 4;
        std::uint64_t count = h.colorsUsed != 0 ? h.colorsUsed : (1u << h.bitCount);
        if (count > 256)
            count = 256;
        std::uint64_t available = (pixelOffset && *pixelOffset > pos && *pixelOffset <= dib.size())
                                      ? (*pixelOffset - pos) / entrySize
                                      : (dib.size() - pos) / entrySize;
        if (bitsOverride)
            available = (dib.size() - pos) / entrySize;
        if (count > available)
            count = available; // a shorter palette than announced: missing entries read as black
        palette.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* e = dib.data() + pos + i * entrySize;
            palette[i] = {e[0], e[1], e[2], 255};
        }
        pos += count * entrySize;
        if (h.colorsUsed == 0 && count == 0)
            return fail(CodecError::Truncated, "missing palette");
    }

    std::span<const std::uint8_t> bits;
    if (bitsOverride)
        bits = *bitsOverride;
    else if (pixelOffset && *pixelOffset >= pos && *pixelOffset < dib.size())
        bits = dib.subspan(static_cast<std::size_t>(*pixelOffset));
    else if (pos <= dib.size())
        bits = dib.subspan(pos);

    const bool rle = h.compression == kRle4 || h.compression == kRle8;
    if (!rle && !rowsPresent(h, bits.size()))
        return fail(CodecError::Truncated, "truncated pixel data");
    auto image = allocateRaster(h.width, h.height);
    if (!image)
        return sizeFailure(h.width, h.height);
    if (rle)
        decodeRle(h, bits, palette, *image);
    else
        decodeUncompressed(h, bits, palette, *image);
    if (h.bitCount == 32 || h.masks[3].mask != 0)
        settleAlpha(*image);
    return {std::move(*image), CodecError::None, {}};
}

} // namespace

DecodeResult decodeBmp(std::span<const std::uint8_t> file) {
    if (file.size() < 2 || file[0] != 'B' || file[1] != 'M') {
        if (file.size() >= 2 && ((file[0] == 'B' && file[1] == 'A') || (file[0] == 'C' && file[1] == 'I') ||
                                 (file[0] == 'C' && file[1] == 'P') || (file[0] == 'I' && file[1] == 'C') ||
                                 (file[0] == 'P' && file[1] == 'T')))
            return fail(CodecError::Unsupported, "OS/2 icon or bitmap array");
        return fail(CodecError::NotThisFormat, "not a bitmap file");
    }
    if (file.size() < 14 + 4)
        return fail(CodecError::Truncated, "truncated bitmap file header");
    const std::uint32_t offBits = le32(file.data() + 10);
    std::optional<std::uint64_t> pixelOffset;
    if (offBits >= 14)
        pixelOffset = offBits - 14;
    return decodeInfo(file.subspan(14), pixelOffset, std::nullopt);
}

int bmpBitsPerPixel(std::span<const std::uint8_t> file) {
    if (file.size() < 2 || file[0] != 'B' || file[1] != 'M')
        return 0;
    Header h;
    if (file.size() < 14 || readHeader(file.subspan(14), h))
        return 0;
    return h.bitCount;
}

DecodeResult decodeDib(std::span<const std::uint8_t> block) {
    return decodeInfo(block, std::nullopt, std::nullopt);
}

DecodeResult decodeDibWithBits(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits) {
    return decodeInfo(info, std::nullopt, bits);
}

} // namespace imaging::codecs
