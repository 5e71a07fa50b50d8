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

namespace {

// A signed number shows its sign when not 0, so that neutral reads plainly.
QString signedNumber(double value, int decimals) {
    const QString number = QString::number(value, 'f', decimals);
    const bool zero = number.toDouble() == 0.0;
    return zero ? QString::number(0.0, 'f', decimals) : (value > 0 ? QStringLiteral("+") : QString()) + number;
}

} // namespace

QString colourSliderReadout(ColourSlider slider, int position) {
    ColourSliderPositions positions = defaultColourPositions();
    positions[static_cast<std::size_t>(slider)] = position;
    const ColourAdjustment values = colourAdjustmentFromPositions(positions);
    switch (slider) {
    case SliderContrast:
        return QStringLiteral("%1%").arg(position);
    case SliderBrightness:
        return signedNumber(position - 100, 0) + QStringLiteral("%");
    case SliderSaturation:
        return QStringLiteral("%1%").arg(position);
    case SliderHue:
        return signedNumber(values.hue, 0) + QStringLiteral("\u00B0");
    case SliderGamma:
        return QString::number(position * 0.01, 'f', 2);
    case SliderColour:
        return signedNumber(values.colour, 1) + QStringLiteral("\u00B0");
    }
    return {};
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
