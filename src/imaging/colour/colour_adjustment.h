#pragma once
// The six values of the colour tool, the slider positions they come from, and the colour matrix they
// make.

#include "imaging/colour/colour_matrix.h"

#include <QString>
#include <array>

namespace imaging {

// Contrast, brightness, saturation, hue (degrees), gamma and colour rotation (degrees) of the photo. The
// defaults change nothing.
struct ColourAdjustment {
    float contrast = 1.0f;
    float brightness = 0.0f;
    float saturation = 1.0f;
    float hue = 0.0f;
    float gamma = 1.0f;
    float colour = 0.0f;

    bool operator==(const ColourAdjustment&) const = default;
};

// The colour panel's sliders, in panel order.
enum ColourSlider : int {
    SliderContrast,
    SliderBrightness,
    SliderSaturation,
    SliderHue,
    SliderGamma,
    SliderColour
};
inline constexpr int kColourSliderCount = 6;

struct ColourSliderSetup {
    const char* label;
    int controlId;
    int minimum;
    int maximum;
    int defaultPosition;
};

inline constexpr std::array<ColourSliderSetup, kColourSliderCount> kColourSliders{{
    {"Contrast", 10002, 20, 400, 100},
    {"Brightness", 10004, 0, 200, 100},
    {"Saturation", 10003, 0, 300, 100},
    {"Hue", 10005, 0, 36000, 18000},
    {"Gamma", 10006, 20, 400, 100},
    {"Color", 10007, 0, 36000, 18000},
}};

using ColourSliderPositions = std::array<int, kColourSliderCount>;

inline constexpr ColourSliderPositions defaultColourPositions() {
    ColourSliderPositions positions{};
    for (std::size_t i = 0; i < positions.size(); ++i)
        positions[i] = kColourSliders[i].defaultPosition;
    return positions;
}

// The values the positions stand for, worked out in double precision and handed on as floats.
ColourAdjustment colourAdjustmentFromPositions(const ColourSliderPositions& positions);
// The nearest positions that stand for these values, so that the sliders can show an adjustment again.
ColourSliderPositions colourPositionsFromAdjustment(const ColourAdjustment& values);
// What a slider at this position does, as its readout says it: contrast and saturation in percent,
// brightness in percent from neutral, hue and colour in degrees, gamma as the exponent.
QString colourSliderReadout(ColourSlider slider, int position);

// The matrix of contrast, brightness, saturation, hue and colour. Applied to a colour: the colour turns in
// the blue–green, red–blue and red–green planes, then contrast scales it about 0, brightness is added,
// saturation and the hue turn follow. Gamma is not part of it.
ColorMatrix colourAdjustmentMatrix(const ColourAdjustment& adjustment);

} // namespace imaging
