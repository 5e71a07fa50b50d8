#pragma once
// Walking a list file of the Data folder: a count, then entries one after another, raw (width, height,
// pixels) or encoded (width, height, length, [the hole, in "photoframes" only], a picture file). Every
// header is checked against the bytes really left in the file before it is trusted, so a damaged file
// ends the walk at its first damaged entry instead of sending a reader past the end or into a huge
// allocation.

#include "resources/resource_types.h"

#include <QIODevice>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace resources {

enum class ListLayout {
    Raw,             // cliparts, brushs, every _t file
    Encoded,         // photomasks, decorate
    EncodedWithHole, // photoframes
};

// The layout of an encoded list: with the hole when the name is exactly "photoframes" (case-sensitive).
ListLayout encodedLayoutFor(const QString& fileName);

// One entry's header, checked: raw entries have an acceptable size and all their pixels present;
// encoded entries have a picture size the decoder accepts and a picture of 1 to kMaxEncodedBytes bytes,
// all present.
struct EntryHeader {
    int width = 0;
    int height = 0;
    // Bytes of the payload: width × height × 4 pixels (raw) or the picture file (encoded).
    std::int64_t length = 0;
    std::optional<PhotoHole> hole; // "photoframes" only
    qint64 payloadOffset = 0;

    qint64 end() const { return payloadOffset + length; }
};

// The count at the start of the file, or none when the file is shorter than 4 bytes.
std::optional<std::int32_t> readListCount(QIODevice& device);

// Reads and checks the header of the entry starting at `offset`; none when it is short or damaged.
std::optional<EntryHeader> readEntryHeaderAt(QIODevice& device, ListLayout layout, qint64 offset);

// The entries a file really holds: the start of each sound entry among the first `count` (at most
// kMaxListEntries), in order, stopping at the first damaged one.
struct ListScan {
    std::int32_t count = 0;      // as the file says (0 when it is shorter than 4 bytes)
    std::vector<qint64> offsets; // at most max(count, 0) entries
    qint64 end = 4;              // where the last sound entry ends
    bool hasCount = false;

    // Every counted entry is present and sound.
    bool complete() const {
        return hasCount && static_cast<std::int64_t>(offsets.size()) == std::max<std::int64_t>(count, 0);
    }
};
ListScan scanList(QIODevice& device, ListLayout layout);

} // namespace resources
