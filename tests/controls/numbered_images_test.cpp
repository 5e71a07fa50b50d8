#include "controls/numbered_images.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace controls;

namespace {

// Every number the editor's windows ask for.
const std::vector<int> kListedIds = {128, 132, 133, 134, 135, 136, 137, 138, 141, 178, 179, 180, 181, 187,
                                     188, 189, 190, 192, 217, 218, 219, 220, 221, 222, 236, 240, 241};

int opaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    return count;
}

double luminance(QRgb c) {
    return 0.2126 * qRed(c) + 0.7152 * qGreen(c) + 0.0722 * qBlue(c);
}

double meanLuminance(const QImage& image) {
    double sum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255) {
                sum += luminance(image.pixel(x, y));
                ++count;
            }
    return count ? sum / count : 0;
}

} // namespace

TEST(NumberedImages, EveryListedNumberIsDrawnAtRatiosOneAndTwo) {
    EXPECT_EQ(numberedImageIds(), kListedIds);
    for (const int id : kListedIds) {
        SCOPED_TRACE(id);
        const QSize natural = numberedImageSize(id);
        ASSERT_FALSE(natural.isEmpty());
        const QPixmap single = numberedImage(id, 1.0);
        const QPixmap doubled = numberedImage(id, 2.0);
        ASSERT_FALSE(single.isNull());
        ASSERT_FALSE(doubled.isNull());
        EXPECT_EQ(single.size(), natural);
        EXPECT_EQ(doubled.size(), natural * 2);
        EXPECT_EQ(doubled.deviceIndependentSize().toSize(), natural);
        // Something is drawn, and at ratio 2 about four times as many pixels carry it.
        const int one = opaquePixels(single.toImage());
        const int two = opaquePixels(doubled.toImage());
        EXPECT_GT(one, 0);
        EXPECT_NEAR(two, 4.0 * one, 0.25 * 4.0 * one + 16);
    }
}

TEST(NumberedImages, UnknownNumbersGiveNothing) {
    for (const int id : {0, -1, 100, 131, 139, 191, 223, 1000}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(numberedImage(id, 1.0).isNull());
        EXPECT_TRUE(numberedImage(id, QSize(20, 20), 2.0).isNull());
        EXPECT_TRUE(numberedImageSize(id).isEmpty());
        QImage canvas(8, 8, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        EXPECT_FALSE(paintNumberedImage(painter, id, QRectF(0, 0, 8, 8)));
        painter.end();
        EXPECT_EQ(opaquePixels(canvas), 0);
    }
    EXPECT_TRUE(numberedImage(136, QSize(), 1.0).isNull());
    EXPECT_TRUE(numberedIcon(136).isNull());
    EXPECT_EQ(numberedCursor(136).shape(), Qt::ArrowCursor);
}

TEST(NumberedImages, CaptionButtonStatesLookDifferent) {
    for (const auto& ids :
         {std::array{136, 217, 218}, std::array{137, 219, 220}, std::array{138, 221, 222}}) {
        const QImage normal = numberedImage(ids[0], 2.0).toImage();
        EXPECT_NE(normal, numberedImage(ids[1], 2.0).toImage()) << ids[1];
        EXPECT_NE(normal, numberedImage(ids[2], 2.0).toImage()) << ids[2];
        EXPECT_NE(numberedImage(ids[1], 2.0).toImage(), numberedImage(ids[2], 2.0).toImage());
    }
    EXPECT_NE(numberedImage(187, 1.0).toImage(), numberedImage(188, 1.0).toImage());
}

TEST(NumberedImages, TabCaptionsStayReadableOnTheirFaces) {
    // The active tab carries dark text (60, 60, 60), the others light text (220, 225, 230).
    const double active = meanLuminance(numberedImage(192, QSize(150, 25), 1.0).toImage());
    const double inactive = meanLuminance(numberedImage(141, QSize(150, 25), 1.0).toImage());
    EXPECT_GT(active - 60, 120);
    EXPECT_GT(luminance(qRgb(220, 225, 230)) - inactive, 80);
}

TEST(NumberedImages, StretchedPicturesFillTheWholeTarget) {
    // Skin edges are drawn at the window's length and tabs at the tab's width: no gaps at the ends.
    const QImage top = numberedImage(135, QSize(900, 30), 1.0).toImage();
    EXPECT_EQ(qAlpha(top.pixel(450, 0)), 255);
    EXPECT_EQ(qAlpha(top.pixel(450, 29)), 255);
    const QImage left = numberedImage(133, QSize(20, 700), 2.0).toImage();
    EXPECT_EQ(qAlpha(left.pixel(0, 1399)), 255);
    EXPECT_EQ(qAlpha(left.pixel(39, 0)), 255);
}

TEST(NumberedImages, CellFrameBordersThePictureAndShadowsIt) {
    // Stretched one pixel outside a 66 × 50 picture on the left and top, two on the right and bottom.
    const QImage frame = numberedImage(189, QSize(69, 53), 1.0).toImage();
    const QRgb border = frame.pixel(0, 25);
    const QRgb shadow = frame.pixel(68, 25);
    EXPECT_EQ(qAlpha(border), 255);
    EXPECT_LT(luminance(border), 215);
    EXPECT_GT(qAlpha(shadow), 0);
    EXPECT_EQ(qAlpha(frame.pixel(0, 52)), 0); // the shadow is offset, leaving the corner clear
}

TEST(NumberedImages, CursorsAndWindowIcon) {
    for (const int id : {178, 179, 180, 181}) {
        const QCursor cursor = numberedCursor(id);
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor) << id;
        EXPECT_FALSE(cursor.pixmap().isNull()) << id;
        const QRect area(QPoint(0, 0), cursor.pixmap().deviceIndependentSize().toSize());
        EXPECT_TRUE(area.contains(cursor.hotSpot())) << id;
    }
    const QIcon icon = numberedIcon(128);
    ASSERT_FALSE(icon.isNull());
    for (const int side : {16, 32, 48, 256})
        EXPECT_EQ(icon.pixmap(QSize(side, side)).size(), QSize(side, side));
}
