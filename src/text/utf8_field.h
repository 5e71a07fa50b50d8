#pragma once
// Zero-terminated UTF-8 text in fixed-size char fields of the plain records.

#include <QString>
#include <QStringView>
#include <cstddef>

namespace text {

// Reads up to the first zero byte or the end of the field, whichever comes first.
QString readUtf8Field(const char* field, std::size_t size);

// Writes the text and a terminator; a text that does not fit is cut before the first UTF-8 character
// that would not, so no character is ever split. The rest of the field is zeroed.
void writeUtf8Field(char* field, std::size_t size, QStringView value);

} // namespace text
