#include "imaging/colour/colour_adjustment.h"

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
