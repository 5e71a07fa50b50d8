#include "utf8_field.h"

#include <QByteArray>
#include <algorithm>
#include <cstring>

namespace text {

QString readUtf8Field(const char* field, std::size_t size) {
    const auto* end = static_cast<const char*>(std::memchr(field, 0, size));
    const std::size_t length = end ? static_cast<std::size_t>(end - field) : size;
    return QString::fromUtf8(field, static_cast<qsizetype>(length));
}

void writeUtf8Field(char* field, std::size_t size, QStringView value) {
    std::memset(field, 0, size);
    if (size == 0)
        return;
    const QByteArray bytes = value.toUtf8();
    std::size_t length = std::min(static_cast<std::size_t>(bytes.size()), size - 1);
    // Step back over continuation bytes (10xxxxxx) so the cut falls before a lead byte.
    if (length < static_cast<std::size_t>(bytes.size()))
        while (length > 0 &&
               (static_cast<unsigned char>(bytes[static_cast<qsizetype>(length)]) & 0xC0) == 0x80)
            --length;
    std::memcpy(field, bytes.constData(), length);
}

} // namespace text
