#include "codec_test_support.h"
#include "imaging/codecs/bmp_codec.h"

#include <QBuffer>
#include <QImageWriter>
#include <gtest/gtest.h>

using namespace imaging;
using namespace imaging::codecs;
using codec_tests::Bytes;
using codec_tests::pixel;

namespace {

// A BITMAPFILEHEADER in front of an info block whose pixels start at `pixelOffset` within it.
std::vector<std::uint8_t> withFileHeader(const Bytes& info, std::uint32_t pixelOffset) {
    Bytes file;
    file.text("BM").u32(static_cast<std::uint32_t>(14 + info.size())).u32(0).u32(14 + pixelOffset);
    file.data.insert(file.data.end(), info.data.begin(), info.data.end());
    return file.data;
}

// A 40-byte info header.
Bytes infoHeader(int width, int height, int bits, std::uint32_t compression = 0, std::uint32_t colours = 0) {
    Bytes b;
    b.u32(40)
        .s32(width)
        .s32(height)
        .u16(1)
        .u16(bits)
        .u32(compression)
        .u32(0)
        .u32(0)
        .u32(0)
        .u32(colours)
        .u32(0);
    return b;
}

std::vector<std::uint8_t> writtenByQt(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    EXPECT_TRUE(writer.write(image));
    return {bytes.begin(), bytes.end()};
}

} // namespace

TEST(BmpCodec, RoundTripKeepsPixelsWithRowPadding) {
    const RasterImage original = codec_tests::testPicture(5, 3);
    const auto file = encodeBmp(original);
    ASSERT_EQ(file.size(), 54u + 16 * 3); // 5 × 3 bytes padded to 16
    const DecodeResult decoded = decodeBmp(file);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(decoded.image.bgra, original.bgra);
    EXPECT_FALSE(decoded.image.hasAlpha);
    EXPECT_TRUE(encodeBmp(RasterImage{}).empty());
}

TEST(BmpCodec, ReadsTrueColourPaletteAndMonochromeFilesWrittenByQt) {
    QImage rgb(3, 2, QImage::Format_RGB32);
    rgb.setPixel(0, 0, 0xFF102030);
    rgb.setPixel(1, 0, 0xFFFF0000);
    rgb.setPixel(2, 0, 0xFF00FF00);
    rgb.setPixel(0, 1, 0xFF0000FF);
    rgb.setPixel(1, 1, 0xFFFFFFFF);
    rgb.setPixel(2, 1, 0xFF000000);
    DecodeResult decoded = decodeBmp(writtenByQt(rgb));
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(pixel(decoded.image, x, y), rgb.pixel(x, y)) << x << "," << y;

    QImage indexed(4, 2, QImage::Format_Indexed8);
    indexed.setColorTable({0xFF112233, 0xFF445566, 0xFFAA0000});
    indexed.fill(0);
    indexed.setPixel(1, 0, 2);
    indexed.setPixel(3, 1, 1);
    decoded = decodeBmp(writtenByQt(indexed));
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFF112233u);
    EXPECT_EQ(pixel(decoded.image, 1, 0), 0xFFAA0000u);
    EXPECT_EQ(pixel(decoded.image, 3, 1), 0xFF445566u);

    QImage mono(10, 2, QImage::Format_Mono);
    mono.setColorTable({0xFF000000, 0xFFFFFFFF});
    mono.fill(0);
    mono.setPixel(9, 1, 1);
    decoded = decodeBmp(writtenByQt(mono));
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 9, 1), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(decoded.image, 8, 1), 0xFF000000u);
}

TEST(BmpCodec, DecodesRle8WithDeltaAndRle4AbsoluteRuns) {
    // 4 × 3, bottom-up: row 0 (bottom) = run of 3 × index 1, then EOL; delta to (1, 2); absolute 2 pixels.
    Bytes rle8 = infoHeader(4, 3, 8, 1, 3);
    rle8.u32(0x000000FF).u32(0x0000FF00).u32(0x00FF0000);
    rle8.raw({3, 1, 0, 0, 0, 2, 1, 1, 0, 3, 2, 1, 0, 0, 0, 1});
    const DecodeResult a = decodeBmp(withFileHeader(rle8, 40 + 12));
    ASSERT_TRUE(a.ok()) << a.reason;
    EXPECT_EQ(pixel(a.image, 0, 2), 0xFF00FF00u); // bottom row, the run
    EXPECT_EQ(pixel(a.image, 3, 2), 0xFF0000FFu); // not written: index 0
    EXPECT_EQ(pixel(a.image, 1, 0), 0xFFFF0000u); // top row after the delta: 2, 1, 0
    EXPECT_EQ(pixel(a.image, 2, 0), 0xFF00FF00u);
    EXPECT_EQ(pixel(a.image, 3, 0), 0xFF0000FFu);

    // RLE4 2 × 1: an absolute run of 3 nibbles is clipped at the row end.
    Bytes rle4 = infoHeader(2, 1, 4, 2, 2);
    rle4.u32(0x00000000).u32(0x00FFFFFF);
    rle4.raw({0, 3, 0x10, 0x10, 0, 1});
    const DecodeResult b = decodeBmp(withFileHeader(rle4, 40 + 8));
    ASSERT_TRUE(b.ok()) << b.reason;
    EXPECT_EQ(pixel(b.image, 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(b.image, 1, 0), 0xFF000000u);
}

TEST(BmpCodec, ReadsOs2CoreHeaderWithThreeBytePalette) {
    Bytes core;
    core.u32(12).u16(9).u16(1).u16(1).u16(1);
    core.raw({0, 0, 255, 255, 0, 0}); // red, blue
    core.raw({0x80, 0x80, 0, 0});     // x 0 and x 8 set
    const DecodeResult decoded = decodeBmp(withFileHeader(core, 12 + 6));
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFF0000FFu);
    EXPECT_EQ(pixel(decoded.image, 1, 0), 0xFFFF0000u);
    EXPECT_EQ(pixel(decoded.image, 8, 0), 0xFF0000FFu);
}

TEST(BmpCodec, BitfieldsTopDownAndAlphaRules) {
    // 16-bit 5-6-5 masks after a 40-byte header; negative height: first row is the top one.
    Bytes b565 = infoHeader(2, -2, 16, 3);
    b565.u32(0xF800).u32(0x07E0).u32(0x001F);
    b565.u16(0xF800).u16(0x07E0).u16(0x001F).u16(0xFFFF);
    DecodeResult decoded = decodeDib(b565.data);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(pixel(decoded.image, 1, 0), 0xFF00FF00u);
    EXPECT_EQ(pixel(decoded.image, 0, 1), 0xFF0000FFu);
    EXPECT_EQ(pixel(decoded.image, 1, 1), 0xFFFFFFFFu);

    // A V5 header with masks in an unusual order, carrying real alpha.
    Bytes v5;
    v5.u32(124).s32(2).s32(1).u16(1).u16(32).u32(3).u32(0).u32(0).u32(0).u32(0).u32(0);
    v5.u32(0x000000FF).u32(0x0000FF00).u32(0x00FF0000).u32(0xFF000000); // R, G, B, A
    while (v5.size() < 124)
        v5.u8(0);
    v5.raw({0x10, 0x20, 0x30, 0x80, 0xFF, 0, 0, 0xFF});
    decoded = decodeDib(v5.data);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_TRUE(decoded.image.hasAlpha);
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0x80102030u);
    EXPECT_EQ(pixel(decoded.image, 1, 0), 0xFFFF0000u);

    // 32-bit rows whose fourth byte is always zero are opaque.
    Bytes zeroAlpha = infoHeader(2, 1, 32);
    zeroAlpha.raw({1, 2, 3, 0, 4, 5, 6, 0});
    decoded = decodeDib(zeroAlpha.data);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_FALSE(decoded.image.hasAlpha);
    EXPECT_EQ(pixel(decoded.image, 1, 0), 0xFF060504u);
}

TEST(BmpCodec, ShortPaletteLeavesMissingEntriesBlack) {
    Bytes info = infoHeader(3, 1, 8, 0, 2);
    info.u32(0x00112233).u32(0x00445566);
    info.raw({1, 0, 200, 0});
    const DecodeResult decoded = decodeBmp(withFileHeader(info, 48));
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFF445566u);
    EXPECT_EQ(pixel(decoded.image, 2, 0), 0xFF000000u);
}

TEST(BmpCodec, BadInputsFailWithTheirReason) {
    auto file = encodeBmp(codec_tests::testPicture(4, 4));
    file.resize(file.size() - 13);
    EXPECT_EQ(decodeBmp(file).error, CodecError::Truncated);
    EXPECT_EQ(decodeBmp(std::vector<std::uint8_t>{'B', 'M', 0}).error, CodecError::Truncated);
    EXPECT_EQ(decodeBmp(std::vector<std::uint8_t>{'G', 'I', 'F', '8'}).error, CodecError::NotThisFormat);
    EXPECT_EQ(decodeDib(infoHeader(100000, 100000, 24).data).error, CodecError::TooLarge);
    EXPECT_EQ(decodeDib(infoHeader(0, 5, 24).data).error, CodecError::Corrupt);
    EXPECT_EQ(decodeDib(infoHeader(1, 1, 7).data).error, CodecError::Corrupt);
    EXPECT_EQ(decodeDib(infoHeader(1, 1, 24, 2).data).error, CodecError::Corrupt); // RLE4 on 24 bits
    EXPECT_EQ(decodeDib(infoHeader(1, 1, 24, 4).data).error, CodecError::Unsupported);
    Bytes huge = infoHeader(1, 1, 24);
    huge.data[0] = 0xFF; // header size beyond the block
    EXPECT_EQ(decodeDib(huge.data).error, CodecError::NotThisFormat);
}
