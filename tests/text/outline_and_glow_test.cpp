#include "text/glow.h"
#include "text/outline_paths.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <gtest/gtest.h>

namespace {

TEST(BevelOutline, RightAndDownAreLitLeftAndUpAreShaded) {
    QImage image(100, 100, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainterPath square;
    square.moveTo(20, 20);
    square.lineTo(80, 20); // right
    square.lineTo(80, 80); // down
    square.lineTo(20, 80); // left; the figure closes upwards without a last point
    QPainter painter(&image);
    text::drawBevelOutline(painter, square, QPen(Qt::red, 3), QPen(Qt::blue, 3));
    painter.end();
    EXPECT_EQ(qRgb(255, 0, 0), image.pixel(50, 20));
    EXPECT_EQ(qRgb(255, 0, 0), image.pixel(80, 50));
    EXPECT_EQ(qRgb(0, 0, 255), image.pixel(50, 80));
    EXPECT_EQ(qRgb(0, 0, 255), image.pixel(20, 50)) << "the closing segment is drawn too";
    EXPECT_EQ(qRgb(255, 255, 255), image.pixel(50, 50));
}

TEST(UnionOutline, OverlapsMergeAndCurvesFlatten) {
    QPainterPath path;
    path.addRect(0, 0, 40, 40);
    path.addRect(20, 20, 40, 40);
    path.addEllipse(100, 0, 40, 40);
    const QPainterPath outline = text::unionOutline(path, 0.25);
    int figures = 0;
    for (int i = 0; i < outline.elementCount(); ++i) {
        figures += outline.elementAt(i).isMoveTo();
        EXPECT_FALSE(outline.elementAt(i).isCurveTo());
    }
    EXPECT_EQ(2, figures);
    EXPECT_TRUE(outline.contains(QPointF(30, 30)) && outline.contains(QPointF(50, 50)));
    // Within a quarter pixel of the true circle.
    EXPECT_TRUE(outline.contains(QPointF(120, 0.3)));
    EXPECT_FALSE(outline.contains(QPointF(120 + 14.3, 20 - 14.3)));
}

TEST(Glow, StretchesBackSmoothlyWithinItsReach) {
    QImage image(200, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(10, 10); // the glow follows the painter's coordinates
    const QRectF area(40, 30, 100, 40);
    text::drawGlow(painter, area, 4, [&](QPainter& small) { small.fillRect(area, Qt::black); });
    painter.end();
    EXPECT_EQ(255, qAlpha(image.pixel(100, 60))) << "solid inside";
    EXPECT_EQ(0, qAlpha(image.pixel(50 - 9, 60))) << "nothing beyond twice the factor";
    const int edge = qAlpha(image.pixel(50, 60));
    EXPECT_GT(edge, 60);
    EXPECT_LT(edge, 200) << "the edge is soft";
    for (int x = 40; x < 60; ++x)
        EXPECT_LE(qAlpha(image.pixel(x, 60)), qAlpha(image.pixel(x + 1, 60))) << "no ringing at " << x;
}

} // namespace
