#include "workspace/decorations/brush_cursor.h"

#include <gtest/gtest.h>

using namespace workspace;

namespace {

// 40 × 20, its left half painted, its right half clear, so the cursor shows which way the tip points.
QImage halfTip() {
    QImage tip(40, 20, QImage::Format_ARGB32);
    tip.fill(Qt::transparent);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            tip.setPixel(x, y, qRgba(10, 200, 10, 255));
    return tip;
}

const std::uint32_t kRed = 0x0000FF; // 0x00BBGGRR

} // namespace

TEST(BrushCursor, ShowsTheTipShapeAtTheBrushSizeInTheBrushColour) {
    const QImage cursor = brushCursorPicture(halfTip(), 80, 0, kRed);
    // 80 × 40 with a free pixel ring, odd sides so the hot spot is the middle pixel.
    ASSERT_EQ(cursor.size(), QSize(85, 45));
    const int cx = cursor.width() / 2;
    const int cy = cursor.height() / 2;
    const QRgb painted = cursor.pixel(cx - 20, cy - 8);
    EXPECT_EQ(qRed(painted), 255);
    EXPECT_EQ(qGreen(painted), 0);
    EXPECT_GT(qAlpha(painted), 60);
    EXPECT_LT(qAlpha(painted), 200);                     // half transparent: the photo shows through
    EXPECT_EQ(qAlpha(cursor.pixel(cx + 20, cy - 8)), 0); // the clear half of the tip
    // Outlined dark inside light where the shape ends, so it shows on any photo.
    EXPECT_EQ(cursor.pixel(cx - 40, cy - 8), qRgba(0, 0, 0, 255));
    EXPECT_EQ(cursor.pixel(cx - 41, cy - 8), qRgba(255, 255, 255, 255));
    EXPECT_EQ(cursor.pixel(cx, cy), qRgba(0, 0, 0, 255)); // the centre mark
}

TEST(BrushCursor, TurnsClockwiseWithTheBrushAngleAndStaysWithinCursorLimits) {
    const QImage turned = brushCursorPicture(halfTip(), 80, 90, kRed);
    ASSERT_EQ(turned.size(), QSize(45, 85));
    const int cx = turned.width() / 2;
    const int cy = turned.height() / 2;
    // Clockwise a quarter: the painted left half now points up.
    EXPECT_GT(qAlpha(turned.pixel(cx + 8, cy - 20)), 0);
    EXPECT_EQ(qAlpha(turned.pixel(cx + 8, cy + 20)), 0);

    const QImage huge = brushCursorPicture(halfTip(), 5000, 45, kRed);
    EXPECT_LE(huge.width(), kMaxBrushCursorSide);
    EXPECT_LE(huge.height(), kMaxBrushCursorSide);
    EXPECT_TRUE(brushCursorPicture(QImage(), 50, 0, kRed).isNull());
    EXPECT_FALSE(brushCursorPicture(halfTip(), 0.5, 0, kRed).isNull()); // a speck still has its cross
}
