// Pictures as other programs write them (ImageMagick, netpbm, libtiff's tools, arithmetic-coding JPEG
// writers): each loads on every path, by the same route whatever its row order, with full-range colours.

#include "imaging/image_holder.h"
#include "imaging/files/jpeg_codec.h"
#include "imaging/files/jpeg_thumbnail.h"
#include "imaging/files/photo_loading.h"
#include "support/temp_folder.h"
#include "test_pictures.h"

#include <array>
#include <csetjmp>
#include <cstdio>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <tiffio.h>

namespace imaging {
namespace {

using imaging_test::gradient;
using testing_support::TempFolder;

void putLe(std::vector<std::uint8_t>& bytes, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// An uncompressed true-colour TGA without image ID or colour map, rows bottom first: ImageMagick's
// default. Its first bytes, 00 00 02 00, are also those of a cursor file.
std::vector<std::uint8_t> plainTga(const QImage& image) {
    std::vector<std::uint8_t> bytes{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    putLe(bytes, static_cast<std::uint32_t>(image.width()), 2);
    putLe(bytes, static_cast<std::uint32_t>(image.height()), 2);
    bytes.push_back(24);
    bytes.push_back(0);
    for (int y = image.height() - 1; y >= 0; --y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb rgb = image.pixel(x, y);
            bytes.insert(bytes.end(),
                         {static_cast<std::uint8_t>(qBlue(rgb)), static_cast<std::uint8_t>(qGreen(rgb)),
                          static_cast<std::uint8_t>(qRed(rgb))});
        }
    return bytes;
}

// An 8-bit RGB TIFF of one tile of tileSide × tileSide holding the whole picture, as ImageMagick and
// tiffcp write small pictures.
std::vector<std::uint8_t> tiledTiff(const QImage& image, int tileSide, int compression) {
    TempFolder folder;
    const QByteArray path = folder.file("t.tif").toLocal8Bit();
    TIFF* tiff = TIFFOpen(path.constData(), "w");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, image.width());
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, image.height());
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, compression);
    TIFFSetField(tiff, TIFFTAG_TILEWIDTH, tileSide);
    TIFFSetField(tiff, TIFFTAG_TILELENGTH, tileSide);
    std::vector<std::uint8_t> tile(static_cast<std::size_t>(tileSide * tileSide * 3), 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb rgb = image.pixel(x, y);
            std::uint8_t* p = tile.data() + (y * tileSide + x) * 3;
            p[0] = static_cast<std::uint8_t>(qRed(rgb));
            p[1] = static_cast<std::uint8_t>(qGreen(rgb));
            p[2] = static_cast<std::uint8_t>(qBlue(rgb));
        }
    TIFFWriteTile(tiff, tile.data(), 0, 0, 0, 0);
    TIFFClose(tiff);
    return imaging_test::readBytes(folder.file("t.tif"));
}

// A bitmap file: 40-byte info header (then the masks, when given), the palette, the rows as given.
std::vector<std::uint8_t> bitmapFile(int width, int height, int bits, std::uint32_t compression,
                                     const std::vector<std::uint32_t>& masks,
                                     const std::vector<std::uint8_t>& palette,
                                     const std::vector<std::uint8_t>& rows) {
    const auto offset = static_cast<std::uint32_t>(14 + 40 + masks.size() * 4 + palette.size());
    std::vector<std::uint8_t> bytes{'B', 'M'};
    putLe(bytes, offset + static_cast<std::uint32_t>(rows.size()), 4);
    putLe(bytes, 0, 4);
    putLe(bytes, offset, 4);
    putLe(bytes, 40, 4);
    putLe(bytes, static_cast<std::uint32_t>(width), 4);
    putLe(bytes, static_cast<std::uint32_t>(height), 4);
    putLe(bytes, 1, 2);
    putLe(bytes, static_cast<std::uint32_t>(bits), 2);
    putLe(bytes, compression, 4);
    for (int i = 0; i < 3; ++i)
        putLe(bytes, 0, 4);
    putLe(bytes, static_cast<std::uint32_t>(palette.size() / 4), 4);
    putLe(bytes, 0, 4);
    for (const std::uint32_t mask : masks)
        putLe(bytes, mask, 4);
    bytes.insert(bytes.end(), palette.begin(), palette.end());
    bytes.insert(bytes.end(), rows.begin(), rows.end());
    return bytes;
}

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

// A flat picture in an arithmetic-coded JPEG: a few hundred bytes for millions of pixels.
std::vector<std::uint8_t> arithmeticJpeg(int width, int height, std::array<std::uint8_t, 3> rgb) {
    jpeg_compress_struct cinfo{};
    JpegErrors errors{};
    cinfo.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = [](j_common_ptr info) {
        std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
    };
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
    for (std::size_t i = 0; i < row.size(); ++i)
        row[i] = rgb[i % 3];
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::free(buffer);
        return {};
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    cinfo.arith_code = TRUE;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&cinfo, &pointer, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

class OtherWriters : public ::testing::Test {
protected:
    QString written(const QString& name, const std::vector<std::uint8_t>& bytes) {
        const QString path = folder.file(name);
        EXPECT_TRUE(imaging_test::writeBytes(path, bytes));
        return path;
    }
    // The picture at its own size through the batch path: B,G,R, top row first.
    std::vector<std::uint8_t> batch(const QString& path, int width, int height) {
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width * height * 3), 0);
        EXPECT_TRUE(LoadPictureScaled(path, pixels.data(), width, height, ScaledLayout::Batch))
            << path.toStdString();
        return pixels;
    }
    TempFolder folder;
};

std::array<int, 3> bgrAt(const std::vector<std::uint8_t>& rows, int width, int x, int y) {
    const std::uint8_t* p = rows.data() + (y * width + x) * 3;
    return {p[0], p[1], p[2]};
}

std::array<int, 3> bgrAt(const PhotoBuffer& photo, int x, int y) {
    const std::uint8_t* p = photo.row(y) + x * 3;
    return {p[0], p[1], p[2]};
}

std::array<int, 3> bgrOf(const QImage& image, int x, int y) {
    const QRgb rgb = image.pixel(x, y);
    return {qBlue(rgb), qGreen(rgb), qRed(rgb)};
}

TEST_F(OtherWriters, UncompressedTgaIsNeverTakenForACursor) {
    const QImage image = gradient(8, 6);
    const QString path = written("plain.tga", plainTga(image));
    int width = 0, height = 0;
    ASSERT_TRUE(ProbePictureSize(path, width, height));
    EXPECT_EQ(width, 8);
    EXPECT_EQ(height, 6);
    LoadedPicture loaded;
    ASSERT_TRUE(LoadPhoto(path, loaded));
    EXPECT_TRUE(loaded.libraryDecoded);
    EXPECT_EQ(loaded.formatCode, 7);
    EXPECT_EQ(bgrAt(loaded.photo, 7, 0), bgrOf(image, 7, 0));
    EXPECT_EQ(bgrAt(loaded.photo, 0, 5), bgrOf(image, 0, 5));
    EXPECT_EQ(bgrAt(batch(path, 8, 6), 8, 3, 4), bgrOf(image, 3, 4));
    EXPECT_TRUE(MakeThumbnailJpeg(path).ok());
}

TEST_F(OtherWriters, TiledTiffSmallerThanOneTileFallsBackToOurOwnReader) {
    const QImage image = gradient(7, 5);
    for (const int side : {16, 64}) {
        for (const int compression : {COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE}) {
            const QString path = written(QStringLiteral("tiled%1-%2.tif").arg(side).arg(compression),
                                         tiledTiff(image, side, compression));
            int width = 0, height = 0;
            ASSERT_TRUE(ProbePictureSize(path, width, height));
            EXPECT_EQ(QSize(width, height), QSize(7, 5));
            const std::vector<std::uint8_t> rows = batch(path, 7, 5);
            for (const auto& [x, y] : {std::pair{0, 0}, std::pair{6, 0}, std::pair{3, 4}, std::pair{6, 4}})
                EXPECT_EQ(bgrAt(rows, 7, x, y), bgrOf(image, x, y)) << side << " at " << x << "," << y;
            LoadedPicture loaded;
            ASSERT_TRUE(LoadPhoto(path, loaded)) << side;
            EXPECT_EQ(loaded.photo.width, 4);
            EXPECT_EQ(bgrAt(loaded.photo, 3, 4), bgrOf(image, 3, 4));
            EXPECT_TRUE(MakeThumbnailJpeg(path).ok());
        }
    }
}

TEST_F(OtherWriters, SixteenBitBitmapsReachFullWhiteOnBothRoutes) {
    // Four pixels a row: white, full red, full green, mid blue (5-5-5: blue 16 of 31; 5-6-5 likewise).
    const std::vector<std::uint8_t> rows555{0xFF, 0x7F, 0x00, 0x7C, 0xE0, 0x03, 0x10, 0x00};
    const std::vector<std::uint8_t> rows565{0xFF, 0xFF, 0x00, 0xF8, 0xE0, 0x07, 0x10, 0x00};
    const std::array<std::array<int, 3>, 4> expected{
        {{255, 255, 255}, {0, 0, 255}, {0, 255, 0}, {132, 0, 0}}};
    const QString path555 = written("rgb555.bmp", bitmapFile(4, 1, 16, 0, {}, {}, rows555));
    const QString path565 =
        written("rgb565.bmp", bitmapFile(4, 1, 16, 3, {0xF800, 0x07E0, 0x001F}, {}, rows565));
    for (const QString& path : {path555, path565}) {
        LoadedPicture loaded;
        ASSERT_TRUE(LoadPhoto(path, loaded));
        EXPECT_FALSE(loaded.libraryDecoded);
        const std::vector<std::uint8_t> scaled = batch(path, 4, 1);
        ImageHolder holder;
        ASSERT_TRUE(holder.Load(path));
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(bgrAt(loaded.photo, x, 0), expected[static_cast<std::size_t>(x)]) << x;
            EXPECT_EQ(bgrAt(scaled, 4, x, 0), expected[static_cast<std::size_t>(x)]) << x;
            const std::uint8_t* library = holder.Image()->GetBits(0) + x * 3;
            EXPECT_EQ((std::array<int, 3>{library[0], library[1], library[2]}),
                      expected[static_cast<std::size_t>(x)]);
        }
    }
}

TEST_F(OtherWriters, TopDownBitmapsTakeTheSameRouteAsBottomUpOnes) {
    // 7 × 3, so the two routes would differ: the drawing library keeps 4 columns and stretches them.
    const QImage image = gradient(7, 3);
    std::vector<std::uint8_t> bottomUp24, topDown24, bottomUp8, topDown8, palette;
    for (int i = 0; i < 21; ++i) {
        const QRgb rgb = image.pixel(i % 7, i / 7);
        palette.insert(palette.end(),
                       {static_cast<std::uint8_t>(qBlue(rgb)), static_cast<std::uint8_t>(qGreen(rgb)),
                        static_cast<std::uint8_t>(qRed(rgb)), 0});
    }
    auto row24 = [&](int y) {
        std::vector<std::uint8_t> row;
        for (int x = 0; x < 7; ++x) {
            const QRgb rgb = image.pixel(x, y);
            row.insert(row.end(),
                       {static_cast<std::uint8_t>(qBlue(rgb)), static_cast<std::uint8_t>(qGreen(rgb)),
                        static_cast<std::uint8_t>(qRed(rgb))});
        }
        row.resize(24, 0); // rows padded to 32 bits
        return row;
    };
    auto row8 = [&](int y) {
        std::vector<std::uint8_t> row;
        for (int x = 0; x < 7; ++x)
            row.push_back(static_cast<std::uint8_t>(y * 7 + x));
        row.resize(8, 0);
        return row;
    };
    for (int y = 0; y < 3; ++y) {
        const auto top24 = row24(y), bottom24 = row24(2 - y), top8 = row8(y), bottom8 = row8(2 - y);
        topDown24.insert(topDown24.end(), top24.begin(), top24.end());
        bottomUp24.insert(bottomUp24.end(), bottom24.begin(), bottom24.end());
        topDown8.insert(topDown8.end(), top8.begin(), top8.end());
        bottomUp8.insert(bottomUp8.end(), bottom8.begin(), bottom8.end());
    }
    const std::pair<QString, QString> pairs[] = {
        {written("up24.bmp", bitmapFile(7, 3, 24, 0, {}, {}, bottomUp24)),
         written("down24.bmp", bitmapFile(7, -3, 24, 0, {}, {}, topDown24))},
        {written("up8.bmp", bitmapFile(7, 3, 8, 0, {}, palette, bottomUp8)),
         written("down8.bmp", bitmapFile(7, -3, 8, 0, {}, palette, topDown8))},
    };
    for (const auto& [bottomUp, topDown] : pairs) {
        int width = 0, height = 0;
        ASSERT_TRUE(ProbePictureSize(topDown, width, height));
        EXPECT_EQ(QSize(width, height), QSize(7, 3));
        EXPECT_EQ(batch(topDown, 7, 3), batch(bottomUp, 7, 3)) << topDown.toStdString();
        LoadedPicture up, down;
        ASSERT_TRUE(LoadPhoto(bottomUp, up));
        ASSERT_TRUE(LoadPhoto(topDown, down));
        EXPECT_FALSE(down.libraryDecoded);
        EXPECT_EQ(down.photo.bgr, up.photo.bgr);
        EXPECT_EQ(bgrAt(down.photo, 3, 0), bgrOf(image, 3, 0));
    }
}

TEST_F(OtherWriters, PamWithAlphaLoadsThroughThePnmReader) {
    std::string header = "P7\nWIDTH 8\nHEIGHT 2\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    std::vector<std::uint8_t> bytes(header.begin(), header.end());
    for (int i = 0; i < 16; ++i)
        bytes.insert(bytes.end(),
                     {static_cast<std::uint8_t>(i * 10), 100, 200, static_cast<std::uint8_t>(i * 16)});
    const QString path = written("alpha.pnm", bytes);
    LoadedPicture loaded;
    ASSERT_TRUE(LoadPhoto(path, loaded));
    EXPECT_TRUE(loaded.libraryDecoded);
    EXPECT_EQ(loaded.formatCode, 14);
    EXPECT_EQ(loaded.photo.width, 8);
    // The colour values are kept, as for the library's other formats with alpha.
    EXPECT_EQ(bgrAt(loaded.photo, 5, 1), (std::array<int, 3>{200, 100, 130}));
    EXPECT_TRUE(MakeThumbnailJpeg(path).ok());
}

TEST_F(OtherWriters, HighlyCompressedJpegLoadsAsAPhotoAndAThumbnail) {
    const std::vector<std::uint8_t> jpeg = arithmeticJpeg(4000, 3000, {30, 140, 220});
    ASSERT_FALSE(jpeg.empty());
    ASSERT_LT(jpeg.size(), 2000u); // far fewer bytes than any bytes-per-pixel rule would allow
    const QString path = written("flat.jpg", jpeg);
    LoadedPicture loaded;
    ASSERT_TRUE(LoadPhoto(path, loaded));
    EXPECT_EQ(QSize(loaded.photo.width, loaded.photo.height), QSize(1600, 1200));
    const auto centre = bgrAt(loaded.photo, 800, 600);
    EXPECT_NEAR(centre[0], 220, 3);
    EXPECT_NEAR(centre[2], 30, 3);
    EXPECT_TRUE(MakeThumbnailJpeg(path).ok());
    ImageHolder holder;
    EXPECT_TRUE(holder.Load(path));
}

} // namespace
} // namespace imaging
