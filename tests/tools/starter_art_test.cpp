// The pieces the starter art is built from: noise, profiles, mouldings, soft planes, cropping, the frame
// finishing and the compositions the contact sheet shows.

#include "art_kit.h"
#include "clipart_art.h"
#include "frame_art.h"
#include "mask_art.h"
#include "moulding.h"
#include "noise.h"
#include "preview_compose.h"
#include "profile.h"
#include "work_pool.h"

#include <QPainter>
#include <atomic>
#include <gtest/gtest.h>

namespace starter {
namespace {

TEST(StarterNoise, IsReproducibleBoundedAndSmooth) {
    double lowest = 1;
    double highest = 0;
    for (int i = -200; i < 200; ++i) {
        const double x = i * 0.37;
        const double y = -i * 0.73;
        const double value = fractalNoise(7, x, y, 4);
        EXPECT_EQ(value, fractalNoise(7, x, y, 4));
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
        // Smooth: a step of a hundredth of the lattice barely changes it, negative coordinates included.
        EXPECT_NEAR(valueNoise(3, x, y), valueNoise(3, x + 0.01, y), 0.05);
    }
    EXPECT_GE(lowest, 0.0);
    EXPECT_LE(highest, 1.0);
    EXPECT_GT(highest - lowest, 0.3) << "the noise is nearly flat";
    EXPECT_NE(valueNoise(1, 0.5, 0.5), valueNoise(2, 0.5, 0.5));

    Scatter first(42);
    Scatter second(42);
    for (int i = 0; i < 1000; ++i) {
        const double value = first.range(-3, 5);
        EXPECT_EQ(value, second.range(-3, 5));
        EXPECT_GE(value, -3);
        EXPECT_LT(value, 5);
        const int index = first.below(7);
        second.below(7);
        EXPECT_GE(index, 0);
        EXPECT_LT(index, 7);
    }
}

TEST(StarterProfile, PassesThroughItsKnotsAndStaysBetweenThem) {
    const Profile profile{{0.0, 2}, {0.3, 10, Ease::Convex}, {0.6, 4, Ease::Concave}, {1.0, 8, Ease::Linear}};
    EXPECT_DOUBLE_EQ(profile.at(0.0), 2);
    EXPECT_DOUBLE_EQ(profile.at(0.3), 10);
    EXPECT_DOUBLE_EQ(profile.at(0.6), 4);
    EXPECT_DOUBLE_EQ(profile.at(1.0), 8);
    EXPECT_DOUBLE_EQ(profile.at(-1.0), 2);
    EXPECT_DOUBLE_EQ(profile.at(2.0), 8);
    EXPECT_DOUBLE_EQ(profile.at(0.8), 6);
    for (double t = 0; t <= 1; t += 0.01) {
        const double h = profile.at(t);
        EXPECT_GE(h, 2);
        EXPECT_LE(h, 10);
    }
    // Convex rises fast and flattens: past the middle of its segment it is above the straight line.
    EXPECT_GT(profile.at(0.15), 6);
    // Concave falls slowly first.
    EXPECT_GT(profile.at(0.45), 7);
}

TEST(StarterMoulding, PaintsTheWholeBandWithMitresFromCornerToCorner) {
    QImage canvas = blankCanvas(100, 80);
    const QRect outer(5, 5, 90, 70);
    const QRect hole(25, 20, 50, 40); // sides of 20 (left, right) and 15 (top, bottom)
    const QRgb sideColours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};
    double largestT = 0;
    paintMoulding(
        canvas, outer, hole, [](const MouldingPoint& p) { return p.t(); },
        [&](const MouldingPoint& p, const Vec3&) {
            largestT = std::max(largestT, p.t());
            return sideColours[static_cast<int>(p.side)];
        });
    EXPECT_LE(largestT, 1.0);
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const int alpha = qAlpha(canvas.pixel(x, y));
            if (!outer.contains(x, y) || hole.contains(x, y))
                EXPECT_EQ(alpha, 0) << x << "," << y;
            else
                EXPECT_EQ(alpha, 255) << x << "," << y;
        }
    }
    // Each side owns its middle; a mitre pixel mixes its two sides.
    EXPECT_EQ(canvas.pixel(50, 8), sideColours[0]);
    EXPECT_EQ(canvas.pixel(90, 40), sideColours[1]);
    EXPECT_EQ(canvas.pixel(50, 70), sideColours[2]);
    EXPECT_EQ(canvas.pixel(8, 40), sideColours[3]);
    EXPECT_EQ(canvas.pixel(22, 10), sideColours[0]) << "above the top-left mitre";
    EXPECT_EQ(canvas.pixel(10, 16), sideColours[3]) << "below the top-left mitre";
    const QRgb mitre = canvas.pixel(15, 12); // on the line from (5, 5) to (25, 20)
    EXPECT_GT(qRed(mitre), 200);
    EXPECT_GT(qGreen(mitre), 40);
    EXPECT_LT(qGreen(mitre), 215);
}

TEST(StarterPlanes, BlurKeepsLevelsAndSpreadsEvenly) {
    GreyPlane flat(40, 30, 0.6f);
    blur(flat, 9);
    for (const float value : flat.values)
        EXPECT_NEAR(value, 0.6f, 1e-5);

    GreyPlane dot(61, 61, 0);
    dot.at(30, 30) = 1;
    blur(dot, 8);
    double total = 0;
    for (const float value : dot.values)
        total += value;
    EXPECT_NEAR(total, 1.0, 1e-4);
    EXPECT_FLOAT_EQ(dot.at(25, 30), dot.at(35, 30));
    EXPECT_FLOAT_EQ(dot.at(30, 24), dot.at(30, 36));
    EXPECT_GT(dot.at(30, 30), dot.at(33, 30));
}

TEST(StarterCropping, KeepsEveryVisiblePixelAndAClearMargin) {
    QImage canvas = blankCanvas(50, 40);
    canvas.setPixel(10, 7, qRgba(20, 0, 0, 20));
    canvas.setPixel(30, 22, qRgba(255, 255, 255, 255));
    const QImage cropped = croppedToContent(canvas, 2);
    EXPECT_EQ(cropped.size(), QSize(21 + 4, 16 + 4));
    EXPECT_EQ(cropped.pixel(2, 2), canvas.pixel(10, 7));
    EXPECT_EQ(cropped.pixel(22, 17), canvas.pixel(30, 22));
    EXPECT_EQ(qAlpha(cropped.pixel(0, 0)), 0);

    const QImage empty = blankCanvas(8, 8);
    EXPECT_EQ(croppedToContent(empty, 2).size(), empty.size());
}

TEST(StarterFrames, FinishingCutsTheHoleAndFillsItInTheThumbnail) {
    QImage canvas = blankCanvas(200, 150);
    canvas.fill(qRgba(120, 80, 40, 255)); // painted right across the hole, as decoration may be
    const QRect hole = centredHole(200, 150, 30, 25);
    EXPECT_EQ(hole, QRect(30, 25, 140, 100));
    const StarterEntry frame = finishedFrame(QStringLiteral("test"), canvas, hole);
    EXPECT_EQ(frame.picture.format(), QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(frame.picture.pixel(30, 25)), 0);
    EXPECT_EQ(qAlpha(frame.picture.pixel(169, 124)), 0);
    EXPECT_EQ(qAlpha(frame.picture.pixel(29, 25)), 255);
    EXPECT_EQ(qAlpha(frame.picture.pixel(170, 124)), 255);
    // The thumbnail shows the sample photo through the hole: opaque everywhere, photo colours inside.
    ASSERT_LE(std::max(frame.thumbnail.width(), frame.thumbnail.height()), kThumbnailBox);
    for (int y = 0; y < frame.thumbnail.height(); ++y)
        for (int x = 0; x < frame.thumbnail.width(); ++x)
            ASSERT_EQ(qAlpha(frame.thumbnail.pixel(x, y)), 255) << x << "," << y;
    EXPECT_NE(frame.thumbnail.pixel(frame.thumbnail.width() / 2, frame.thumbnail.height() / 2),
              frame.thumbnail.pixel(0, 0));
}

// A frame of solid red around a hole, for the composition checks.
QImage redFrame(int width, int height, const QRect& hole) {
    QImage frame(width, height, QImage::Format_ARGB32);
    frame.fill(qRgba(255, 0, 0, 255));
    for (int y = hole.top(); y <= hole.bottom(); ++y)
        for (int x = hole.left(); x <= hole.right(); ++x)
            frame.setPixel(x, y, 0);
    return frame;
}

TEST(StarterPreview, ThePhotoLeavesNoBackgroundLineAtTheHoleEdge) {
    const QRect hole(104, 104, 752, 512);
    const QImage frame = redFrame(960, 720, hole);
    QImage photo(800, 600, QImage::Format_RGB32);
    photo.fill(qRgb(0, 255, 0));
    // 1:1 (where truncating the hole to whole pixels showed a line) and a few awkward view sizes.
    for (const QSize view : {QSize(1600, 1200), QSize(1371, 913), QSize(1017, 1311), QSize(640, 480)}) {
        SCOPED_TRACE(std::to_string(view.width()) + " x " + std::to_string(view.height()));
        QImage composed(view, QImage::Format_ARGB32_Premultiplied);
        composeFramed(composed, photo, frame, hole, Qt::blue);
        // Inside the frame's outline (less its antialiased outer edge) nothing of the blue background
        // may show.
        const double scale =
            static_cast<int>(std::min(view.width() / 960.0, view.height() / 720.0) * 960 * 0.6) / 960.0;
        const QRectF outline(view.width() / 2.0 - 480 * scale + 1, view.height() / 2.0 - 360 * scale + 1,
                             960 * scale - 2, 720 * scale - 2);
        int background = 0;
        for (int y = static_cast<int>(std::ceil(outline.top())); y < static_cast<int>(outline.bottom()); ++y)
            for (int x = static_cast<int>(std::ceil(outline.left())); x < static_cast<int>(outline.right());
                 ++x)
                background += qBlue(composed.pixel(x, y)) > 24;
        EXPECT_EQ(background, 0);
    }
}

TEST(StarterPreview, MasksShowThePhotoWhereDarkAndCountNearWhiteAsWhite) {
    QImage photo(1024, 768, QImage::Format_RGB32);
    photo.fill(qRgb(0, 0, 0));
    QImage mask(1024, 768, QImage::Format_ARGB32);
    mask.fill(qRgb(0, 0, 0));
    for (int x = 0; x < 512; ++x)
        for (int y = 0; y < 768; ++y)
            mask.setPixel(x, y, y < 384 ? qRgb(230, 230, 230) : qRgb(229, 229, 229));
    const QImage shown = composeMasked(photo, mask, Qt::white);
    EXPECT_EQ(shown.pixel(700, 300), qRgb(0, 0, 0)) << "black shows the photo";
    EXPECT_EQ(shown.pixel(100, 100), qRgb(255, 255, 255)) << "blue 230 counts as white";
    EXPECT_EQ(qRed(shown.pixel(100, 600)), 229) << "blue 229 mixes";

    const QImage thumbnail = maskThumbnail(mask);
    EXPECT_EQ(thumbnail.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_NE(thumbnail.pixel(thumbnail.width() - 3, 2), qRgb(255, 255, 255));
}

TEST(StarterPreview, StampsTintByAlphaAndOpacityOnly) {
    QImage tip(4, 4, QImage::Format_ARGB32);
    tip.fill(qRgba(0, 255, 0, 255)); // its own colour is ignored
    tip.setPixel(0, 0, qRgba(0, 255, 0, 0));
    QImage canvas(8, 8, QImage::Format_RGB32);
    canvas.fill(qRgb(100, 100, 100));
    stampTip(canvas, tip, QPoint(4, 4), 4, QColor(200, 0, 0), 0);
    EXPECT_EQ(canvas.pixel(4, 4), qRgb(100, 100, 100)) << "opacity 0 paints nothing";
    stampTip(canvas, tip, QPoint(4, 4), 4, QColor(200, 0, 0), 255);
    EXPECT_EQ(canvas.pixel(3, 3), qRgb(200, 0, 0));
    EXPECT_EQ(canvas.pixel(2, 2), qRgb(100, 100, 100)) << "alpha 0 paints nothing";
}

TEST(StarterWorkPool, RunsEveryIndexExactlyOnce) {
    std::vector<std::atomic<int>> runs(1000);
    forEachIndex(runs.size(), [&](std::size_t i) { ++runs[i]; });
    for (const auto& count : runs)
        EXPECT_EQ(count.load(), 1);
    forEachIndex(0, [](std::size_t) { FAIL() << "no work to do"; });
}

} // namespace
} // namespace starter
