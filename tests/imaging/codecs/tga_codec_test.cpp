#include "codec_test_support.h"
#include "imaging/codecs/tga_codec.h"

#include <gtest/gtest.h>

using namespace imaging;
using namespace imaging::codecs;
using codec_tests::Bytes;
using codec_tests::pixel;

namespace {

Bytes tgaHeader(int type, int width, int height, int depth, int descriptor, int idLength = 0,
                int mapLength = 0, int mapDepth = 0, int mapFirst = 0) {
    Bytes b;
    b.u8(idLength).u8(mapLength > 0 ? 1 : 0).u8(type).u16(mapFirst).u16(mapLength).u8(mapDepth);
    b.u16(0).u16(0).u16(width).u16(height).u8(depth).u8(descriptor);
    return b;
}

} // namespace

TEST(TgaCodec, RoundTripsOpaqueAndTransparentPictures) {
    for (bool alpha : {false, true}) {
        RasterImage original = codec_tests::testPicture(7, 4, alpha);
        // A row of equal pixels exercises the run packets.
        for (int x = 0; x < 7; ++x)
            std::copy_n(original.row(1), 4, original.row(1) + x * 4);
        const auto file = encodeTga(original);
        ASSERT_FALSE(file.empty());
        EXPECT_EQ(file[2], 10); // RLE true colour
        const DecodeResult decoded = decodeTga(file);
        ASSERT_TRUE(decoded.ok()) << decoded.reason;
        EXPECT_EQ(decoded.image.bgra, original.bgra);
        EXPECT_EQ(decoded.image.hasAlpha, alpha);
    }
}

TEST(TgaCodec, ReadsUncompressedBottomLeftAndRightToLeftOrigins) {
    Bytes bottomUp = tgaHeader(2, 2, 2, 24, 0, 3);
    bottomUp.text("abc");                                     // image ID field, skipped
    bottomUp.raw({255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 9, 9}); // bottom row first
    DecodeResult decoded = decodeTga(bottomUp.data);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 1), 0xFF0000FFu);
    EXPECT_EQ(pixel(decoded.image, 1, 1), 0xFF00FF00u);
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(pixel(decoded.image, 1, 0), 0xFF090909u);

    Bytes mirrored = tgaHeader(3, 3, 1, 8, 0x30); // grey, top-down, right to left
    mirrored.raw({10, 20, 30});
    decoded = decodeTga(mirrored.data);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFF1E1E1Eu);
    EXPECT_EQ(pixel(decoded.image, 2, 0), 0xFF0A0A0Au);
}

TEST(TgaCodec, ReadsColourMappedRleAndSixteenBitPixels) {
    // Map entries 5 and 6 in 16-bit 5-5-5; the RLE data runs across the row end.
    Bytes mapped = tgaHeader(9, 2, 2, 8, 0x20, 0, 2, 16, 5);
    mapped.u16(0x7C00).u16(0x001F); // red, blue
    mapped.raw({0x82, 5, 0x00, 6}); // run of 3 × entry 5, then one raw pixel entry 6
    DecodeResult decoded = decodeTga(mapped.data);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(pixel(decoded.image, 0, 1), 0xFFFF0000u);
    EXPECT_EQ(pixel(decoded.image, 1, 1), 0xFF0000FFu);

    // 16-bit true colour with one attribute bit: the bit is alpha.
    Bytes sixteen = tgaHeader(2, 2, 1, 16, 0x21);
    sixteen.u16(0x83E0).u16(0x03E0);
    decoded = decodeTga(sixteen.data);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_TRUE(decoded.image.hasAlpha);
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFF00FF00u);
    EXPECT_EQ(pixel(decoded.image, 1, 0), 0x0000FF00u);
}

TEST(TgaCodec, BadInputsFailWithTheirReason) {
    auto file = encodeTga(codec_tests::testPicture(9, 9));
    file.resize(file.size() - 5);
    EXPECT_EQ(decodeTga(file).error, CodecError::Truncated);
    Bytes raw = tgaHeader(2, 4, 4, 24, 0);
    raw.raw({1, 2, 3});
    EXPECT_EQ(decodeTga(raw.data).error, CodecError::Truncated);
    EXPECT_EQ(decodeTga(tgaHeader(4, 4, 4, 24, 0).data).error, CodecError::NotThisFormat);
    EXPECT_EQ(decodeTga(tgaHeader(2, 4, 4, 12, 0).data).error, CodecError::NotThisFormat);
    EXPECT_EQ(decodeTga(tgaHeader(2, 0, 4, 24, 0).data).error, CodecError::Corrupt);
    EXPECT_EQ(decodeTga(tgaHeader(2, 65535, 65535, 24, 0).data).error, CodecError::TooLarge);
    EXPECT_EQ(decodeTga(std::vector<std::uint8_t>(5, 0)).error, CodecError::NotThisFormat);
}
