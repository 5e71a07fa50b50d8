// Loading photos, probes and scaled copies: the route rule, the size cap, row and channel order.

#include "imaging/files/jpeg_codec.h"
#include "imaging/files/jpeg_thumbnail.h"
#include "imaging/files/photo_loading.h"
#include "imaging/reduce_by_area.h"
#include "imaging/resample_bilinear.h"
#include "support/temp_folder.h"
#include "test_pictures.h"

#include <cmath>
#include <gtest/gtest.h>

namespace imaging {
namespace {

using imaging_test::gradient;
using testing_support::TempFolder;

class Loading : public ::testing::Test {
protected:
    QString saved(const QImage& image, const QString& name, const char* format = nullptr) {
        const QString path = folder.file(name);
        EXPECT_TRUE(image.save(path, format, 100)) << name.toStdString();
        return path;
    }
    QString written(const QString& name, const std::vector<std::uint8_t>& bytes) {
        const QString path = folder.file(name);
        EXPECT_TRUE(imaging_test::writeBytes(path, bytes));
        return path;
    }
    TempFolder folder;
};

// B,G,R of pixel (x, y) of a photo.
std::array<int, 3> bgrAt(const PhotoBuffer& photo, int x, int y) {
    const std::uint8_t* p = photo.row(y) + x * 3;
    return {p[0], p[1], p[2]};
}

std::array<int, 3> bgrOf(const QImage& image, int x, int y) {
    const QRgb rgb = image.pixel(x, y);
    return {qBlue(rgb), qGreen(rgb), qRed(rgb)};
}

TEST_F(Loading, PhotosWithinTheCapTakeTheDrawingLibraryRouteAndKeepTheirSize) {
    const QImage image = gradient(1600, 1200);
    LoadedPicture loaded;
    ASSERT_TRUE(LoadPhoto(saved(image, "exact.png"), loaded));
    EXPECT_FALSE(loaded.libraryDecoded);
    EXPECT_EQ(loaded.formatCode, 0);
    ASSERT_EQ(loaded.photo.width, 1600);
    ASSERT_EQ(loaded.photo.height, 1200);
    EXPECT_EQ(bgrAt(loaded.photo, 0, 0), bgrOf(image, 0, 0));
    EXPECT_EQ(bgrAt(loaded.photo, 1599, 1199), bgrOf(image, 1599, 1199));
}

TEST_F(Loading, WidthIsRoundedDownToAMultipleOfFourDroppingTheRightColumns) {
    const QImage image = gradient(1023, 20);
    LoadedPicture loaded;
    ASSERT_TRUE(LoadPhoto(saved(image, "odd.bmp"), loaded));
    EXPECT_EQ(loaded.photo.width, 1020);
    EXPECT_EQ(bgrAt(loaded.photo, 1019, 19), bgrOf(image, 1019, 19));

    // The same through the image library.
    const QImage small = gradient(7, 5);
    ASSERT_TRUE(LoadPhoto(written("odd.tga", imaging_test::tgaOf(small)), loaded));
    EXPECT_TRUE(loaded.libraryDecoded);
    EXPECT_EQ(loaded.formatCode, 7);
    EXPECT_EQ(loaded.photo.width, 4);
    EXPECT_EQ(bgrAt(loaded.photo, 3, 0), bgrOf(small, 3, 0));
    EXPECT_EQ(bgrAt(loaded.photo, 3, 4), bgrOf(small, 3, 4));
}

TEST_F(Loading, PicturesAboveTheCapGoThroughTheLibraryAndAreScaledDown) {
    struct Case {
        int width, height, expectedWidth, expectedHeight;
        const char* name;
    };
    for (const Case& c :
         {Case{2000, 1000, 1600, 800, "wide.jpg"}, Case{1000, 2000, 600, 1200, "tall.jpg"},
          Case{2000, 1500, 1600, 1200, "exact43.jpg"}, Case{1602, 1200, 1600, 1198, "just.jpg"}}) {
        LoadedPicture loaded;
        ASSERT_TRUE(LoadPhoto(saved(gradient(c.width, c.height), c.name), loaded)) << c.name;
        EXPECT_TRUE(loaded.libraryDecoded);
        EXPECT_EQ(loaded.formatCode, 3);
        EXPECT_EQ(loaded.photo.width, c.expectedWidth) << c.name;
        EXPECT_EQ(loaded.photo.height, c.expectedHeight) << c.name;
        // Top row first: green grows downwards, red to the right.
        EXPECT_LT(bgrAt(loaded.photo, 0, 0)[1], 12) << c.name;
        EXPECT_GT(bgrAt(loaded.photo, 0, c.expectedHeight - 1)[1], 243) << c.name;
        EXPECT_GT(bgrAt(loaded.photo, c.expectedWidth - 1, 0)[2], 243) << c.name;
    }
}

TEST_F(Loading, PicturesAboveTheCapAreReducedByAreaAveraging) {
    // One-pixel black and white lines, across and along, reduced 3.75 times: an even grey, not stripes.
    // PNG goes through the image library, JPEG is reduced while it is decoded.
    for (const char* name : {"across.png", "along.png", "across.jpg", "along.jpg"}) {
        const bool across = QLatin1String(name).startsWith(QLatin1String("across"));
        QImage lines(6000, 400, QImage::Format_RGB32);
        for (int y = 0; y < lines.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(lines.scanLine(y));
            for (int x = 0; x < lines.width(); ++x)
                row[x] = ((across ? y : x) % 2) != 0 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
        }
        LoadedPicture loaded;
        ASSERT_TRUE(LoadPhoto(saved(lines, QLatin1String(name)), loaded)) << name;
        EXPECT_TRUE(loaded.libraryDecoded);
        ASSERT_EQ(loaded.photo.width, 1600);
        ASSERT_EQ(loaded.photo.height, 106);
        double sum = 0, squares = 0;
        for (const std::uint8_t value : loaded.photo.bgr) {
            sum += value;
            squares += double(value) * value;
        }
        const double count = double(loaded.photo.bgr.size());
        const double mean = sum / count;
        EXPECT_NEAR(mean, 127.5, 3) << name;
        EXPECT_LE(std::sqrt(squares / count - mean * mean), 10.0) << name;
    }

    // Pixels cut by a target pixel's edge count by the share inside: 10, 20, 30, 40, 50 into two is
    // (10 + 20 + 15) / 2.5 and (15 + 40 + 50) / 2.5.
    const std::vector<std::uint8_t> row{10, 20, 30, 40, 50};
    std::array<std::uint8_t, 6> two{};
    ASSERT_TRUE(
        ReduceByArea([&row](int) { return row.data(); }, SourceLayout{1, {0, 0, 0}}, 5, 1, two.data(), 2, 1));
    EXPECT_EQ(two, (std::array<std::uint8_t, 6>{18, 18, 18, 42, 42, 42}));
    EXPECT_FALSE(ReduceByArea([&row](int) { return row.data(); }, SourceLayout{1, {0, 0, 0}}, 5, 1,
                              two.data(), 6, 1)); // only shrinks
}

TEST_F(Loading, ImageLibraryRowsArePutTopRowFirst) {
    const QImage image = gradient(16, 12);
    const QString path = saved(image, "picture.pnm", "ppm");
    LoadedPicture loaded;
    ASSERT_TRUE(LoadPhoto(path, loaded));
    EXPECT_TRUE(loaded.libraryDecoded);
    EXPECT_EQ(loaded.formatCode, 14);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{15, 0}, std::pair{3, 11}})
        EXPECT_EQ(bgrAt(loaded.photo, x, y), bgrOf(image, x, y));
}

TEST_F(Loading, RouteIsChosenByContentAndNeverForMetafileNames) {
    const QImage image = gradient(16, 12);
    // PNG bytes under a .jpg name: the drawing library recognises the content.
    LoadedPicture loaded;
    ASSERT_TRUE(LoadPhoto(saved(image, "misnamed.jpg", "png"), loaded));
    EXPECT_FALSE(loaded.libraryDecoded);
    // Under a .wmf name the library must read it as a metafile, which it is not.
    EXPECT_FALSE(LoadPhoto(saved(image, "picture.WMF", "png"), loaded));
    // A TGA without an extension: the drawing library does not read TGA, the library needs the extension.
    const QString noExtension = written("picture", imaging_test::tgaOf(image));
    int width = 0, height = 0;
    EXPECT_FALSE(ProbePictureSize(noExtension, width, height));
    EXPECT_TRUE(ProbePictureSize(written("picture.tga", imaging_test::tgaOf(image)), width, height));
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 12);
}

TEST_F(Loading, FailedLoadLeavesThePreviousPhoto) {
    LoadedPicture loaded;
    ASSERT_TRUE(LoadPhoto(saved(gradient(8, 8), "good.png"), loaded));
    EXPECT_FALSE(LoadPhoto(written("bad.png", {0x89, 'P', 'N', 'G', 1, 2, 3}), loaded));
    EXPECT_FALSE(LoadPhoto(folder.file("missing.jpg"), loaded));
    EXPECT_EQ(loaded.photo.width, 8);
}

TEST_F(Loading, ScaledLayoutsOnBothRoutes) {
    const QImage image = gradient(24, 16);
    for (const char* name : {"scaled.png", "scaled.tga"}) {
        const QString path = QString::fromLatin1(name).endsWith(QLatin1String("tga"))
                                 ? written(QLatin1String(name), imaging_test::tgaOf(image))
                                 : saved(image, QLatin1String(name));
        std::vector<std::uint8_t> batch(24 * 16 * 3, 0), thumbnail(24 * 16 * 3, 0);
        ASSERT_TRUE(LoadPictureScaled(path, batch.data(), 24, 16, ScaledLayout::Batch)) << name;
        ASSERT_TRUE(LoadPictureScaled(path, thumbnail.data(), 24, 16, ScaledLayout::Thumbnail)) << name;
        // Batch: B,G,R top row first. Thumbnail: R,G,B bottom row first. Same size: same pixels.
        const std::array<int, 3> topLeft = bgrOf(image, 0, 0);
        EXPECT_EQ((std::array<int, 3>{batch[0], batch[1], batch[2]}), topLeft) << name;
        const std::size_t lastRow = 15 * 24 * 3;
        EXPECT_EQ((std::array<int, 3>{thumbnail[lastRow + 2], thumbnail[lastRow + 1], thumbnail[lastRow]}),
                  topLeft)
            << name;
        EXPECT_EQ(std::vector<std::uint8_t>(thumbnail.begin(), thumbnail.begin() + 3),
                  (std::vector<std::uint8_t>{static_cast<std::uint8_t>(qRed(image.pixel(0, 15))),
                                             static_cast<std::uint8_t>(qGreen(image.pixel(0, 15))),
                                             static_cast<std::uint8_t>(qBlue(image.pixel(0, 15)))}));
    }
    std::vector<std::uint8_t> untouched(12, 7);
    EXPECT_FALSE(LoadPictureScaled(folder.file("missing.tga"), untouched.data(), 2, 2, ScaledLayout::Batch));
    EXPECT_EQ(untouched, std::vector<std::uint8_t>(12, 7));
}

TEST_F(Loading, BatchLayoutStretchesTheRoundedWidthBackToTheFullWidth) {
    const QImage image = gradient(1023, 4);
    std::vector<std::uint8_t> batch(1023 * 4 * 3, 0);
    ASSERT_TRUE(LoadPictureScaled(saved(image, "wide.png"), batch.data(), 1023, 4, ScaledLayout::Batch));
    // The drawing library route keeps 1020 columns and resamples them to 1023.
    std::vector<std::uint8_t> rows(1020 * 4 * 3), expected(1023 * 4 * 3);
    const QImage bgr = image.convertToFormat(QImage::Format_BGR888);
    for (int y = 0; y < 4; ++y)
        std::copy_n(bgr.constScanLine(y), 1020 * 3, rows.data() + y * 1020 * 3);
    ResampleBilinear(rows.data(), 1020, 4, expected.data(), 1023, 4, 3, false);
    EXPECT_EQ(batch, expected);
}

TEST_F(Loading, ThumbnailsAreStretchedTo80By80AndStoredBottomRowFirst) {
    // Top half white, bottom half black, tall and thin.
    QImage tall(100, 400, QImage::Format_RGB888);
    tall.fill(Qt::white);
    for (int y = 200; y < 400; ++y)
        for (int x = 0; x < 100; ++x)
            tall.setPixel(x, y, qRgb(0, 0, 0));
    for (const char* name : {"tall.png", "tall.jpg", "tall.tga"}) {
        const QString path = QString::fromLatin1(name).endsWith(QLatin1String("tga"))
                                 ? written(QLatin1String(name), imaging_test::tgaOf(tall))
                                 : saved(tall, QLatin1String(name));
        const CompressedJpeg thumbnail = MakeThumbnailJpeg(path);
        ASSERT_TRUE(thumbnail.ok()) << name << ": " << thumbnail.reason;
        const DecodeResult decoded = decodeJpeg(thumbnail.bytes);
        ASSERT_TRUE(decoded.ok());
        EXPECT_EQ(decoded.image.width, 80);
        EXPECT_EQ(decoded.image.height, 80);
        // The first scanline is the picture's bottom row.
        EXPECT_LT(decoded.image.row(0)[0], 40) << name;
        EXPECT_GT(decoded.image.row(79)[0], 215) << name;
    }
    // A big JPEG goes through the reduced-size decoder and still gives the stretched picture.
    QImage big(1600, 1200, QImage::Format_RGB888);
    big.fill(QColor(200, 40, 10));
    const CompressedJpeg fromBig = MakeThumbnailJpeg(saved(big, "big.jpg"));
    ASSERT_TRUE(fromBig.ok());
    const DecodeResult decoded = decodeJpeg(fromBig.bytes);
    ASSERT_TRUE(decoded.ok());
    EXPECT_NEAR(decoded.image.row(40)[2], 200, 6);
    EXPECT_NEAR(decoded.image.row(40)[0], 10, 6);

    EXPECT_FALSE(MakeThumbnailJpeg(folder.file("missing.png")).ok());
}

TEST(CompressJpegToMemory, RefusesEmptyInputAndWritesGreyWithColourOff) {
    EXPECT_FALSE(CompressJpegToMemory(nullptr, 8, 8, 75, true).ok());
    std::vector<std::uint8_t> red(8 * 8 * 3);
    for (std::size_t i = 0; i < red.size(); i += 3)
        red[i] = 255;
    const CompressedJpeg grey = CompressJpegToMemory(red.data(), 8, 8, 75, false);
    ASSERT_TRUE(grey.ok());
    JpegPixels pixels;
    ASSERT_TRUE(decodeJpegPixels(grey.bytes, 1, 3, pixels));
    EXPECT_NEAR(pixels.pixels[0], 77, 3);
    EXPECT_EQ(pixels.pixels[0], pixels.pixels[2]);
}

} // namespace
} // namespace imaging
