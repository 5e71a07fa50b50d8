#include "text/fonts/log_font.h"

#include "text/utf8_field.h"

namespace text {

QString faceName(const LogFont& font) {
    return readUtf8Field(font.faceName, sizeof font.faceName);
}

void setFaceName(LogFont& font, QStringView name) {
    writeUtf8Field(font.faceName, sizeof font.faceName, name);
}

LogFont makeLogFont(QStringView face, int height, int weight) {
    LogFont font;
    font.height = height;
    font.weight = weight;
    setFaceName(font, face);
    return font;
}

} // namespace text
