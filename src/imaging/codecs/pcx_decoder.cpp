// Reading ZSoft PCX pictures: 1/2/4-bit with the header palette (one plane or bit planes), 8-bit with the
// 256-colour palette at the end, 24/32-bit as separate planes; RLE or raw.

#include "imaging/codecs/byte_reader.h"
#include "imaging/codecs/pcx_codec.h"
#include "imaging/codecs/raster_util.h"

#include <algorithm>

namespace imaging::codecs {
namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kTailPaletteSize = 769; // 0x0C marker and 256 RGB entries

DecodeResult fail(CodecError e, const char* why) {
    return DecodeResult::failure(e, why);
}

// Yields the decoded bytes of consecutive scan lines; runs may cross line ends.
class ScanReader {
public:
    ScanReader(std::span<const std::uint8_t> data, bool rle) : data_(data), rle_(rle) {}

    bool readLine(std::vector<std::uint8_t>& line) {
        std::size_t i = 0;
        while (i < line.size()) {
            if (runLeft_ == 0) {
                if (pos_ >= data_.size())
                    return false;
                const std::uint8_t c = data_[pos_++];
                if (rle_ && (c & 0xC0) == 0xC0) {
                    if (pos_ >= data_.size())
                        return false;
                    runLeft_ = c & 0x3F; // a zero-length run writes nothing
                    runValue_ = data_[pos_++];
                    continue;
                }
                runLeft_ = 1;
                runValue_ = c;
            }
            line[i++] = runValue_;
            --runLeft_;
        }
        return true;
    }

private:
    std::span<const std::uint8_t> data_;
    bool rle_;
    std::size_t pos_ = 0;
    unsigned runLeft_ = 0;
    std::uint8_t runValue_ = 0;
};

} // namespace

DecodeResult decodePcx(std::span<const std::uint8_t> file) {
    if (file.size() < 4 || file[0] != 0x0A || file[1] > 5 || file[2] > 1)
        return fail(CodecError::NotThisFormat, "not a PCX file");
    if (file.size() < kHeaderSize)
        return fail(CodecError::Truncated, "truncated PCX header");
    const std::uint8_t* h = file.data();
    const unsigned bitsPerPixel = h[3];
    const std::int64_t width = static_cast<std::int64_t>(le16(h + 8)) - le16(h + 4) + 1;
    const std::int64_t height = static_cast<std::int64_t>(le16(h + 10)) - le16(h + 6) + 1;
    const unsigned planes = h[65];
    const std::size_t bytesPerLine = le16(h + 66);

    const bool paletted =
        planes == 1 && (bitsPerPixel == 1 || bitsPerPixel == 2 || bitsPerPixel == 4 || bitsPerPixel == 8);
    const bool bitPlanes = bitsPerPixel == 1 && planes >= 2 && planes <= 4;
    const bool trueColour = bitsPerPixel == 8 && (planes == 3 || planes == 4);
    if (!paletted && !bitPlanes && !trueColour)
        return fail(CodecError::Unsupported, "unsupported PCX bit depth and plane count");
    if (!pixelCountAcceptable(width, height))
        return sizeFailure(width, height);
    if (bytesPerLine * 8 < static_cast<std::uint64_t>(width) * bitsPerPixel)
        return fail(CodecError::Corrupt, "PCX line shorter than the picture width");

    std::vector<Bgra> palette(256, Bgra{});
    std::span<const std::uint8_t> data = file.subspan(kHeaderSize);
    if (paletted && bitsPerPixel == 8) {
        if (file.size() >= kHeaderSize + kTailPaletteSize && file[file.size() - kTailPaletteSize] == 0x0C) {
            const std::uint8_t* p = file.data() + file.size() - kTailPaletteSize + 1;
            for (int i = 0; i < 256; ++i)
                palette[i] = {p[i * 3 + 2], p[i * 3 + 1], p[i * 3], 255};
            data = data.first(data.size() - kTailPaletteSize);
        } else { // no palette at the end: grey levels
            for (int i = 0; i < 256; ++i)
                palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i),
                              static_cast<std::uint8_t>(i), 255};
        }
    } else if (!trueColour) {
        for (int i = 0; i < 16; ++i)
            palette[i] = {h[16 + i * 3 + 2], h[16 + i * 3 + 1], h[16 + i * 3], 255};
        // Many monochrome writers leave the header palette empty: black and white then. Two equal
        // colours are not empty: a one-colour picture (a 1 × 1 one, say) is written that way.
        const bool emptyPalette = std::all_of(h + 16, h + 22, [](std::uint8_t b) { return b == 0; });
        if (bitsPerPixel == 1 && planes == 1 && emptyPalette) {
            palette[0] = {0, 0, 0, 255};
            palette[1] = {255, 255, 255, 255};
        }
    }

    const bool rle = file[2] == 1;
    const std::uint64_t lineBytes = static_cast<std::uint64_t>(bytesPerLine) * planes;
    if (!rle && !fitsIn(data.size(), 0, lineBytes * static_cast<std::uint64_t>(height)))
        return fail(CodecError::Truncated, "truncated PCX pixel data");
    // Each RLE byte pair yields at most 63 bytes: refuse files far too short before allocating.
    if (rle && lineBytes * static_cast<std::uint64_t>(height) > static_cast<std::uint64_t>(data.size()) * 63)
        return fail(CodecError::Truncated, "truncated PCX pixel data");

    auto image = allocateRaster(width, height);
    if (!image)
        return sizeFailure(width, height);
    ScanReader reader(data, rle);
    std::vector<std::uint8_t> line(static_cast<std::size_t>(lineBytes));
    for (int y = 0; y < image->height; ++y) {
        if (!reader.readLine(line))
            return fail(CodecError::Truncated, "truncated PCX pixel data");
        std::uint8_t* dst = image->row(y);
        for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x, dst += 4) {
            if (trueColour) {
                putPixel(dst, {line[2 * bytesPerLine + x], line[bytesPerLine + x], line[x],
                               planes == 4 ? line[3 * bytesPerLine + x] : std::uint8_t{255}});
            } else if (bitPlanes) {
                unsigned index = 0;
                for (unsigned p = 0; p < planes; ++p)
                    index |= ((line[p * bytesPerLine + x / 8] >> (7 - x % 8)) & 1u) << p;
                putPixel(dst, palette[index]);
            } else {
                const std::size_t bitPos = x * bitsPerPixel;
                const unsigned shift = 8 - bitsPerPixel - bitPos % 8;
                putPixel(dst, palette[(line[bitPos / 8] >> shift) & ((1u << bitsPerPixel) - 1)]);
            }
        }
    }
    if (trueColour && planes == 4)
        settleAlpha(*image);
    return {std::move(*image), CodecError::None, {}};
}

} // namespace imaging::codecs
