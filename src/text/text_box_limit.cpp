#include "text_box_limit.h"

#include "text_object.h"

namespace text {

namespace {

// The record's text field keeps its last byte for the terminator.
constexpr qsizetype kRecordBytes = kTextBytes - 1;

qsizetype utf8Bytes(QStringView text) {
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            bytes += 4;
            ++i;
        } else if (unit.unicode() < 0x80) {
            bytes += 1;
        } else if (unit.unicode() < 0x800) {
            bytes += 2;
        } else {
            bytes += 3;
        }
    }
    return bytes;
}

} // namespace

bool fitsTextBox(QStringView text) {
    return utf8Bytes(text) <= kRecordBytes;
}

qsizetype fittingInsertion(QStringView before, QStringView inserted, QStringView after) {
    qsizetype room = kRecordBytes - utf8Bytes(before) - utf8Bytes(after);
    qsizetype kept = 0;
    while (kept < inserted.size() && room > 0) {
        const bool pair = inserted[kept].isHighSurrogate() && kept + 1 < inserted.size() &&
                          inserted[kept + 1].isLowSurrogate();
        const qsizetype units = pair ? 2 : 1;
        const qsizetype bytes = utf8Bytes(inserted.sliced(kept, units));
        if (bytes > room)
            break;
        kept += units;
        room -= bytes;
    }
    return kept;
}

} // namespace text
