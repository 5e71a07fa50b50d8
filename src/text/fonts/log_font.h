#pragma once
// The 60-byte font record carried by text objects, shaped like the Windows LOGFONTA.

#include <QString>
#include <QStringView>
#include <cstdint>
#include <type_traits>

namespace text {

inline constexpr int kFaceNameBytes = 32;

struct LogFont {
    // Pixels: above 0 the cell height (ascent + descent), below 0 the character (em) height.
    std::int32_t height = 0;
    std::int32_t width = 0; // always 0 for text objects: the face's own proportions
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0; // 0 = normal (400); 700 = bold
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    char faceName[kFaceNameBytes] = {}; // UTF-8, zero-terminated
};

static_assert(sizeof(LogFont) == 60);
static_assert(std::is_trivially_copyable_v<LogFont> && std::is_standard_layout_v<LogFont>);

// The face name, read up to its terminator or the end of the field.
QString faceName(const LogFont& font);

// Stores the name as UTF-8, cut at a character boundary so that it always ends with a terminator.
void setFaceName(LogFont& font, QStringView name);

// A record with the given face and height and every other field zero.
LogFont makeLogFont(QStringView face, int height, int weight = 0);

} // namespace text
