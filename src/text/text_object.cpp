#include "text_object.h"

#include "utf8_field.h"

#include <cmath>

namespace text {

QString textOf(const TextObject& object) {
    return readUtf8Field(object.text, sizeof object.text);
}

void setText(TextObject& object, QStringView value) {
    writeUtf8Field(object.text, sizeof object.text, value);
}

int alphaFromTransparency(float transparency) {
    if (std::isnan(transparency) || transparency <= 0.0f)
        return 255;
    if (transparency >= 1.0f)
        return 0;
    return 255 - static_cast<int>(transparency * 255.0f);
}

} // namespace text
