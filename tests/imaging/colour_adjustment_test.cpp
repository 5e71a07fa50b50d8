#include "imaging/colour/colour_adjustment.h"
#include "imaging/colour/colour_transform.h"

#include <QSize>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace imaging;

namespace {

using Matrix = std::array<std::array<double, 5>, 5>;

ColourSliderPositions withPosition(ColourSlider slider, int position) {
    ColourSliderPositions positions = defaultColourPositions();
    positions[static_cast<std::size_t>(slider)] = position;
    return positions;
}

ColorMatrix matrixAt(ColourSlider slider, int position) {
    return colourAdjustmentMatrix(colourAdjustmentFromPositions(withPosition(slider, position)));
}

void expectMatrix(const ColorMatrix& actual, const Matrix& expected, double tolerance, const char* what) {
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 5; ++column)
            EXPECT_NEAR(actual.at(row, column), expected[row][column], tolerance)
                << what << " at [" << row << "][" << column << "]";
}

Matrix identity() {
    Matrix m{};
    for (std::size_t i = 0; i < 5; ++i)
        m[i][i] = 1.0;
    return m;
}

// Pixels 3 or 4 bytes wide with some bytes of padding after each row.
struct Pixels {
    int width;
    int height;
    int bytes;
    std::size_t stride;
    std::vector<std::uint8_t> data;

    Pixels(int w, int h, int b, unsigned seed) : width(w), height(h), bytes(b) {
        stride = static_cast<std::size_t>(w * b + 5);
        data.resize(stride * static_cast<std::size_t>(h));
        std::mt19937 random(seed);
        for (auto& byte : data)
            byte = static_cast<std::uint8_t>(random());
    }
    const std::uint8_t* pixel(int x, int y) const { return data.data() + stride * y + x * bytes; }
};

Pixels transformed(const ColourTransform& transform, const Pixels& source) {
    Pixels target = source;
    transform.apply(source.data.data(), source.stride, target.data.data(), target.stride, source.width,
                    source.height, source.bytes);
    return target;
}

// The drawing library's colour matrix and gamma, written out plainly from their definition.
std::array<std::uint8_t, 3> reference(const ColourAdjustment& values, const ColorMatrix& m,
                                      const std::uint8_t* bgr) {
    const int in[5] = {bgr[2], bgr[1], bgr[0], 255, 255}; // red, green, blue, alpha, offset
    std::array<std::uint8_t, 3> out{};
    for (int column = 0; column < 3; ++column) {
        int sum = 0;
        for (int row = 0; row < 5; ++row)
            sum += static_cast<int>(std::floor(m.at(row, column) * 256.0 + 0.5)) * in[row];
        const int clamped = std::clamp(sum / 256, 0, 255);
        const int corrected =
            values.gamma == 1.0f
                ? clamped
                : static_cast<int>(std::floor(std::pow(clamped / 255.0, double{values.gamma}) * 255.0));
        out[static_cast<std::size_t>(2 - column)] = static_cast<std::uint8_t>(corrected);
    }
    return out;
}

} // namespace

TEST(ColourMatrix, EachSliderAloneGivesItsHandComputedMatrix) {
    Matrix contrast = identity();
    contrast[0][0] = contrast[1][1] = contrast[2][2] = 2.0;
    expectMatrix(matrixAt(SliderContrast, 200), contrast, 1e-5, "contrast 2");

    Matrix brightness = identity();
    brightness[4][0] = brightness[4][1] = brightness[4][2] = 0.5;
    expectMatrix(matrixAt(SliderBrightness, 150), brightness, 1e-5, "brightness +0.5");

    Matrix grey = identity();
    grey[0] = {0.3086, 0.3086, 0.3086, 0, 0};
    grey[1] = {0.6094, 0.6094, 0.6094, 0, 0};
    grey[2] = {0.082, 0.082, 0.082, 0, 0};
    expectMatrix(matrixAt(SliderSaturation, 0), grey, 1e-5, "saturation 0");

    // Turned about the grey axis with the luminance kept: each row's weighted sum is that row's weight.
    Matrix hue = identity();
    hue[0] = {0.003094, 0.582353, -0.576103, 0, 0};
    hue[1] = {0.156874, 0.743355, 1.316931, 0, 0};
    hue[2] = {0.830305, -0.320025, 0.253551, 0, 0};
    expectMatrix(matrixAt(SliderHue, 27000), hue, 2e-5, "hue 90");

    // Blue–green, then red–blue, then red–green, 36 degrees each.
    Matrix colour = identity();
    colour[0] = {0.654508, 0.475528, -0.587785, 0, 0};
    colour[1] = {-0.196020, 0.857583, 0.475528, 0, 0};
    colour[2] = {0.730202, -0.196020, 0.654508, 0, 0};
    expectMatrix(matrixAt(SliderColour, 36000), colour, 2e-5, "colour +36");
}

TEST(ColourMatrix, PositionsBecomeValuesAtTheEndsOfEachRange) {
    const ColourAdjustment low = colourAdjustmentFromPositions({20, 0, 0, 0, 20, 0});
    EXPECT_FLOAT_EQ(low.contrast, 0.2f);
    EXPECT_FLOAT_EQ(low.brightness, -1.0f);
    EXPECT_FLOAT_EQ(low.saturation, 0.0f);
    EXPECT_FLOAT_EQ(low.hue, -180.0f);
    EXPECT_FLOAT_EQ(low.gamma, 0.2f);
    EXPECT_FLOAT_EQ(low.colour, -36.0f);
    const ColourAdjustment high = colourAdjustmentFromPositions({400, 200, 300, 36000, 400, 36000});
    EXPECT_FLOAT_EQ(high.contrast, 4.0f);
    EXPECT_FLOAT_EQ(high.brightness, 1.0f);
    EXPECT_FLOAT_EQ(high.saturation, 3.0f);
    EXPECT_FLOAT_EQ(high.hue, 180.0f);
    EXPECT_FLOAT_EQ(high.colour, 36.0f);
    EXPECT_EQ(colourAdjustmentFromPositions(defaultColourPositions()), ColourAdjustment{});
}

TEST(ColourMatrix, EveryPositionComesBackFromItsValues) {
    for (int slider = 0; slider < kColourSliderCount; ++slider) {
        const ColourSliderSetup& setup = kColourSliders[static_cast<std::size_t>(slider)];
        for (int position = setup.minimum; position <= setup.maximum; ++position) {
            const ColourSliderPositions positions = withPosition(static_cast<ColourSlider>(slider), position);
            ASSERT_EQ(colourPositionsFromAdjustment(colourAdjustmentFromPositions(positions)), positions)
                << setup.label << " at " << position;
        }
    }
}

TEST(ColourTransform, DefaultsLeaveEveryPixelAsItWas) {
    expectMatrix(colourAdjustmentMatrix(ColourAdjustment{}), identity(), 1e-6, "defaults");
    const ColourTransform transform(colourAdjustmentFromPositions(defaultColourPositions()));
    EXPECT_TRUE(transform.isIdentity());
    const Pixels photo(31, 7, 3, 1);
    EXPECT_EQ(transformed(transform, photo).data, photo.data);
}

TEST(ColourTransform, GammaOnAGreyRampFollowsThePowerCurve) {
    const ColourTransform transform(colourAdjustmentFromPositions(withPosition(SliderGamma, 220)));
    Pixels ramp(256, 1, 3, 0);
    for (int v = 0; v < 256; ++v)
        std::fill_n(ramp.data.data() + v * 3, 3, static_cast<std::uint8_t>(v));
    const Pixels out = transformed(transform, ramp);
    // ⌊255 · (v / 255)^2.2⌋
    const std::pair<int, int> expected[] = {{0, 0},    {1, 0},     {32, 2},    {64, 12},
                                            {128, 55}, {192, 136}, {254, 252}, {255, 255}};
    for (const auto& [in, value] : expected)
        for (int channel = 0; channel < 3; ++channel)
            EXPECT_EQ(out.pixel(in, 0)[channel], value) << "grey " << in;
}

TEST(ColourTransform, ContrastScalesAboutZeroAndBrightnessReachesWhiteAndBlack) {
    Pixels photo(2, 1, 3, 0);
    std::fill_n(photo.data.data(), 3, std::uint8_t{0});
    std::fill_n(photo.data.data() + 3, 3, std::uint8_t{255});

    const Pixels lowContrast =
        transformed(ColourTransform(colourAdjustmentFromPositions(withPosition(SliderContrast, 20))), photo);
    EXPECT_EQ(lowContrast.pixel(0, 0)[0], 0);  // black stays black: no pull towards mid-grey
    EXPECT_EQ(lowContrast.pixel(1, 0)[1], 50); // 0.2 is 51/256 in fixed point: 255 · 51 / 256

    const Pixels white = transformed(
        ColourTransform(colourAdjustmentFromPositions(withPosition(SliderBrightness, 200))), photo);
    const Pixels black =
        transformed(ColourTransform(colourAdjustmentFromPositions(withPosition(SliderBrightness, 0))), photo);
    for (int x = 0; x < 2; ++x)
        for (int channel = 0; channel < 3; ++channel) {
            EXPECT_EQ(white.pixel(x, 0)[channel], 255);
            EXPECT_EQ(black.pixel(x, 0)[channel], 0);
        }
}

TEST(ColourTransform, SaturationZeroGivesGreyByTheLuminanceWeights) {
    Pixels photo(1, 1, 3, 0);
    photo.data[0] = 50;  // blue
    photo.data[1] = 100; // green
    photo.data[2] = 200; // red
    const Pixels out =
        transformed(ColourTransform(colourAdjustmentFromPositions(withPosition(SliderSaturation, 0))), photo);
    // (79 · 200 + 156 · 100 + 21 · 50) / 256, the weights in 8.8 fixed point
    for (int channel = 0; channel < 3; ++channel)
        EXPECT_EQ(out.pixel(0, 0)[channel], 126);
}

TEST(ColourTransform, HueAtEitherEndGivesTheSamePicture) {
    const Pixels photo(40, 9, 3, 2);
    EXPECT_EQ(
        transformed(ColourTransform(colourAdjustmentFromPositions(withPosition(SliderHue, 0))), photo).data,
        transformed(ColourTransform(colourAdjustmentFromPositions(withPosition(SliderHue, 36000))), photo)
            .data);
}

// The per-channel tables, the general path, both pixel sizes, padded rows, in-place work and the split
// between threads must all give the plain definition's pixels.
TEST(ColourTransform, EveryPathGivesTheDefinitionsPixels) {
    const ColourAdjustment perChannel = colourAdjustmentFromPositions({180, 130, 100, 18000, 70, 18000});
    const ColourAdjustment general = colourAdjustmentFromPositions({140, 90, 230, 9000, 180, 25000});
    const ColourAdjustment extreme = colourAdjustmentFromPositions({400, 200, 300, 0, 20, 0});
    for (const ColourAdjustment& values : {perChannel, general, extreme}) {
        const ColourTransform transform(values);
        const ColorMatrix matrix = colourAdjustmentMatrix(values);
        for (const int bytes : {3, 4}) {
            for (const QSize size : {QSize(37, 23), QSize(1000, 500)}) {
                const Pixels photo(size.width(), size.height(), bytes, 5);
                Pixels inPlace = photo;
                transform.apply(inPlace.data.data(), inPlace.stride, inPlace.data.data(), inPlace.stride,
                                photo.width, photo.height, bytes);
                const Pixels out = transformed(transform, photo);
                EXPECT_EQ(inPlace.data, out.data);
                int wrong = 0;
                for (int y = 0; y < photo.height; ++y)
                    for (int x = 0; x < photo.width; ++x) {
                        const auto expected = reference(values, matrix, photo.pixel(x, y));
                        const std::uint8_t* actual = out.pixel(x, y);
                        if (!std::equal(expected.begin(), expected.end(), actual) ||
                            (bytes == 4 && actual[3] != photo.pixel(x, y)[3]))
                            ++wrong;
                    }
                EXPECT_EQ(wrong, 0) << bytes << " bytes, " << size.width() << " x " << size.height();
            }
        }
    }
}
