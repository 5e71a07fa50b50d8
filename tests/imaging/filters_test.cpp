// The picture's effect filters against direct, slow definitions.

#include "imaging/filters/image_commands.h"
#include "imaging/image_holder.h"
#include "imaging/picture.h"
#include "test_pictures.h"

#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace imaging {
namespace {

using imaging_test::dibBlock;
using imaging_test::noiseBytes;

constexpr int kWidth = 12;
constexpr int kHeight = 9;

std::vector<std::uint8_t> pixelsOf(const Picture& picture) {
    const std::uint8_t* first = picture.GetBits(0);
    return {first, first + static_cast<std::size_t>(picture.GetWidth()) * 3 * picture.GetHeight()};
}

void load(Picture& picture, const std::vector<std::uint8_t>& bgr, int width = kWidth, int height = kHeight) {
    ASSERT_TRUE(picture.loadDib(dibBlock(bgr, width, height)));
}

int at(const std::vector<std::uint8_t>& bgr, int x, int y, int c) {
    x = std::clamp(x, 0, kWidth - 1);
    y = std::clamp(y, 0, kHeight - 1);
    return bgr[static_cast<std::size_t>((y * kWidth + x) * 3 + c)];
}

// Applies `value(x, y, c)` to every channel value.
template <typename Rule> std::vector<std::uint8_t> expected(Rule value) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(kWidth * kHeight * 3));
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 3; ++c)
                out[static_cast<std::size_t>((y * kWidth + x) * 3 + c)] =
                    static_cast<std::uint8_t>(std::clamp(value(x, y, c), 0, 255));
    return out;
}

TEST(Filter, ConvolutionMatchesItsDefinitionForNarrowWideAndOddDivisors) {
    const auto source = noiseBytes(kWidth * kHeight * 3, 7);
    struct Case {
        int size;
        std::vector<int> kernel;
        int divisor, offset;
    };
    const std::vector<Case> cases{
        {3, {-1, -1, -1, -1, 15, -1, -1, -1, -1}, 7, 0},   // Sharpen: negative sums, truncation toward 0
        {3, {0, 0, -1, 0, 0, 0, 1, 0, 0}, 0, 127},         // Emboss: divisor 0 counts as 1
        {3, {-1, -1, -1, -1, 8, -1, -1, -1, -1}, -1, 255}, // linear Edge: negative divisor
        {5, {0, 1, 2, 1, 0, 1, 3, 4, 3, 1, 2, 4, 8, 4, 2, 1, 3, 4, 3, 1, 0, 1, 2, 1, 0}, 52, 0},
        {3, {90, 0, 0, 0, 90, 0, 0, 0, -90}, 3, 5},     // too heavy for 16-bit sums
        {7, std::vector<int>(49, 1), 49, 0},            // any size
        {3, {1, 1, 1, 1, 1, 1, 1, 1, 1}, 1000, 0},      // divisor too large for 16-bit quotients
        {3, {1, 2, 1, 0, 0, 0, -1, -2, -1}, 2, -40},    // smallest divisor, negative offset
        {3, {-3, 5, 1, 7, -2, 4, 1, 9, -6}, -256, 200}, // largest divisor, negative
        {3, {1, 1, 1, 1, 8, 1, 1, 1, 1}, 3, -300},      // offset beyond what 16-bit sums allow
    };
    for (const Case& test : cases) {
        Picture picture;
        load(picture, source);
        ASSERT_TRUE(picture.Filter(test.kernel.data(), test.size, test.divisor, test.offset));
        const int half = test.size / 2;
        const int divisor = test.divisor == 0 ? 1 : test.divisor;
        EXPECT_EQ(pixelsOf(picture), expected([&](int x, int y, int c) {
                      int sum = 0;
                      for (int r = 0; r < test.size; ++r)
                          for (int k = 0; k < test.size; ++k)
                              sum += test.kernel[static_cast<std::size_t>(r * test.size + k)] *
                                     at(source, x + k - half, y + r - half, c);
                      return sum / divisor + test.offset;
                  }))
            << "kernel of size " << test.size << " divisor " << test.divisor;
    }
}

TEST(Filter, FlatColourStaysForSmoothingKernelsAndEdgeAndEmbossGiveTheirOffsets) {
    const std::vector<std::uint8_t> flat(kWidth * kHeight * 3, 90);
    auto run = [&](int code) {
        Picture picture;
        load(picture, flat);
        RunImageCommand(picture, code);
        return pixelsOf(picture);
    };
    for (const int code : {kCommandBlur, kCommandSoften, kCommandGaussian3, kCommandGaussian5})
        EXPECT_EQ(run(code), flat) << code;
    EXPECT_EQ(run(kCommandLinearEdge), std::vector<std::uint8_t>(flat.size(), 255));
    EXPECT_EQ(run(kCommandEmboss), std::vector<std::uint8_t>(flat.size(), 127));
}

TEST(Filter, KernelFirstRowMeetsTheLowerRowNumber) {
    // Only row 0 is bright; a kernel that reads just the row "before" (first kernel row) moves it up.
    std::vector<std::uint8_t> source(kWidth * kHeight * 3, 0);
    std::fill_n(source.begin(), kWidth * 3, 200);
    Picture picture;
    load(picture, source);
    const int kernel[9] = {0, 1, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(picture.Filter(kernel, 3, 1, 0));
    EXPECT_EQ(picture.GetBits(1)[0], 200);
    EXPECT_EQ(picture.GetBits(2)[0], 0);
}

TEST(WindowFilters, ErodeDilateEdgeUseTheWindowBeforeThePixel) {
    const auto source = noiseBytes(kWidth * kHeight * 3, 11);
    auto window = [&](int x, int y, int c, bool wantMax) {
        int result = wantMax ? 0 : 255;
        for (int dy = -1; dy <= 0; ++dy)
            for (int dx = -1; dx <= 0; ++dx)
                result = wantMax ? std::max(result, at(source, x + dx, y + dy, c))
                                 : std::min(result, at(source, x + dx, y + dy, c));
        return result;
    };
    Picture eroded, dilated, edged;
    load(eroded, source);
    load(dilated, source);
    load(edged, source);
    ASSERT_TRUE(eroded.Erode(2));
    ASSERT_TRUE(dilated.Dilate(2));
    ASSERT_TRUE(edged.Edge(2));
    EXPECT_EQ(pixelsOf(eroded), expected([&](int x, int y, int c) { return window(x, y, c, false); }));
    EXPECT_EQ(pixelsOf(dilated), expected([&](int x, int y, int c) { return window(x, y, c, true); }));
    EXPECT_EQ(pixelsOf(edged), expected([&](int x, int y, int c) {
                  return 255 - (window(x, y, c, true) - window(x, y, c, false));
              }));
}

TEST(Median, EqualsTheMiddleOfTheSortedWindow) {
    const auto source = noiseBytes(kWidth * kHeight * 3, 5);
    for (const int size : {3, 5}) {
        Picture picture;
        load(picture, source);
        ASSERT_TRUE(picture.Median(size));
        EXPECT_EQ(pixelsOf(picture), expected([&](int x, int y, int c) {
                      std::vector<int> values;
                      for (int dy = -size / 2; dy <= size / 2; ++dy)
                          for (int dx = -size / 2; dx <= size / 2; ++dx)
                              values.push_back(at(source, x + dx, y + dy, c));
                      std::sort(values.begin(), values.end());
                      return values[values.size() / 2];
                  }))
            << size;
    }
}

// A picture of any size with the reference definitions of the neighbourhood filters, read with the
// picture's clamped edges.
struct Photo {
    int width, height;
    std::vector<std::uint8_t> bgr;

    int at(int x, int y, int c) const {
        x = std::clamp(x, 0, width - 1);
        y = std::clamp(y, 0, height - 1);
        return bgr[static_cast<std::size_t>((y * width + x) * 3 + c)];
    }
    int convolution(int x, int y, int c, int size, const std::vector<int>& kernel, int divisor,
                    int offset) const {
        int sum = 0;
        for (int r = 0; r < size; ++r)
            for (int k = 0; k < size; ++k)
                sum += kernel[static_cast<std::size_t>(r * size + k)] *
                       at(x + k - size / 2, y + r - size / 2, c);
        return std::clamp(sum / divisor + offset, 0, 255);
    }
    // The sorted values of the window of size n (at most 4), which reaches n/2 before the pixel and the
    // rest after it.
    struct Sorted {
        std::array<int, 16> values;
        std::size_t count = 0;
    };
    Sorted window(int x, int y, int c, int n) const {
        Sorted sorted;
        for (int dy = -n / 2; dy < n - n / 2; ++dy)
            for (int dx = -n / 2; dx < n - n / 2; ++dx)
                sorted.values[sorted.count++] = at(x + dx, y + dy, c);
        std::sort(sorted.values.begin(), sorted.values.begin() + static_cast<std::ptrdiff_t>(sorted.count));
        return sorted;
    }
};

TEST(Filter, EveryNeighbourhoodFilterMatchesItsDefinitionOnTinyOddAndPhotoSizes) {
    struct Case {
        const char* name;
        std::function<bool(Picture&)> run;
        std::function<int(const Photo&, int, int, int)> value;
    };
    auto kernelCase = [](const char* name, int code, int size, std::vector<int> kernel, int divisor,
                         int offset) {
        return Case{name, [code](Picture& picture) { return RunImageCommand(picture, code); },
                    [=](const Photo& photo, int x, int y, int c) {
                        return photo.convolution(x, y, c, size, kernel, divisor, offset);
                    }};
    };
    auto windowCase = [](const char* name, bool (Picture::*filter)(int), int n, auto rule) {
        return Case{name, [=](Picture& picture) { return (picture.*filter)(n); },
                    [=](const Photo& photo, int x, int y, int c) { return rule(photo.window(x, y, c, n)); }};
    };
    using Sorted = Photo::Sorted;
    auto lowest = [](const Sorted& window) { return window.values[0]; };
    auto highest = [](const Sorted& window) { return window.values[window.count - 1]; };
    auto range = [](const Sorted& window) {
        return 255 - (window.values[window.count - 1] - window.values[0]);
    };
    auto middle = [](const Sorted& window) { return window.values[window.count / 2]; };
    const std::vector<Case> cases{
        kernelCase("Soften", kCommandSoften, 3, {1, 1, 1, 1, 8, 1, 1, 1, 1}, 16, 0),
        kernelCase("Sharpen", kCommandSharpen, 3, {-1, -1, -1, -1, 15, -1, -1, -1, -1}, 7, 0),
        kernelCase("linear Edge", kCommandLinearEdge, 3, {-1, -1, -1, -1, 8, -1, -1, -1, -1}, -1, 255),
        kernelCase("Emboss", kCommandEmboss, 3, {0, 0, -1, 0, 0, 0, 1, 0, 0}, 1, 127),
        kernelCase("Blur", kCommandBlur, 3, {1, 1, 1, 1, 1, 1, 1, 1, 1}, 9, 0),
        kernelCase("Gaussian3", kCommandGaussian3, 3, {1, 2, 1, 2, 4, 2, 1, 2, 1}, 16, 0),
        kernelCase("Gaussian5", kCommandGaussian5, 5,
                   {0, 1, 2, 1, 0, 1, 3, 4, 3, 1, 2, 4, 8, 4, 2, 1, 3, 4, 3, 1, 0, 1, 2, 1, 0}, 52, 0),
        windowCase("Erode(2)", &Picture::Erode, 2, lowest),
        windowCase("Dilate(2)", &Picture::Dilate, 2, highest),
        windowCase("Edge(2)", &Picture::Edge, 2, range),
        windowCase("Erode(3)", &Picture::Erode, 3, lowest),
        windowCase("Dilate(4)", &Picture::Dilate, 4, highest),
        windowCase("Edge(3)", &Picture::Edge, 3, range),
        windowCase("Median(3)", &Picture::Median, 3, middle),
    };
    // Every width and height up to 3 (narrower than the windows), and a photo large enough to be split
    // into bands on several threads.
    std::vector<std::pair<int, int>> sizes{{1000, 803}};
    for (int width = 1; width <= 3; ++width)
        for (int height = 1; height <= 3; ++height)
            sizes.emplace_back(width, height);
    for (const auto& [width, height] : sizes) {
        const Photo photo{width, height,
                          noiseBytes(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3,
                                     static_cast<std::uint32_t>(width * 7 + height))};
        for (const Case& test : cases) {
            ImageHolder holder;
            ASSERT_TRUE(holder.FromBuffer(photo.bgr.data(), width, height));
            ASSERT_TRUE(test.run(*holder.Image())) << test.name;
            std::vector<std::uint8_t> wanted(photo.bgr.size());
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    for (int c = 0; c < 3; ++c)
                        wanted[static_cast<std::size_t>((y * width + x) * 3 + c)] =
                            static_cast<std::uint8_t>(test.value(photo, x, y, c));
            EXPECT_EQ(pixelsOf(*holder.Image()), wanted) << test.name << " on " << width << " x " << height;
        }
    }
}

TEST(Contour, MarksHowMuchBrighterTheBrightestNeighbourIs) {
    const auto source = noiseBytes(kWidth * kHeight * 3, 3);
    Picture picture;
    load(picture, source);
    ASSERT_TRUE(picture.Contour());
    EXPECT_EQ(pixelsOf(picture), expected([&](int x, int y, int c) {
                  int brightest = 0;
                  for (int dy = -1; dy <= 1; ++dy)
                      for (int dx = -1; dx <= 1; ++dx)
                          brightest =
                              std::max(brightest, at(source, x + dx, y + dy, c) - at(source, x, y, c));
                  return 255 - brightest;
              }));
}

TEST(RandomFilters, NoiseStaysWithinItsLevelAndJitterPicksNearbyPixels) {
    const auto source = imaging_test::gradientBgr(kWidth, kHeight);
    Picture noisy;
    load(noisy, source);
    noisy.SetRandomSeed(42);
    ASSERT_TRUE(noisy.Noise(50));
    const auto result = pixelsOf(noisy);
    EXPECT_NE(result, source);
    for (std::size_t p = 0; p < result.size(); p += 3) {
        const int change = result[p + 1] - source[p + 1];
        if (source[p] > 25 && source[p] < 230 && source[p + 1] > 25 && source[p + 1] < 230 &&
            source[p + 2] > 25 && source[p + 2] < 230) {
            EXPECT_LE(std::abs(change), 25);
            // The same change on all three channels.
            EXPECT_EQ(result[p] - source[p], change);
            EXPECT_EQ(result[p + 2] - source[p + 2], change);
        }
    }

    Picture jittered;
    load(jittered, source);
    jittered.SetRandomSeed(7);
    ASSERT_TRUE(jittered.Jitter(2));
    const auto moved = pixelsOf(jittered);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            bool found = false;
            for (int dy = -2; dy <= 2 && !found; ++dy)
                for (int dx = -2; dx <= 2 && !found; ++dx)
                    found = std::equal(moved.begin() + (y * kWidth + x) * 3,
                                       moved.begin() + (y * kWidth + x) * 3 + 3,
                                       source.begin() + (std::clamp(y + dy, 0, kHeight - 1) * kWidth +
                                                         std::clamp(x + dx, 0, kWidth - 1)) *
                                                            3);
            EXPECT_TRUE(found) << x << "," << y;
        }
    }
}

TEST(ImageCommands, EveryCommandKeepsTheSizeAndTheTwoEdgesDiffer) {
    const auto source = imaging_test::gradientBgr(kWidth, kHeight);
    for (const int code : {kCommandSoften, kCommandSharpen, kCommandLinearEdge, kCommandEmboss, kCommandBlur,
                           kCommandGaussian3, kCommandGaussian5, kCommandErode, kCommandDilate, kCommandNoise,
                           kCommandEdge, kCommandJitter, kCommandMedian, kCommandContour}) {
        ASSERT_TRUE(isImageCommand(code));
        Picture picture;
        load(picture, source);
        EXPECT_TRUE(RunImageCommand(picture, code)) << code;
        EXPECT_EQ(picture.GetWidth(), kWidth);
        EXPECT_EQ(picture.GetHeight(), kHeight);
    }
    Picture linear, library;
    load(linear, source);
    load(library, source);
    RunImageCommand(linear, kCommandLinearEdge);
    RunImageCommand(library, kCommandEdge);
    EXPECT_NE(pixelsOf(linear), pixelsOf(library));
    EXPECT_FALSE(isImageCommand(12345));
}

TEST(ImageCommands, MenuEntriesAreNamedByTheirSubmenuAndText) {
    EXPECT_EQ(filterMenuOperation(FilterMenu::Linear, u"Edge"), kCommandLinearEdge);
    EXPECT_EQ(filterMenuOperation(FilterMenu::NonLinear, u"Edge"), kCommandEdge);
    EXPECT_EQ(filterMenuOperation(FilterMenu::Linear, u"Gaussian5*5"), kCommandGaussian5);
    EXPECT_EQ(filterMenuOperation(FilterMenu::NonLinear, u"Contour"), kCommandContour);
    EXPECT_EQ(filterMenuOperation(FilterMenu::Linear, u"Median"), 0); // in the other submenu
    EXPECT_EQ(filterMenuOperation(FilterMenu::NonLinear, u"edge"), 0);
}

TEST(Escape, SetFlagStopsOperationsAndLeavesThePictureAsItWas) {
    const auto source = noiseBytes(kWidth * kHeight * 3, 9);
    Picture picture;
    load(picture, source);
    picture.SetEscape(1);
    const int kernel[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_FALSE(picture.Filter(kernel, 3, 9, 0));
    EXPECT_FALSE(picture.Median(3));
    EXPECT_FALSE(picture.Erode(2));
    EXPECT_FALSE(picture.Noise(50));
    EXPECT_FALSE(picture.Resample(5, 5, 1));
    EXPECT_EQ(pixelsOf(picture), source);
    picture.SetEscape(0);
    EXPECT_TRUE(picture.Median(3));
}

TEST(Escape, FlagSetFromAnotherThreadStopsARunningOperation) {
    ImageHolder holder;
    const auto big = noiseBytes(std::size_t{1200} * 1200 * 3, 1);
    ASSERT_TRUE(holder.FromBuffer(big.data(), 1200, 1200));
    Picture* picture = holder.Image();
    bool finished = true;
    std::thread worker([&] { finished = picture->Median(15); });
    picture->SetEscape(1);
    worker.join();
    EXPECT_FALSE(finished);
}

TEST(ImageHolder, FromBufferKeepsRowOrderAndLoadNeedsAnExtension) {
    const auto bgr = imaging_test::gradientBgr(6, 3); // 18 bytes a row: the block pads to 20
    ImageHolder holder;
    ASSERT_TRUE(holder.FromBuffer(bgr.data(), 6, 3));
    ASSERT_NE(holder.Image(), nullptr);
    EXPECT_EQ(holder.Image()->GetType(), 1);
    for (int row = 0; row < 3; ++row)
        EXPECT_TRUE(
            std::equal(bgr.begin() + row * 18, bgr.begin() + row * 18 + 18, holder.Image()->GetBits(row)));
    // No extension: refused at once, the held picture stays.
    EXPECT_FALSE(holder.Load(QStringLiteral("/nonexistent/picture")));
    EXPECT_NE(holder.Image(), nullptr);
    // A failed load releases the previous picture.
    EXPECT_FALSE(holder.Load(QStringLiteral("/nonexistent/picture.png")));
    EXPECT_EQ(holder.Image(), nullptr);
}

} // namespace
} // namespace imaging
