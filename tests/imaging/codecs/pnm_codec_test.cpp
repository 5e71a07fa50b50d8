#include "codec_test_support.h"
#include "imaging/codecs/pnm_codec.h"

#include <QBuffer>
#include <QImageWriter>
#include <gtest/gtest.h>
#include <string>

using namespace imaging;
using namespace imaging::codecs;
using codec_tests::Bytes;
using codec_tests::pixel;

namespace {

std::vector<std::uint8_t> bytesOf(const std::string& s) {
    return {s.begin(), s.end()};
}

std::vector<std::uint8_t> writtenByQt(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image));
    return {bytes.begin(), bytes.end()};
}

} // namespace

TEST(PnmCodec, RoundTripWritesRawPpm) {
    const RasterImage original = codec_tests::testPicture(4, 3);
    const auto file = encodePnm(original);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 11), "P6\n4 3\n255\n");
    const DecodeResult decoded = decodePnm(file);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(decoded.image.bgra, original.bgra);
}

TEST(PnmCodec, ReadsPpmPgmAndPbmWrittenByQt) {
    QImage rgb(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            rgb.setPixel(x, y, qRgb(x * 100, y * 200, 50 + x));
    DecodeResult decoded = decodePnm(writtenByQt(rgb, "ppm"));
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(pixel(decoded.image, x, y), rgb.pixel(x, y));

    QImage grey(2, 2, QImage::Format_Grayscale8);
    grey.fill(0);
    grey.setPixel(1, 1, qRgb(77, 77, 77));
    decoded = decodePnm(writtenByQt(grey, "pgm"));
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 1, 1), 0xFF4D4D4Du);
    EXPECT_EQ(pixel(decoded.image, 0, 1), 0xFF000000u);

    QImage mono(10, 2, QImage::Format_Mono);
    mono.setColorTable({0xFFFFFFFF, 0xFF000000});
    mono.fill(0);
    mono.setPixel(9, 0, 1);
    decoded = decodePnm(writtenByQt(mono, "pbm"));
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 9, 0), 0xFF000000u);
    EXPECT_EQ(pixel(decoded.image, 8, 0), 0xFFFFFFFFu);
}

TEST(PnmCodec, ReadsAsciiFormsWithCommentsAndScalesSamples) {
    DecodeResult decoded = decodePnm(bytesOf("P1\n# a comment\n3 2\n101\n0 1 0"));
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFF000000u);
    EXPECT_EQ(pixel(decoded.image, 1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(decoded.image, 1, 1), 0xFF000000u);

    decoded = decodePnm(bytesOf("P2 2 1 15 # max\n15 5"));
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(decoded.image, 1, 0), 0xFF555555u);

    decoded = decodePnm(bytesOf("P3\n1 1\n1000\n1000 500 0\n"));
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFFFF8000u);

    // 16-bit raw samples are big-endian and scaled to 8 bits.
    Bytes sixteen;
    sixteen.text("P6\n1 1\n65535\n").raw({0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00});
    decoded = decodePnm(sixteen.data);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFFFF8000u);
}

TEST(PnmCodec, BadInputsFailWithTheirReason) {
    auto file = encodePnm(codec_tests::testPicture(4, 4));
    file.pop_back();
    EXPECT_EQ(decodePnm(file).error, CodecError::Truncated);
    EXPECT_EQ(decodePnm(bytesOf("P2\n2 2\n255\n1 2 3")).error, CodecError::Truncated);
    EXPECT_EQ(decodePnm(bytesOf("P2\n1 1\n10\n11")).error, CodecError::Corrupt);
    EXPECT_EQ(decodePnm(bytesOf("P5\n1 1\n0\n\x01")).error, CodecError::Corrupt);
    EXPECT_EQ(decodePnm(bytesOf("P5\n1 1\n70000\n")).error, CodecError::Corrupt);
    EXPECT_EQ(decodePnm(bytesOf("P5\nx 1\n255\n")).error, CodecError::Corrupt);
    EXPECT_EQ(decodePnm(bytesOf("P6\n")).error, CodecError::Truncated);
    EXPECT_EQ(decodePnm(bytesOf("P6\n99999 99999\n255\n")).error, CodecError::TooLarge);
    EXPECT_EQ(decodePnm(bytesOf("P8\n1 1\n")).error, CodecError::NotThisFormat);
    EXPECT_EQ(decodePnm(bytesOf("P1\n2 1\n1 2")).error, CodecError::Corrupt);
}

TEST(PnmCodec, ReadsPamTupleTypesAsNetpbmWritesThem) {
    // RGB_ALPHA, one byte a sample, a comment in the header: straight alpha comes back as it was.
    Bytes rgba;
    rgba.text(
            "P7\nWIDTH 2\nHEIGHT 1\n# written by pamtopam\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n")
        .raw({200, 100, 50, 255, 10, 20, 30, 128});
    DecodeResult decoded = decodePnm(rgba.data);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_TRUE(decoded.image.hasAlpha);
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFFC86432u);
    EXPECT_EQ(pixel(decoded.image, 1, 0), 0x800A141Eu);

    // RGB with two bytes a sample, big-endian, scaled to 8 bits.
    Bytes wide;
    wide.text("P7\nWIDTH 1\nHEIGHT 1\nDEPTH 3\nMAXVAL 65535\nTUPLTYPE RGB\nENDHDR\n")
        .raw({0xFF, 0xFF, 0x80, 0x00, 0, 0});
    decoded = decodePnm(wide.data);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_FALSE(decoded.image.hasAlpha);
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFFFF8000u);

    // BLACKANDWHITE: 1 is white (unlike PBM); GRAYSCALE_ALPHA with maxval 15.
    Bytes mono;
    mono.text("P7\nWIDTH 2\nHEIGHT 1\nDEPTH 1\nMAXVAL 1\nTUPLTYPE BLACKANDWHITE\nENDHDR\n").raw({0, 1});
    decoded = decodePnm(mono.data);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFF000000u);
    EXPECT_EQ(pixel(decoded.image, 1, 0), 0xFFFFFFFFu);
    Bytes greyAlpha;
    greyAlpha.text("P7\nWIDTH 2\nHEIGHT 1\nDEPTH 2\nMAXVAL 15\nTUPLTYPE GRAYSCALE_ALPHA\nENDHDR\n")
        .raw({15, 0, 5, 15});
    decoded = decodePnm(greyAlpha.data);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0x00FFFFFFu);
    EXPECT_EQ(pixel(decoded.image, 1, 0), 0xFF555555u);

    // No tuple type: read by its depth.
    Bytes untyped;
    untyped.text("P7\nWIDTH 1\nHEIGHT 1\nDEPTH 1\nMAXVAL 255\nENDHDR\n").raw({77});
    decoded = decodePnm(untyped.data);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(pixel(decoded.image, 0, 0), 0xFF4D4D4Du);
}

TEST(PnmCodec, DamagedPamHeadersAndDataFailWithTheirReason) {
    const std::string header = "P7\nWIDTH 2\nHEIGHT 2\nDEPTH 3\nMAXVAL 255\nTUPLTYPE RGB\nENDHDR\n";
    EXPECT_EQ(decodePnm(bytesOf(header + std::string(11, 'x'))).error, CodecError::Truncated);
    EXPECT_EQ(decodePnm(bytesOf("P7\nWIDTH 2\nHEIGHT 2\nDEPTH 3\n")).error, CodecError::Truncated);
    EXPECT_EQ(decodePnm(bytesOf("P7\nWIDTH 2\nDEPTH 3\nMAXVAL 255\nENDHDR\n")).error, CodecError::Corrupt);
    EXPECT_EQ(decodePnm(bytesOf("P7\nWIDTH 1\nHEIGHT 1\nDEPTH 1\nMAXVAL 255\nTUPLTYPE RGB\nENDHDR\nx")).error,
              CodecError::Corrupt);
    EXPECT_EQ(decodePnm(bytesOf("P7\nWIDTH 1\nHEIGHT 1\nDEPTH 5\nMAXVAL 255\nENDHDR\n12345")).error,
              CodecError::Unsupported);
    EXPECT_EQ(decodePnm(bytesOf("P7\nWIDTH 1\nHEIGHT 1\nDEPTH 1\nMAXVAL 9\nENDHDR\n\x0A")).error,
              CodecError::Corrupt);
    EXPECT_EQ(decodePnm(bytesOf("P7\nWIDTH 99999\nHEIGHT 99999\nDEPTH 1\nMAXVAL 255\nENDHDR\n")).error,
              CodecError::TooLarge);
}
