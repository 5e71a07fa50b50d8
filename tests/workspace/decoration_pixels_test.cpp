// The arithmetic of masks, brush stamps, frame crops, decoration pieces and the object dials, against
// bytes worked out by hand from the rules.
#include "workspace/decorations/decoration_geometry.h"
#include "workspace/decorations/decoration_pixels.h"
#include "workspace/decorations/fitted_decoration.h"
#include "workspace/decorations/rotated_sampling.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace workspace;

namespace {

imaging::PhotoBuffer filled(int width, int height, std::array<std::uint8_t, 3> bgr) {
    imaging::PhotoBuffer buffer;
    buffer.width = width;
    buffer.height = height;
    buffer.bgr.resize(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0; i < buffer.bgr.size(); ++i)
        buffer.bgr[i] = bgr[i % 3];
    return buffer;
}

std::array<int, 3> pixel(const imaging::PhotoBuffer& buffer, int x, int y) {
    const std::uint8_t* p = buffer.row(y) + x * 3;
    return {p[0], p[1], p[2]};
}

// Blue, green, red of an opaque 32-bit pixel, as a buffer's bytes are ordered.
std::array<int, 3> pixel(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    EXPECT_EQ(qAlpha(p), 255);
    return {qBlue(p), qGreen(p), qRed(p)};
}

// A grey mask of one row: each value is the blue (and green and red) of one pixel.
imaging::RasterImage greyMask(std::vector<std::uint8_t> values) {
    imaging::RasterImage mask;
    mask.width = static_cast<int>(values.size());
    mask.height = 1;
    for (std::uint8_t v : values)
        mask.bgra.insert(mask.bgra.end(), {v, v, v, 255});
    return mask;
}

// A tip whose alpha is given row by row; its colour is deliberately loud, and must not show.
QImage tipOfAlphas(const std::vector<std::vector<int>>& alphas) {
    QImage tip(static_cast<int>(alphas[0].size()), static_cast<int>(alphas.size()), QImage::Format_ARGB32);
    for (int y = 0; y < tip.height(); ++y)
        for (int x = 0; x < tip.width(); ++x)
            tip.setPixel(x, y, qRgba(0, 255, 255, alphas[y][x]));
    return tip;
}

// The mask rule worked out one canvas pixel at a time, as it is stated: the pixel's centre turned back
// about the box's centre into the scaled mask, the nearest mask pixel's blue, and the mix.
QImage maskedPixelByPixel(const imaging::PhotoBuffer& background, const imaging::PhotoBuffer& photo,
                          const imaging::RasterImage& mask, const MaskPlacement& placement) {
    const int sw = roundHalfUp(mask.width * double(placement.scale));
    const int sh = roundHalfUp(mask.height * double(placement.scale));
    const double radians = wholeDegreeRadians(placement.angle);
    const TurnedBox box = turnedBox(sw, sh, radians);
    const int left = photo.width / 2 + placement.offsetX - box.width / 2;
    const int top = photo.height / 2 + placement.offsetY - box.height / 2;
    const std::vector<int> columns = nearestSourcePixels(sw, mask.width, placement.scale);
    const std::vector<int> rows = nearestSourcePixels(sh, mask.height, placement.scale);
    QImage out(photo.width, photo.height, QImage::Format_RGB32);
    for (int y = 0; y < photo.height; ++y)
        for (int x = 0; x < photo.width; ++x) {
            const double dx = x + 0.5 - (left + box.width / 2.0);
            const double dy = y + 0.5 - (top + box.height / 2.0);
            const double sx = dx * std::cos(radians) + dy * std::sin(radians) + sw / 2.0;
            const double sy = -dx * std::sin(radians) + dy * std::cos(radians) + sh / 2.0;
            float a = 1;
            if (x >= left && x <= left + box.width && y >= top && y <= top + box.height && sx >= 0 &&
                sy >= 0 && sx < sw && sy < sh) {
                const int mx = columns[static_cast<std::size_t>(sx)];
                const int my = rows[static_cast<std::size_t>(sy)];
                if (mx >= 0 && my >= 0)
                    a = mask.row(my)[mx * 4] / 255.0f;
                if (a > kMaskWhiteAbove)
                    a = 1;
            }
            const std::uint8_t* b = background.empty() ? nullptr : background.row(y) + x * 3;
            const std::uint8_t* p = photo.row(y) + x * 3;
            int mixed[3];
            for (int i = 0; i < 3; ++i)
                mixed[i] = static_cast<std::uint8_t>(a * (b ? b[i] : 255) + (1.0f - a) * p[i]);
            out.setPixel(x, y, qRgb(mixed[2], mixed[1], mixed[0]));
        }
    return out;
}

} // namespace

TEST(MaskPixels, BlueAboveNinetyPercentShowsTheBackgroundAndBelowMixes) {
    // A 2 × 1 mask at scale 1 in the middle of a 4 × 2 canvas covers canvas pixels (1, 1) and (2, 1).
    const imaging::PhotoBuffer background = filled(4, 2, {200, 10, 255});
    const imaging::PhotoBuffer photo = filled(4, 2, {100, 250, 0});
    QImage out;
    ApplyMaskPixels(background, photo, greyMask({229, 230}), {1.0f, 0, 0, 0}, out);
    // a = 229 / 255 = 0.898: 0.898 × 200 + 0.102 × 100 = 189.8, 0.898 × 10 + 0.102 × 250 = 34.5,
    // 0.898 × 255 + 0.102 × 0 = 229.
    EXPECT_EQ(pixel(out, 1, 1), (std::array<int, 3>{189, 34, 229}));
    // a = 230 / 255 = 0.902 counts as 1: the background alone.
    EXPECT_EQ(pixel(out, 2, 1), (std::array<int, 3>{200, 10, 255}));
    // Outside the mask, the background.
    for (const QPoint p : {QPoint(0, 0), QPoint(3, 1), QPoint(1, 0), QPoint(0, 1)})
        EXPECT_EQ(pixel(out, p.x(), p.y()), (std::array<int, 3>{200, 10, 255})) << p.x() << "," << p.y();

    // Black shows the photo; moved half off the canvas only the pixel still on it changes.
    ApplyMaskPixels(background, photo, greyMask({0, 0}), {1.0f, 0, 2, 0}, out);
    EXPECT_EQ(pixel(out, 3, 1), (std::array<int, 3>{100, 250, 0}));
    EXPECT_EQ(pixel(out, 2, 1), (std::array<int, 3>{200, 10, 255}));

    // No background buffer is plain white, exactly as a white one mixes.
    QImage overWhite;
    ApplyMaskPixels(filled(4, 2, {255, 255, 255}), photo, greyMask({229, 90}), {1.0f, 0, 0, 0}, overWhite);
    ApplyMaskPixels({}, photo, greyMask({229, 90}), {1.0f, 0, 0, 0}, out);
    EXPECT_EQ(out, overWhite);
    EXPECT_EQ(pixel(out, 0, 0), (std::array<int, 3>{255, 255, 255}));
}

TEST(MaskPixels, ScaledByNearestNeighbourTurnedAndNeverSmallerThanAPixel) {
    const imaging::PhotoBuffer background = filled(8, 8, {255, 255, 255});
    const imaging::PhotoBuffer photo = filled(8, 8, {0, 0, 0});
    QImage out;
    // Doubled, the 2 × 1 mask (black, white) is 4 × 2 pixels, each taking the mask pixel round(i / 2):
    // black, white, white, then white beyond the mask; the second row lies beyond it too.
    ApplyMaskPixels(background, photo, greyMask({0, 255}), {2.0f, 0, 0, 0}, out);
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y)
            EXPECT_EQ(pixel(out, x, y)[0], x == 2 && y == 3 ? 0 : 255) << x << "," << y;
    // A quarter turn clockwise (also the same angle a turn on, with a fraction, or counted backwards)
    // takes the black top-left pixel to the top-right of the turned box.
    for (const float angle : {90.0f, 450.0f, 90.7f, -270.0f}) {
        ApplyMaskPixels(background, photo, greyMask({0, 255}), {2.0f, angle, 0, 0}, out);
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 8; ++y)
                EXPECT_EQ(pixel(out, x, y)[0], x == 4 && y == 2 ? 0 : 255) << angle << ": " << x << "," << y;
    }
    // Scaled below one pixel the mask covers nothing: the background everywhere.
    ApplyMaskPixels(background, photo, greyMask({0, 0}), {0.1f, 0, 0, 0}, out);
    ASSERT_EQ(out.size(), QSize(8, 8));
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y)
            EXPECT_EQ(pixel(out, x, y), (std::array<int, 3>{255, 255, 255})) << x << "," << y;
}

// Upright and turned, enlarged and reduced, partly off the canvas, over a background and over white: every
// pixel as the rule states it, on sizes that share no factor.
TEST(MaskPixels, EveryPlacementGivesThePixelsOfThePixelByPixelRule) {
    imaging::PhotoBuffer background = filled(37, 23, {0, 0, 0});
    imaging::PhotoBuffer photo = filled(37, 23, {0, 0, 0});
    for (std::size_t i = 0; i < photo.bgr.size(); ++i) {
        background.bgr[i] = static_cast<std::uint8_t>(i * 7 + 3);
        photo.bgr[i] = static_cast<std::uint8_t>(i * 13);
    }
    imaging::RasterImage mask;
    mask.width = 11;
    mask.height = 7;
    for (int i = 0; i < mask.width * mask.height; ++i) {
        const auto blue = static_cast<std::uint8_t>(i * 29);
        mask.bgra.insert(mask.bgra.end(), {blue, 0, 0, 255});
    }
    QImage out;
    for (const float scale : {1.0f, 0.7f, 1.9f, 3.0f})
        for (const float angle : {0.0f, 1.0f, 45.0f, 90.0f, 135.0f, 180.0f, 181.0f, 271.0f, 359.0f})
            for (const QPoint offset : {QPoint(0, 0), QPoint(-15, 9), QPoint(20, -11)})
                for (const bool white : {false, true}) {
                    const MaskPlacement placement{scale, angle, offset.x(), offset.y()};
                    const imaging::PhotoBuffer& under = white ? imaging::PhotoBuffer() : background;
                    ApplyMaskPixels(under, photo, mask, placement, out);
                    ASSERT_EQ(out, maskedPixelByPixel(under, photo, mask, placement))
                        << scale << " " << angle << " " << offset.x() << "," << offset.y() << " " << white;
                }
}

// Enlarged smoothly, a mask's blue and a tip's alpha ramp over the pixels nearest neighbour would cover,
// from the first source pixel's place to the last's; not enlarged, nothing changes.
TEST(SmoothEnlarging, MasksAndTipsRampWhereNearestNeighbourSteps) {
    // Four times as large, the (black, white) mask is 8 × 4 pixels centred on (4, 2), of which nearest
    // neighbour covers columns 0-5 of the first two rows.
    const imaging::PhotoBuffer background = filled(8, 4, {255, 255, 255});
    const imaging::PhotoBuffer photo = filled(8, 4, {0, 0, 0});
    QImage smooth;
    QImage stepped;
    ApplyMaskPixels(background, photo, greyMask({0, 255}), {4.0f, 0, 0, 0}, smooth, true);
    ApplyMaskPixels(background, photo, greyMask({0, 255}), {4.0f, 0, 0, 0}, stepped);
    const int ramp[8] = {0, 63, 127, 191, 255, 255, 255, 255};
    const int steps[8] = {0, 0, 255, 255, 255, 255, 255, 255};
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(pixel(smooth, x, 1)[0], ramp[x]) << x;
        EXPECT_EQ(pixel(stepped, x, 1)[0], steps[x]) << x;
        EXPECT_EQ(pixel(smooth, x, 2)[0], 255) << x;
    }
    ApplyMaskPixels(background, photo, greyMask({0, 255}), {1.0f, 0, 0, 0}, smooth, true);
    ApplyMaskPixels(background, photo, greyMask({0, 255}), {1.0f, 0, 0, 0}, stepped);
    EXPECT_EQ(smooth, stepped);

    // The same for a tip whose alpha is the mask's blue, laid in white on black.
    const QImage tip = tipOfAlphas({{0, 255}});
    imaging::PhotoBuffer canvas = filled(8, 4, {0, 0, 0});
    EXPECT_EQ(LayBrushStamp(canvas, tip, {4.0f, 0, 255, 0, 0}, 0x00FFFFFF, true), QRect(1, 0, 5, 2));
    for (int x = 0; x < 8; ++x) {
        EXPECT_NEAR(pixel(canvas, x, 0)[0], x < 6 ? std::min(ramp[x], 254) : 0, 1) << x;
        EXPECT_EQ(pixel(canvas, x, 2)[0], 0) << x;
    }
    canvas = filled(8, 4, {0, 0, 0});
    imaging::PhotoBuffer steppedCanvas = canvas;
    LayBrushStamp(canvas, tip, {1.0f, 0, 255, 0, 0}, 0x00FFFFFF, true);
    LayBrushStamp(steppedCanvas, tip, {1.0f, 0, 255, 0, 0}, 0x00FFFFFF);
    EXPECT_EQ(canvas.bgr, steppedCanvas.bgr);
}

TEST(BrushStamp, TintsByTheTipsAlphaAndTheOpacityAndIgnoresTheTipsColour) {
    imaging::PhotoBuffer canvas = filled(5, 5, {40, 90, 160});
    const QImage tip = tipOfAlphas({{0, 128, 255}, {64, 255, 32}, {255, 0, 128}});
    // Centred on the canvas centre (2, 2): the tip covers (1, 1)-(3, 3).
    const QRect changed = LayBrushStamp(canvas, tip, {1.0f, 0, 200, 0, 0}, 0x000064FA); // RGB(250, 100, 0)
    // W = alpha × 0.003921569 × 200 × 0.003921569; byte = truncate(W × colour + (1 - W) × byte).
    const std::array<int, 3> expected[3][3] = {
        {{40, 90, 160}, {24, 93, 195}, {8, 97, 230}},
        {{32, 91, 177}, {8, 97, 230}, {36, 90, 168}},
        {{8, 97, 230}, {40, 90, 160}, {24, 93, 195}},
    };
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(pixel(canvas, x + 1, y + 1), expected[y][x]) << x << "," << y;
    EXPECT_EQ(pixel(canvas, 0, 0), (std::array<int, 3>{40, 90, 160}));
    EXPECT_EQ(pixel(canvas, 4, 4), (std::array<int, 3>{40, 90, 160}));
    EXPECT_EQ(changed, QRect(1, 1, 3, 3));
}

TEST(BrushStamp, TurnsByWholeDegreesScalesByNearestNeighbourAndStopsAtTheEdge) {
    const QImage tip = tipOfAlphas({{255, 0, 0}, {0, 0, 0}, {0, 0, 0}}); // only the top-left pixel paints
    imaging::PhotoBuffer canvas = filled(5, 5, {0, 0, 0});
    LayBrushStamp(canvas, tip, {1.0f, 90.9f, 255, 0, 0}, 0x00FFFFFF); // turned clockwise: top-right
    EXPECT_EQ(pixel(canvas, 3, 1)[0], 255);
    EXPECT_EQ(pixel(canvas, 1, 1)[0], 0);

    // Doubled, the tip is 6 × 6 and each pixel takes the tip pixel round(i / 2); centred at (3, 3) it
    // starts at the canvas's corner and runs past its edge, where nothing is laid.
    canvas = filled(5, 5, {0, 0, 0});
    EXPECT_EQ(LayBrushStamp(canvas, tip, {2.0f, 0, 255, 1, 1}, 0x00FFFFFF), QRect(0, 0, 1, 1));
    EXPECT_EQ(pixel(canvas, 0, 0)[0], 255);
    EXPECT_EQ(pixel(canvas, 1, 0)[0], 0);

    canvas = filled(5, 5, {9, 9, 9});
    const imaging::PhotoBuffer before = canvas;
    EXPECT_TRUE(LayBrushStamp(canvas, tip, {1.0f, 0, 0, -2, -2}, 0x00FFFFFF).isEmpty());  // opacity 0
    EXPECT_TRUE(LayBrushStamp(canvas, tip, {0.1f, 0, 255, 0, 0}, 0x00FFFFFF).isEmpty());  // under a pixel
    EXPECT_TRUE(LayBrushStamp(canvas, tip, {1.0f, 0, 255, 40, 0}, 0x00FFFFFF).isEmpty()); // off the canvas
    EXPECT_EQ(canvas.bgr, before.bgr);
}

TEST(FrameCrop, TheCentredPartOfThePhotoInTheHolesProportion) {
    // A landscape photo (2 : 1) in a portrait hole (3 : 4): all rows, 1600 × 0.75 / 2 = 600 columns.
    EXPECT_EQ(frameCropRect(1600, 800, 300, 400), QRect(500, 0, 600, 800));
    // A portrait photo (1 : 2) in a landscape hole (2 : 1): all columns, 1600 × 0.5 / 2 = 400 rows.
    EXPECT_EQ(frameCropRect(800, 1600, 400, 200), QRect(0, 600, 800, 400));
    // The photo's own proportion: all of it.
    EXPECT_EQ(frameCropRect(1600, 1200, 400, 300), QRect(0, 0, 1600, 1200));
    // No proportion at all: nothing to crop, the frame is drawn alone.
    EXPECT_TRUE(frameCropRect(1600, 1200, 400, 0).isEmpty());

    // A 500 × 400 frame fills 750 × 600 of an 800 × 600 view, 450 × 360 of it at scale 1; its hole of
    // 0.6 × 0.5 is 270 × 180 (3 : 2).
    FrameObject frame;
    frame.width = 500;
    frame.height = 400;
    frame.hole = {0.2f, 0.25f, 0.8f, 0.75f};
    const FrameCrop crop = frameCrop(frame, Rect{10, 10, 810, 610}, 1600, 1200);
    EXPECT_EQ(crop.holeWidth, 270);
    EXPECT_EQ(crop.holeHeight, 180);
    EXPECT_EQ(crop.rect, QRect(0, 67, 1600, 1066));
    frame.hole = {0.2f, 0.5f, 0.8f, 0.5f}; // a hole of zero height
    EXPECT_TRUE(frameCrop(frame, Rect{10, 10, 810, 610}, 1600, 1200).rect.isEmpty());
}

TEST(DecorationSlices, NinePiecesTileEveryPhotoShapeWithCornersKeepingTheirShape) {
    const QSize picture(1600, 1200);
    // The picture's own shape, also when whole pixels miss it by one: stretched whole, as ever.
    for (const QSize area : {QSize(800, 600), QSize(801, 600)}) {
        const std::vector<DecorationSlice> whole = decorationSlices(picture, area);
        ASSERT_EQ(whole.size(), 1u);
        EXPECT_EQ(whole[0].source, QRect(QPoint(0, 0), picture));
        EXPECT_EQ(whole[0].target, QRect(QPoint(0, 0), area));
    }
    // 3 : 2, 16 : 9 and 2 : 3: corners of 300 picture pixels, scaled by the shorter sides' ratio.
    struct Case {
        QSize area;
        int corner;
    };
    for (const Case& c : {Case{{900, 600}, 150}, Case{{1600, 900}, 225}, Case{{400, 600}, 100}}) {
        const std::vector<DecorationSlice> slices = decorationSlices(picture, c.area);
        ASSERT_EQ(slices.size(), 9u) << c.area.width();
        std::int64_t covered = 0;
        for (std::size_t i = 0; i < slices.size(); ++i) {
            covered += std::int64_t{slices[i].target.width()} * slices[i].target.height();
            for (std::size_t j = i + 1; j < slices.size(); ++j)
                EXPECT_FALSE(slices[i].target.intersects(slices[j].target)) << i << " " << j;
        }
        EXPECT_EQ(covered, std::int64_t{c.area.width()} * c.area.height());
        const QRect area(QPoint(0, 0), c.area);
        EXPECT_EQ(slices[0].target, QRect(0, 0, c.corner, c.corner));
        EXPECT_EQ(slices[2].target, QRect(area.right() + 1 - c.corner, 0, c.corner, c.corner));
        EXPECT_EQ(slices[8].target.bottomRight(), area.bottomRight());
        EXPECT_EQ(slices[8].target.size(), QSize(c.corner, c.corner));
        EXPECT_EQ(slices[0].source, QRect(0, 0, 300, 300));
        EXPECT_EQ(slices[8].source, QRect(1300, 900, 300, 300));
        EXPECT_EQ(slices[4].source, QRect(300, 300, 1000, 600)); // the stretched middle
    }

    // Drawn: a 40 × 30 picture with a red and a green 7 × 7 corner over blue, on a 3 : 1 area. The
    // corners stay 7 × 7 at the area's corners; the blue between them is stretched.
    QImage small(40, 30, QImage::Format_ARGB32);
    small.fill(qRgb(0, 0, 255));
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x) {
            small.setPixel(x, y, qRgb(255, 0, 0));
            small.setPixel(39 - x, y, qRgb(0, 255, 0));
        }
    const QImage fitted = fittedDecoration(small, QSize(90, 30));
    ASSERT_EQ(fitted.size(), QSize(90, 30));
    EXPECT_EQ(fitted.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(fitted.pixel(6, 6), qRgb(255, 0, 0));
    EXPECT_EQ(fitted.pixel(83, 0), qRgb(0, 255, 0));
    EXPECT_EQ(fitted.pixel(89, 6), qRgb(0, 255, 0));
    EXPECT_EQ(fitted.pixel(7, 0), qRgb(0, 0, 255));
    EXPECT_EQ(fitted.pixel(82, 6), qRgb(0, 0, 255));
    EXPECT_EQ(fitted.pixel(45, 29), qRgb(0, 0, 255));
}

TEST(ObjectDials, ScaleAndItsReadout) {
    EXPECT_FLOAT_EQ(scaleFromDial(-180), 0.1f); // never 0
    EXPECT_FLOAT_EQ(scaleFromDial(-171), 0.1f);
    EXPECT_FLOAT_EQ(scaleFromDial(0), 1.0f);
    EXPECT_FLOAT_EQ(scaleFromDial(90), 1.5f);
    EXPECT_FLOAT_EQ(scaleFromDial(180), 2.0f);
    EXPECT_EQ(scaleReadoutPercent(-180), 10);
    EXPECT_EQ(scaleReadoutPercent(-163), 10); // -90 + 100
    EXPECT_EQ(scaleReadoutPercent(-90), 50);
    EXPECT_EQ(scaleReadoutPercent(45), 125);
    EXPECT_EQ(scaleReadoutPercent(180), 200);
}
