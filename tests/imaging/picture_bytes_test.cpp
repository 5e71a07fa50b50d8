// Pictures decoded and drawn from encoded bytes in memory.

#include "imaging/files/picture_bytes.h"
#include "test_pictures.h"

#include <QBuffer>
#include <QPainter>
#include <gtest/gtest.h>

namespace imaging {
namespace {

std::vector<std::uint8_t> pngOf(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "png"));
    return {buffer.data().begin(), buffer.data().end()};
}

TEST(DecodePictureBytes, GivesBgrAndStraightBgraTopRowFirst) {
    const QImage image = imaging_test::gradient(8, 4);
    const auto rgb = DecodePictureBytesRgb(pngOf(image));
    ASSERT_TRUE(rgb.has_value());
    EXPECT_EQ(rgb->width, 8);
    EXPECT_EQ(rgb->bgr, imaging_test::gradientBgr(8, 4));

    QImage translucent(2, 1, QImage::Format_ARGB32);
    translucent.setPixel(0, 0, qRgba(10, 20, 30, 128));
    translucent.setPixel(1, 0, qRgba(1, 2, 3, 255));
    const auto bgra = DecodePictureBytes(pngOf(translucent));
    ASSERT_TRUE(bgra.has_value());
    EXPECT_TRUE(bgra->hasAlpha);
    EXPECT_EQ(bgra->bgra, (std::vector<std::uint8_t>{30, 20, 10, 128, 3, 2, 1, 255}));

    EXPECT_FALSE(DecodePictureBytesRgb({}).has_value());
    const std::vector<std::uint8_t> junk{1, 2, 3, 4, 5};
    EXPECT_FALSE(DecodePictureBytes(junk).has_value());
}

TEST(DrawPictureBytes, FlipsTheStoredThumbnailUprightAndTurnsIt) {
    // Stored bottom row first: row 0 (the picture's bottom) red, row 1 (its top) blue; 2 × 2 pixels.
    QImage stored(2, 2, QImage::Format_RGB32);
    stored.setPixel(0, 0, qRgb(255, 0, 0));
    stored.setPixel(1, 0, qRgb(255, 0, 0));
    stored.setPixel(0, 1, qRgb(0, 0, 255));
    stored.setPixel(1, 1, qRgb(0, 255, 0)); // top right of the picture: green
    const auto bytes = pngOf(stored);
    auto draw = [&](int rotation, bool mirror) {
        QImage canvas(2, 2, QImage::Format_RGB32);
        canvas.fill(Qt::black);
        QPainter painter(&canvas);
        EXPECT_EQ(DrawPictureBytes(bytes, rotation, mirror, painter, QRectF(0, 0, 2, 2)), 1);
        painter.end();
        return canvas;
    };
    const QImage upright = draw(0, false);
    EXPECT_EQ(upright.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(upright.pixel(1, 0), qRgb(0, 255, 0));
    EXPECT_EQ(upright.pixel(0, 1), qRgb(255, 0, 0));
    // A quarter turn clockwise: the top-left corner goes to the top right.
    const QImage quarter = draw(1, false);
    EXPECT_EQ(quarter.pixel(1, 0), qRgb(0, 0, 255));
    EXPECT_EQ(quarter.pixel(1, 1), qRgb(0, 255, 0));
    // Mirror: a half turn of the stored rows, so left and right swap as well.
    const QImage mirrored = draw(0, true);
    EXPECT_EQ(mirrored.pixel(0, 0), qRgb(0, 255, 0));

    QImage canvas(2, 2, QImage::Format_RGB32);
    QPainter painter(&canvas);
    EXPECT_EQ(DrawPictureBytes({}, 0, false, painter, QRectF(0, 0, 2, 2)), 0);
}

} // namespace
} // namespace imaging
