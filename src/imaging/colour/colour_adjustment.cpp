#include "imaging/colour/colour_adjustment.h"

#include <algorithm>
#include <cmath>

namespace imaging {

ColourAdjustment colourAdjustmentFromPositions(const ColourSliderPositions& positions) {
    const auto scaled = [&](ColourSlider slider) {
        return positions[static_cast<std::size_t>(slider)] * 0.01;
    };
    ColourAdjustment values;
    values.contrast = static_cast<float>(scaled(SliderContrast));
    values.brightness = static_cast<float>(scaled(SliderBrightness) - 1);
    values.saturation = static_cast<float>(scaled(SliderSaturation));
    values.hue = static_cast<float>(scaled(SliderHue) - 180);
    values.gamma = static_cast<float>(scaled(SliderGamma));
    values.colour = static_cast<float>((scaled(SliderColour) - 180) * 0.2);
    return values;
}

ColourSliderPositions colourPositionsFromAdjustment(const ColourAdjustment& values) {
    const auto position = [](double value) { return static_cast<int>(std::lround(value * 100)); };
    ColourSliderPositions positions{};
    positions[SliderContrast] = position(values.contrast);
    positions[SliderBrightness] = position(values.brightness + 1.0);
    positions[SliderSaturation] = position(values.saturation);
    positions[SliderHue] = position(values.hue + 180.0);
    positions[SliderGamma] = position(values.gamma);
    positions[SliderColour] = position(values.colour / 0.2 + 180.0);
    for (std::size_t i = 0; i < positions.size(); ++i)
        positions[i] = std::clamp(positions[i], kColourSliders[i].minimum, kColourSliders[i].maximum);
    return positions;
}

ColorMatrix colourAdjustmentMatrix(const ColourAdjustment& a) {
    ColorMatrix m;
    m.Scale(a.contrast, a.contrast, a.contrast, 1.0f, MatrixOrder::Prepend);
    m.Translate(a.brightness, a.brightness, a.brightness, 0, MatrixOrder::Append);
    m.Saturate(a.saturation, MatrixOrder::Append);
    m.RotateHue(a.hue);
    m.RotateColor(a.colour, 1, 0, MatrixOrder::Prepend);
    m.RotateColor(a.colour, 0, 2, MatrixOrder::Prepend);
    m.RotateColor(a.colour, 2, 1, MatrixOrder::Prepend);
    return m;
}

} // namespace imaging
