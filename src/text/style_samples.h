#pragma once
// What the text panel starts with and the colours of its style list: choosing a style gives its two
// sample colours to the template.

#include "text/text_object.h"

#include <array>

namespace text {

inline constexpr int kStyleCount = 8;

struct StyleColours {
    RgbColour first;
    RgbColour second;
};

inline constexpr std::array<StyleColours, kStyleCount> kStyleSampleColours{{
    {rgb(0, 255, 0), rgb(0, 156, 0)},
    {rgb(128, 65, 191), rgb(255, 255, 255)},
    {rgb(198, 25, 0), rgb(255, 255, 255)},
    {rgb(0, 25, 198), rgb(255, 255, 255)},
    {rgb(198, 25, 0), rgb(255, 255, 0)},
    {rgb(88, 66, 214), rgb(255, 255, 255)},
    {rgb(255, 255, 255), rgb(255, 80, 255)},
    {rgb(0, 25, 198), rgb(198, 25, 0)},
}};

} // namespace text
