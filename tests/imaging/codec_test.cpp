// JPEG, PNG, GIF and TIFF: our writers round-trip, and our readers read what other code wrote and fail
// cleanly on damaged or hostile files.

#include "imaging/files/gif_codec.h"
#include "imaging/files/jpeg_codec.h"
#include "imaging/files/png_codec.h"
#include "imaging/files/tiff_codec.h"
#include "test_pictures.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <array>
#include <cstring>
#include <functional>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <tiffio.h>

namespace imaging {
namespace {

using imaging_test::gradientRaster;
using imaging_test::maxDifference;

std::vector<std::uint8_t> qtWritten(const QImage& image, const char* format, int quality = -1) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    EXPECT_TRUE(writer.write(image)) << format;
    return {buffer.data().begin(), buffer.data().end()};
}

// The picture's B,G,R,A bytes as a Qt image would hold them.
std::vector<std::uint8_t> bgraOf(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < argb.height(); ++y)
        bytes.insert(bytes.end(), argb.constScanLine(y), argb.constScanLine(y) + argb.width() * 4);
    return bytes;
}

TEST(JpegCodec, RoundTripsWithinCompressionLossAndDecodesAtReducedScale) {
    const RasterImage source = gradientRaster(64, 48);
    std::string reason;
    std::vector<std::uint8_t> bgr;
    for (std::size_t i = 0; i < source.bgra.size(); i += 4)
        bgr.insert(bgr.end(), source.bgra.begin() + static_cast<std::ptrdiff_t>(i),
                   source.bgra.begin() + static_cast<std::ptrdiff_t>(i) + 3);
    const auto jpeg = encodeJpeg(bgr.data(), 64, 48, 64 * 3, JpegInput::Bgr, 95, reason);
    ASSERT_FALSE(jpeg.empty()) << reason;
    const DecodeResult decoded = decodeJpeg(jpeg);
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    EXPECT_EQ(decoded.image.width, 64);
    EXPECT_LE(imaging_test::meanDifference(decoded.image.bgra, source.bgra), 3.0);

    JpegPixels eighth;
    ASSERT_TRUE(decodeJpegPixels(jpeg, 8, 3, eighth));
    EXPECT_EQ(eighth.width, 8);
    EXPECT_EQ(eighth.height, 6);
}

TEST(JpegCodec, ReadsQtGreyAndCmykFilesAndBottomUpRows) {
    const QImage colour = imaging_test::gradient(40, 30);
    const DecodeResult fromQt = decodeJpeg(qtWritten(colour, "jpeg", 100));
    ASSERT_TRUE(fromQt.ok());
    EXPECT_LE(imaging_test::meanDifference(fromQt.image.bgra, bgraOf(colour)), 3.0);

    const QImage grey = colour.convertToFormat(QImage::Format_Grayscale8);
    const DecodeResult greyDecoded = decodeJpeg(qtWritten(grey, "jpeg", 100));
    ASSERT_TRUE(greyDecoded.ok());
    EXPECT_LE(imaging_test::meanDifference(greyDecoded.image.bgra, bgraOf(grey)), 2.0);

    // Bottom-up memory handed over with a negative stride comes out upright.
    std::vector<std::uint8_t> rows = {0, 0, 0, 255, 255, 255}; // 1 × 2: black row, then white row
    std::string reason;
    const auto flipped = encodeJpeg(rows.data() + 3, 1, 2, -3, JpegInput::Bgr, 100, reason);
    const DecodeResult upright = decodeJpeg(flipped);
    ASSERT_TRUE(upright.ok());
    EXPECT_GT(upright.image.bgra[0], 200);
    EXPECT_LT(upright.image.bgra[4], 50);
}

TEST(PngCodec, RoundTripsExactlyWithAndWithoutAlpha) {
    RasterImage source = gradientRaster(33, 17);
    const DecodeResult plain = decodePng(encodePng(source));
    ASSERT_TRUE(plain.ok());
    EXPECT_FALSE(plain.image.hasAlpha);
    EXPECT_EQ(plain.image.bgra, source.bgra);

    source.hasAlpha = true;
    source.bgra[3] = 0;
    source.bgra[7] = 128;
    const DecodeResult withAlpha = decodePng(encodePng(source));
    ASSERT_TRUE(withAlpha.ok());
    EXPECT_TRUE(withAlpha.image.hasAlpha);
    EXPECT_EQ(withAlpha.image.bgra, source.bgra);
}

TEST(PngCodec, ReadsQtPalette16BitAndGreyFiles) {
    const QImage colour = imaging_test::gradient(20, 10);
    for (const QImage& image :
         {colour.convertToFormat(QImage::Format_Indexed8), colour.convertToFormat(QImage::Format_RGBA64),
          colour.convertToFormat(QImage::Format_Grayscale8)}) {
        const DecodeResult decoded = decodePng(qtWritten(image, "png"));
        ASSERT_TRUE(decoded.ok()) << decoded.reason << " format " << image.format();
        const auto expected = bgraOf(image);
        for (std::size_t i = 0; i < expected.size(); ++i)
            if (std::abs(decoded.image.bgra[i] - expected[i]) > 1) {
                ADD_FAILURE() << "format " << image.format() << " at " << i << ": "
                              << int(decoded.image.bgra[i]) << " vs " << int(expected[i]);
                break;
            }
    }
}

TEST(GifCodec, FewColoursRoundTripExactlyManyAreQuantisedTo256) {
    RasterImage few = gradientRaster(16, 16);
    for (std::size_t i = 0; i < few.bgra.size(); i += 4)
        few.bgra[i] = few.bgra[i + 1] = few.bgra[i + 2] = static_cast<std::uint8_t>((i / 4) % 200);
    const DecodeResult exact = decodeGif(encodeGif(few));
    ASSERT_TRUE(exact.ok()) << exact.reason;
    EXPECT_EQ(exact.image.bgra, few.bgra);

    const RasterImage many = gradientRaster(120, 90);
    const auto file = encodeGif(many);
    ASSERT_FALSE(file.empty());
    const DecodeResult quantised = decodeGif(file);
    ASSERT_TRUE(quantised.ok());
    EXPECT_EQ(quantised.image.width, 120);
    EXPECT_LE(imaging_test::meanDifference(quantised.image.bgra, many.bgra), 6.0);
    // Qt reads what we wrote.
    QImage qt;
    ASSERT_TRUE(qt.loadFromData(file.data(), static_cast<int>(file.size()), "gif"));
    EXPECT_EQ(qt.size(), QSize(120, 90));
}

// A 4 × 4 interlaced GIF with a transparent index, written with giflib's own encoder.
std::vector<std::uint8_t> giflibInterlaced() {
    std::vector<std::uint8_t> bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(
        &bytes,
        [](GifFileType* g, const GifByteType* data, int length) {
            auto* out = static_cast<std::vector<std::uint8_t>*>(g->UserData);
            out->insert(out->end(), data, data + length);
            return length;
        },
        &error);
    GifColorType colours[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}};
    ColorMapObject* map = GifMakeMapObject(4, colours);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, 4, 4, 2, 0, map);
    const GifByteType control[4] = {1, 0, 0, 3}; // transparent index 3
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
    EGifPutImageDesc(gif, 0, 0, 4, 4, true, nullptr);
    // Interlaced order: rows 0, 2, 1, 3 (passes start 0, 4, 2, 1); row r is filled with index r.
    for (const int row : {0, 2, 1, 3}) {
        GifPixelType line[4] = {GifPixelType(row), GifPixelType(row), GifPixelType(row), GifPixelType(row)};
        EGifPutLine(gif, line, 4);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return bytes;
}

TEST(GifCodec, ReadsGiflibInterlacedPicturesWithTransparency) {
    const DecodeResult decoded = decodeGif(giflibInterlaced());
    ASSERT_TRUE(decoded.ok()) << decoded.reason;
    const RasterImage& image = decoded.image;
    EXPECT_TRUE(image.hasAlpha);
    EXPECT_EQ(image.row(0)[2], 255); // red
    EXPECT_EQ(image.row(1)[1], 255); // green
    EXPECT_EQ(image.row(2)[0], 255); // blue
    EXPECT_EQ(image.row(3)[3], 0);   // transparent
}

TEST(TiffCodec, UncompressedAndLzwRoundTripExactly) {
    RasterImage source = gradientRaster(37, 21);
    for (const TiffCompression compression : {TiffCompression::None, TiffCompression::Lzw}) {
        const DecodeResult decoded = decodeTiff(encodeTiff(source, compression));
        ASSERT_TRUE(decoded.ok()) << decoded.reason;
        EXPECT_EQ(decoded.image.bgra, source.bgra);
    }
    source.hasAlpha = true;
    source.bgra[3] = 0;
    source.bgra[7] = 100;
    const DecodeResult withAlpha = decodeTiff(encodeTiff(source, TiffCompression::Lzw));
    ASSERT_TRUE(withAlpha.ok());
    EXPECT_EQ(withAlpha.image.bgra[7], 100);
    EXPECT_LE(maxDifference(std::span(withAlpha.image.bgra).subspan(8), std::span(source.bgra).subspan(8)),
              0);
}

// Writes a TIFF with libtiff directly: the given layout, one sample value per pixel and channel computed
// by `sample(x, y, channel)`.
struct TiffLayout {
    int bits = 8;
    int samples = 3;
    int photometric = PHOTOMETRIC_RGB;
    int compression = COMPRESSION_NONE;
    bool tiled = false;
    bool associatedAlpha = false;
};

std::vector<std::uint8_t> libtiffWritten(const TiffLayout& layout, int width, int height,
                                         const std::function<int(int, int, int)>& sample) {
    QTemporaryDir dir;
    const QByteArray path = dir.filePath(QStringLiteral("t.tif")).toLocal8Bit();
    TIFF* tiff = TIFFOpen(path.constData(), "w");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, layout.bits);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, layout.samples);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, layout.photometric);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, layout.compression);
    if (layout.photometric == PHOTOMETRIC_SEPARATED)
        TIFFSetField(tiff, TIFFTAG_INKSET, INKSET_CMYK);
    if (layout.associatedAlpha) {
        const std::uint16_t extra = EXTRASAMPLE_ASSOCALPHA;
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &extra);
    }
    if (layout.photometric == PHOTOMETRIC_PALETTE) {
        std::vector<std::uint16_t> red(256), green(256), blue(256);
        for (int i = 0; i < 256; ++i) {
            red[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(i * 257);
            green[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>((255 - i) * 257);
            blue[static_cast<std::size_t>(i)] = 0;
        }
        TIFFSetField(tiff, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
    }
    const int bytesPerSample = layout.bits / 8;
    auto put = [&](std::uint8_t* at, int value) {
        if (bytesPerSample == 2) {
            const std::uint16_t wide = static_cast<std::uint16_t>(value * 257);
            std::memcpy(at, &wide, 2);
        } else {
            *at = static_cast<std::uint8_t>(value);
        }
    };
    const int pixelBytes = layout.samples * bytesPerSample;
    if (layout.tiled) {
        TIFFSetField(tiff, TIFFTAG_TILEWIDTH, 16);
        TIFFSetField(tiff, TIFFTAG_TILELENGTH, 16);
        std::vector<std::uint8_t> tile(static_cast<std::size_t>(16 * 16 * pixelBytes));
        for (int ty = 0; ty < height; ty += 16) {
            for (int tx = 0; tx < width; tx += 16) {
                std::fill(tile.begin(), tile.end(), 0);
                for (int y = 0; y < 16 && ty + y < height; ++y)
                    for (int x = 0; x < 16 && tx + x < width; ++x)
                        for (int c = 0; c < layout.samples; ++c)
                            put(tile.data() + (y * 16 + x) * pixelBytes + c * bytesPerSample,
                                sample(tx + x, ty + y, c));
                TIFFWriteTile(tiff, tile.data(), static_cast<std::uint32_t>(tx),
                              static_cast<std::uint32_t>(ty), 0, 0);
            }
        }
    } else {
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 4);
        std::vector<std::uint8_t> row(static_cast<std::size_t>(width * pixelBytes));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < layout.samples; ++c)
                    put(row.data() + x * pixelBytes + c * bytesPerSample, sample(x, y, c));
            TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y), 0);
        }
    }
    TIFFClose(tiff);
    return imaging_test::readBytes(dir.filePath(QStringLiteral("t.tif")));
}

// B,G,R,A of pixel (x, y).
std::array<int, 4> pixel(const RasterImage& image, int x, int y) {
    const std::uint8_t* p = image.row(y) + x * 4;
    return {p[0], p[1], p[2], p[3]};
}

TEST(TiffCodec, ReadsLibtiffTilesSixteenBitsPaletteGreyCmykAndAssociatedAlpha) {
    auto rgb = [](int x, int y, int c) { return c == 0 ? x * 8 : c == 1 ? y * 8 : 77; };
    for (const TiffLayout& layout : {TiffLayout{8, 3, PHOTOMETRIC_RGB, COMPRESSION_DEFLATE, true},
                                     TiffLayout{16, 3, PHOTOMETRIC_RGB, COMPRESSION_LZW, false},
                                     TiffLayout{8, 3, PHOTOMETRIC_RGB, COMPRESSION_PACKBITS, false}}) {
        const DecodeResult decoded = decodeTiff(libtiffWritten(layout, 20, 18, rgb));
        ASSERT_TRUE(decoded.ok()) << decoded.reason << " bits " << layout.bits;
        EXPECT_EQ(pixel(decoded.image, 5, 7), (std::array<int, 4>{77, 56, 40, 255}));
        EXPECT_EQ(pixel(decoded.image, 19, 17), (std::array<int, 4>{77, 136, 152, 255}));
    }

    const DecodeResult palette =
        decodeTiff(libtiffWritten({8, 1, PHOTOMETRIC_PALETTE}, 8, 8, [](int x, int, int) { return x * 30; }));
    ASSERT_TRUE(palette.ok()) << palette.reason;
    EXPECT_EQ(pixel(palette.image, 2, 3), (std::array<int, 4>{0, 195, 60, 255}));

    const DecodeResult grey = decodeTiff(
        libtiffWritten({16, 1, PHOTOMETRIC_MINISBLACK}, 8, 8, [](int x, int y, int) { return x * 10 + y; }));
    ASSERT_TRUE(grey.ok()) << grey.reason;
    EXPECT_EQ(pixel(grey.image, 3, 4), (std::array<int, 4>{34, 34, 34, 255}));

    // Pure cyan ink with no black: green and blue full, red empty.
    const DecodeResult cmyk = decodeTiff(libtiffWritten({8, 4, PHOTOMETRIC_SEPARATED}, 8, 8,
                                                        [](int, int, int c) { return c == 0 ? 255 : 0; }));
    ASSERT_TRUE(cmyk.ok()) << cmyk.reason;
    EXPECT_EQ(pixel(cmyk.image, 1, 1), (std::array<int, 4>{255, 255, 0, 255}));

    // Premultiplied half-transparent red comes back straight.
    TiffLayout alpha{8, 4, PHOTOMETRIC_RGB};
    alpha.associatedAlpha = true;
    const DecodeResult straight = decodeTiff(libtiffWritten(alpha, 8, 8, [](int, int, int c) {
        return c == 0 ? 100 : c == 3 ? 100 : 0;
    }));
    ASSERT_TRUE(straight.ok()) << straight.reason;
    EXPECT_TRUE(straight.image.hasAlpha);
    EXPECT_EQ(pixel(straight.image, 0, 0), (std::array<int, 4>{0, 0, 255, 100}));
}

// The CRC-32 of PNG chunks (and zlib), bit by bit.
std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// Big-endian 32-bit value into bytes.
void putBig(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

TEST(Codecs, DamagedTruncatedAndHostileFilesFailCleanly) {
    const RasterImage source = gradientRaster(64, 64);
    std::vector<std::uint8_t> bgr(64 * 64 * 3, 128);
    std::string reason;
    const auto jpeg = encodeJpeg(bgr.data(), 64, 64, 64 * 3, JpegInput::Bgr, 90, reason);
    const auto png = encodePng(source);
    const auto gif = encodeGif(source);
    const auto tiff = encodeTiff(source, TiffCompression::None);
    using Decoder = DecodeResult (*)(std::span<const std::uint8_t>);
    const std::vector<std::pair<Decoder, std::vector<std::uint8_t>>> files{
        {decodeJpeg, jpeg}, {decodePng, png}, {decodeGif, gif}, {decodeTiff, tiff}};
    for (const auto& [decode, file] : files) {
        for (const std::size_t length : {std::size_t{0}, std::size_t{3}, std::size_t{20}, file.size() / 3})
            EXPECT_FALSE(decode(std::span(file).first(length)).ok()) << length;
        // Garbage in the middle: any answer is fine, as long as it comes back.
        std::vector<std::uint8_t> damaged = file;
        for (std::size_t i = damaged.size() / 2; i < damaged.size() / 2 + 40 && i < damaged.size(); ++i)
            damaged[i] ^= 0x5A;
        const DecodeResult ignored = decode(damaged);
        (void)ignored;
    }

    // Announced sizes far beyond the data: refused before pixels are allocated. The header's checksum is
    // made right again, so the file reaches our own checks rather than libpng's CRC test.
    auto pngOfSize = [&png](std::uint32_t width, std::uint32_t height) {
        std::vector<std::uint8_t> patched = png;
        putBig(patched, 16, width);
        putBig(patched, 20, height);
        putBig(patched, 29, crc32(std::span(patched).subspan(12, 17))); // over "IHDR" and its 13 bytes
        return patched;
    };
    EXPECT_EQ(decodePng(pngOfSize(60000, 60000)).reason, "picture too large");
    EXPECT_EQ(decodePng(pngOfSize(9000, 9000)).reason, "file too short for its picture size");
    EXPECT_TRUE(decodePng(pngOfSize(64, 64)).ok()); // the checksum is right

    std::vector<std::uint8_t> hugeGif = gif;
    hugeGif[6] = hugeGif[7] = hugeGif[8] = hugeGif[9] = 0xFF; // logical screen 65535 × 65535
    const DecodeResult screen = decodeGif(hugeGif);
    ASSERT_TRUE(screen.ok()) << screen.reason;
    EXPECT_EQ(screen.image.width, 64); // the oversized screen is ignored, the picture kept
    EXPECT_EQ(screen.image.height, 64);

    std::vector<std::uint8_t> hugeJpeg = jpeg;
    for (std::size_t i = 0; i + 8 < hugeJpeg.size(); ++i) {
        if (hugeJpeg[i] == 0xFF && hugeJpeg[i + 1] == 0xC0) { // SOF0: height, width at +5, +7
            hugeJpeg[i + 5] = hugeJpeg[i + 6] = hugeJpeg[i + 7] = hugeJpeg[i + 8] = 0xFF;
            break;
        }
    }
    EXPECT_FALSE(decodeJpeg(hugeJpeg).ok());

    RasterImage wide;
    wide.width = 30000;
    wide.height = 1;
    wide.bgra.assign(wide.stride(), 0);
    const auto wideTiff = encodeTiff(wide, TiffCompression::None);
    std::vector<std::uint8_t> tallTiff = wideTiff;
    // Make the uncompressed picture 30000 × 3000 by rewriting the length tag's value: within the pixel cap,
    // so only the check of the data against the file's length can refuse it.
    const std::uint8_t lengthTag[] = {0x01, 0x01}; // 257, little endian
    const auto where =
        std::search(tallTiff.begin(), tallTiff.end(), std::begin(lengthTag), std::end(lengthTag));
    ASSERT_NE(where, tallTiff.end());
    where[8] = 0xB8, where[9] = 0x0B; // 3000
    const DecodeResult tall = decodeTiff(tallTiff);
    EXPECT_EQ(tall.error, CodecError::Truncated);
    EXPECT_EQ(tall.reason, "file too short for its picture size");
}

} // namespace
} // namespace imaging
