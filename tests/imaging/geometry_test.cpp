// Format codes, FitSize and the bilinear resampler against its integer formula.

#include "imaging/batch_naming.h"
#include "imaging/fit_size.h"
#include "imaging/files/format_codes.h"
#include "imaging/picture.h"
#include "imaging/resample_bilinear.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

namespace imaging {
namespace {

TEST(FormatCodes, ExtensionsMapToLibraryCodesExactly) {
    EXPECT_EQ(ImageTypeFromExtension("bmp"), 1);
    EXPECT_EQ(ImageTypeFromExtension("jpeg"), 3);
    EXPECT_EQ(ImageTypeFromExtension("tiff"), 6);
    EXPECT_EQ(ImageTypeFromExtension("emf"), 10);
    EXPECT_EQ(ImageTypeFromExtension("j2c"), 12);
    EXPECT_EQ(ImageTypeFromExtension("ppm"), 14);
    EXPECT_EQ(ImageTypeFromExtension("ras"), 15);
    // The comparison is case-sensitive: callers lower-case first.
    EXPECT_EQ(ImageTypeFromExtension("JPG"), 0);
    EXPECT_EQ(ImageTypeFromExtension(""), 0);
    EXPECT_EQ(ImageTypeFromExtension(QStringLiteral("pcx")), 8);
}

TEST(FormatCodes, ExtensionIsTheTextAfterTheLastDotOfTheName) {
    EXPECT_EQ(extensionOf(QStringLiteral("/a/Photo.Holiday.JPEG")), QStringLiteral("JPEG"));
    EXPECT_EQ(extensionOf(QStringLiteral("/a.b/photo")), QString());
    EXPECT_EQ(extensionOf(QStringLiteral("photo.")), QString());
}

TEST(BatchNaming, ReplacesTheTextAfterTheLastDot) {
    EXPECT_EQ(batchOutputPath(QStringLiteral("/out/"), QStringLiteral("/in.d/Photo.Holiday.jpeg"),
                              QStringLiteral("png")),
              QStringLiteral("/out/Photo.Holiday.png"));
    EXPECT_EQ(batchOutputPath(QStringLiteral("/out/"), QStringLiteral("/in.d/photo"), QStringLiteral("tif")),
              QStringLiteral("/out/photo.tif"));
}

TEST(FitSize, ScalesOnlyWhenNeededOrAskedKeepingTheAspect) {
    EXPECT_EQ(FitSize(0, 100, 10, 10, true), (FittedSize{0, 0}));
    EXPECT_EQ(FitSize(100, 100, 50, 20, false), (FittedSize{50, 20}));
    EXPECT_EQ(FitSize(100, 100, 50, 20, true), (FittedSize{100, 40}));
    EXPECT_EQ(FitSize(100, 50, 300, 100, false), (FittedSize{100, 33}));
    EXPECT_EQ(FitSize(100, 50, 100, 300, false), (FittedSize{16, 50}));
    // Large sizes do not overflow.
    EXPECT_EQ(FitSize(40000, 40000, 100000, 50000, false), (FittedSize{40000, 20000}));
}

// The resampling formula written out directly, one destination value at a time.
std::vector<std::uint8_t> formula(const std::vector<std::uint8_t>& source, int w, int h, int W, int H, int n,
                                  bool reverse) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(W * H * n));
    auto P = [&](int y, int x, int c) {
        return std::int64_t{source[static_cast<std::size_t>((y * w + x) * n + c)]};
    };
    for (int i = 0; i < H; ++i) {
        const int y0 = i * h / H, fy = i * h % H, y1 = std::min(fy != 0 ? y0 + 1 : y0, h - 1);
        for (int j = 0; j < W; ++j) {
            const int x0 = j * w / W, fx = j * w % W, x1 = std::min(fx != 0 ? x0 + 1 : x0, w - 1);
            for (int c = 0; c < n; ++c) {
                const std::int64_t value =
                    (std::int64_t{W} * H / 2 + std::int64_t{W - fx} * (H - fy) * P(y0, x0, c) +
                     std::int64_t{fx} * (H - fy) * P(y0, x1, c) + std::int64_t{W - fx} * fy * P(y1, x0, c) +
                     std::int64_t{fx} * fy * P(y1, x1, c)) /
                    (std::int64_t{W} * H);
                const int row = reverse ? H - 1 - i : i;
                const int channel = reverse ? n - 1 - c : c;
                out[static_cast<std::size_t>((row * W + j) * n + channel)] = static_cast<std::uint8_t>(value);
            }
        }
    }
    return out;
}

TEST(ResampleBilinear, MatchesTheIntegerFormulaBitForBit) {
    struct Case {
        int w, h, W, H, n;
    };
    for (const Case& c : {Case{2, 2, 3, 3, 1}, Case{3, 2, 7, 5, 3}, Case{5, 4, 2, 2, 3}, Case{4, 4, 4, 4, 3},
                          Case{1, 1, 4, 3, 3}, Case{7, 3, 80, 80, 3}, Case{9, 11, 4, 6, 4}}) {
        const auto source =
            imaging_test::noiseBytes(static_cast<std::size_t>(c.w * c.h * c.n), c.w * 31 + c.h);
        for (const bool reverse : {false, true}) {
            std::vector<std::uint8_t> target(static_cast<std::size_t>(c.W * c.H * c.n));
            ResampleBilinear(source.data(), c.w, c.h, target.data(), c.W, c.H, c.n, reverse);
            EXPECT_EQ(target, formula(source, c.w, c.h, c.W, c.H, c.n, reverse))
                << c.w << "x" << c.h << " -> " << c.W << "x" << c.H << " reverse " << reverse;
        }
    }
}

TEST(ResampleBilinear, HandMadeCaseRoundsToNearestAndClampsAtTheLastColumn) {
    // 2 × 1 grey picture 0, 100 stretched to 4 × 1: x0 = 0,0,1,1; fx = 0,2,0,2 (quarters are W = 4 units).
    const std::uint8_t source[] = {0, 100};
    std::uint8_t target[4] = {};
    ResampleBilinear(source, 2, 1, target, 4, 1, 1, false);
    // (2 + 4·0) / 4 = 0; (2 + 2·0 + 2·100) / 4 = 50; 100; last column clamps to itself: 100.
    EXPECT_EQ(std::vector<int>(target, target + 4), (std::vector<int>{0, 50, 100, 100}));
}

TEST(ResampleBilinear, RowsOfAnyLayoutAtTheirOwnSizeGiveTheFormulasPixelsAskingEachRowOnce) {
    constexpr int kWidth = 5;
    constexpr int kHeight = 3;
    for (const SourceLayout& layout : {SourceLayout{3, {0, 1, 2}}, SourceLayout{4, {2, 1, 0}}}) {
        const auto stride = static_cast<std::size_t>(kWidth * layout.bytesPerPixel);
        const auto source = imaging_test::noiseBytes(stride * kHeight, layout.bytesPerPixel);
        // The same pixels packed as B,G,R, for the formula.
        std::vector<std::uint8_t> packed;
        for (std::size_t at = 0; at < source.size(); at += static_cast<std::size_t>(layout.bytesPerPixel))
            for (const int channel : layout.channels)
                packed.push_back(source[at + static_cast<std::size_t>(channel)]);
        for (const bool reverse : {false, true}) {
            std::vector<int> asked;
            const SourceRows rows = [&](int y) {
                asked.push_back(y);
                return source.data() + stride * static_cast<std::size_t>(y);
            };
            std::vector<std::uint8_t> target(kWidth * kHeight * 3);
            ResampleBilinear(rows, layout, kWidth, kHeight, target.data(), kWidth, kHeight, reverse);
            EXPECT_EQ(target, formula(packed, kWidth, kHeight, kWidth, kHeight, 3, reverse))
                << layout.bytesPerPixel << " reverse " << reverse;
            EXPECT_EQ(asked, (std::vector<int>{0, 1, 2}));
        }
    }
}

TEST(PictureResample, NearestNeighbourPicksSourcePixelsAndBilinearFollowsTheFormula) {
    const auto bgr = imaging_test::gradientBgr(8, 6);
    Picture nearest;
    ASSERT_TRUE(nearest.loadDib(imaging_test::dibBlock(bgr, 8, 6)));
    ASSERT_TRUE(nearest.Resample(3, 2, 1));
    ASSERT_EQ(nearest.GetWidth(), 3);
    ASSERT_EQ(nearest.GetHeight(), 2);
    // Row 1 of the result is row 1·6/2 = 3, column 2 is column 2·8/3 = 5.
    EXPECT_EQ(nearest.GetBits(1)[6], bgr[static_cast<std::size_t>((3 * 8 + 5) * 3)]);

    Picture bilinear;
    ASSERT_TRUE(bilinear.loadDib(imaging_test::dibBlock(bgr, 8, 6)));
    ASSERT_TRUE(bilinear.Resample(5, 4, 0));
    const auto expected = formula(bgr, 8, 6, 5, 4, 3, false);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), bilinear.GetBits(0)));
}

} // namespace
} // namespace imaging
