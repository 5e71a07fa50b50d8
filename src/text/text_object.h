#pragma once
// The text object placed on the canvas and the text panel's template, which shares its layout. Both are
// plain records: the undo history copies them whole.

#include "text/fonts/log_font.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <type_traits>

namespace text {

inline constexpr int kTextBytes = 1000;

// 0x00BBGGRR: red in the low byte.
using RgbColour = std::uint32_t;

constexpr RgbColour rgb(int red, int green, int blue) {
    return static_cast<RgbColour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

struct TextObject {
    LogFont font;               // height in canvas pixels
    char text[kTextBytes] = {}; // UTF-8, zero-terminated
    std::int32_t style = 0;     // 0 to 7; other values draw the fixed fallback style
    RgbColour colour = 0;       // first colour of the style
    RgbColour secondColour = 0; // second colour of the style
    std::int32_t selected = 0;  // 1 while the text is the selected object
    std::int32_t reserved = 0;  // a non-zero value keeps the text out of hit-testing
    std::int32_t left = 0;      // the text rectangle in window pixels
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    float transparency = 0.0f; // 0 opaque to 1 invisible
    std::int32_t anchorX = 0;  // rectangle's left and top relative to the view, as last shown
    std::int32_t anchorY = 0;
    std::int32_t anchorViewWidth = 0; // the view width when the anchor was taken
};

using TextTemplate = TextObject;

// The heights a text can be given, in photo pixels. A template height of 0 asks for the default: a tenth
// of the photo's shorter side.
inline constexpr int kMinTextHeight = 4;
inline constexpr int kMaxTextHeight = 1200;

// The settings of a text, one bit each: a restyle hands only these to the selected text.
enum TextSetting : unsigned {
    TextFace = 1u << 0,
    TextStyle = 1u << 1,
    TextColour = 1u << 2,
    TextSecondColour = 1u << 3,
    TextTransparency = 1u << 4,
    TextSize = 1u << 5,
};

static_assert(sizeof(TextObject) == 1112);
static_assert(std::is_trivially_copyable_v<TextObject> && std::is_standard_layout_v<TextObject>);

QString textOf(const TextObject& object);

// Stores the text as UTF-8; a text longer than the field is cut at a character boundary.
void setText(TextObject& object, QStringView value);

// The drawing alpha for a transparency: 255 - trunc(transparency * 255), with the transparency held to
// 0..1 (a value outside it, or not a number, must not wrap round into some other alpha).
int alphaFromTransparency(float transparency);

} // namespace text
