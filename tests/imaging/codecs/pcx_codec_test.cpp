#include "codec_test_support.h"
#include "imaging/codecs/pcx_codec.h"

#include <gtest/gtest.h>

using namespace imaging;
using namespace imaging::codecs;
using codec_tests::Bytes;
using codec_tests::pixel;

namespace {

// A 128-byte header; `palette` fills the 16-entry EGA palette from its start.
Bytes pcxHeader(int width, int height, int bits, int planes, int bytesPerLine, bool rle,
                std::initializer_list<std::uint8_t> palette = {}) {
    Bytes b;
    b.u8(0x0A).u8(5).u8(rle ? 1 : 0).u8(bits).u16(0).u16(0).u16(width - 1).u16(height - 1).u16(96).u16(96);
    std::vector<std::uint8_t> ega(48, 0);
    std::copy(palette.begin(), palette.end(), ega.begin());
    b.data.insert(b.data.end(), ega.begin(), ega.end());
    b.u8(0).u8(planes).u16(bytesPerLine).u16(1);
    b.data.resize(128, 0);
    return b;
}

} // namespace

TEST(PcxCodec, RoundTripsWithOddWidthPaddingAndHighBytes) {
    RasterImage original = codec_tests::testPicture(5, 3);
    original.bgra[2] = 0xC5; // a literal byte that needs a count in front
    const auto file = encodePcx(original);
    EXPECT_EQ(file[66], 6); // 5 bytes per plane line, padded to even
    const DecodeResult decoded = decodePcx(file);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(decoded.image.bgra, original.bgra);
}

TEST(PcxCodec, ReadsEightBitWithTrailingPaletteAndOddLinePadding) {
    Bytes file = pcxHeader(2, 2, 8, 1, 3, true);
    file.raw({0xC2, 1, 0x07,   // run of two 1s, padding byte
              0x02, 0xC3, 0}); // 2 then a run that crosses into the padding
    file.u8(0x0C);
    for (int i = 0; i < 256; ++i)
        file.u8(i).u8(255 - i).u8(i == 2 ? 77 : 0);
    const DecodeResult decoded = decodePcx(file.data);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFF01FE00u);
    EXPECT_EQ(pixel(decoded.image, 1, 0), 0xFF01FE00u);
    EXPECT_EQ(pixel(decoded.image, 0, 1), 0xFF02FD4Du);
    EXPECT_EQ(pixel(decoded.image, 1, 1), 0xFF00FF00u);
}

TEST(PcxCodec, ReadsSixteenColourLayoutsWithTheHeaderPalette) {
    const std::initializer_list<std::uint8_t> ega = {0, 0, 0,   255, 0, 0, 0, 255, 0,
                                                     0, 0, 255, 9,   9, 9, 1, 2,   3};
    // Four 1-bit planes, raw: pixel 0 = planes 0 and 2 → index 5; pixel 1 = plane 1 → index 2.
    Bytes planar = pcxHeader(2, 1, 1, 4, 1, false, ega);
    planar.raw({0x80, 0x40, 0x80, 0x00});
    DecodeResult decoded = decodePcx(planar.data);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFF010203u);
    EXPECT_EQ(pixel(decoded.image, 1, 0), 0xFF00FF00u);

    // One 4-bit plane.
    Bytes packed = pcxHeader(2, 1, 4, 1, 2, false, ega);
    packed.raw({0x31, 0x00});
    decoded = decodePcx(packed.data);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFF0000FFu);
    EXPECT_EQ(pixel(decoded.image, 1, 0), 0xFFFF0000u);

    // Monochrome with an empty header palette reads black and white.
    Bytes mono = pcxHeader(9, 1, 1, 1, 2, true);
    mono.raw({0x80, 0x80});
    decoded = decodePcx(mono.data);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(decoded.image, 1, 0), 0xFF000000u);
    EXPECT_EQ(pixel(decoded.image, 8, 0), 0xFFFFFFFFu);
}

TEST(PcxCodec, OneBitPictureOfOneColourKeepsItsPaletteColour) {
    // A 1 × 1 picture's writer lists its one colour twice: that palette is not empty.
    for (const std::uint8_t grey : {std::uint8_t{128}, std::uint8_t{255}}) {
        Bytes file = pcxHeader(1, 1, 1, 1, 2, true, {grey, grey, grey, grey, grey, grey});
        file.raw({0x00, 0x00});
        const DecodeResult decoded = decodePcx(file.data);
        ASSERT_TRUE(decoded.ok()) << decoded.reason;
        EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFF000000u | grey * 0x010101u) << int(grey);
    }
    // The same with an empty palette: index 1 is white.
    Bytes empty = pcxHeader(1, 1, 1, 1, 2, true);
    empty.raw({0x80, 0x00});
    const DecodeResult decoded = decodePcx(empty.data);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFFFFFFFFu);
}

TEST(PcxCodec, BadInputsFailWithTheirReason) {
    auto file = encodePcx(codec_tests::testPicture(6, 6));
    ASSERT_GT(file.size(), 4u);
    file.erase(file.end() - 4, file.end());
    EXPECT_EQ(decodePcx(file).error, CodecError::Truncated);
    EXPECT_EQ(decodePcx(std::vector<std::uint8_t>{0x0A, 5, 1, 8}).error, CodecError::Truncated);
    EXPECT_EQ(decodePcx(std::vector<std::uint8_t>{'P', '6'}).error, CodecError::NotThisFormat);
    EXPECT_EQ(decodePcx(pcxHeader(4, 4, 8, 2, 4, true).data).error, CodecError::Unsupported);
    EXPECT_EQ(decodePcx(pcxHeader(40, 1, 8, 1, 4, true).data).error, CodecError::Corrupt);
    EXPECT_EQ(decodePcx(pcxHeader(65535, 65535, 8, 3, 65535, true).data).error, CodecError::TooLarge);
}
