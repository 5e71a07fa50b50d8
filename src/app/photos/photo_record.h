#pragma once
// One imported photo, in the fixed 1104-byte layout that the photo list store keeps on disk.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <type_traits>

namespace app {

struct PhotoRecord {
    char path[260] = {};      // full path, UTF-8, zero-terminated
    char drive[3] = {};       // drive letter and colon; empty where paths have no drive
    char directory[256] = {}; // with its trailing separator
    char name[256] = {};      // file name without extension
    char extension[256] = {}; // with its dot
    char zero1[41] = {};
    std::int32_t listIndex = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t orientation = 0; // rotation code for drawing the thumbnail; 0 at import
    std::int32_t marked = 0;
    std::int32_t zero2 = 0;
    std::int32_t removed = 0;
    std::int32_t zero3 = 0;

    QString fullPath() const;
    QString fileName() const; // name and extension
};

static_assert(sizeof(PhotoRecord) == 1104);
static_assert(std::is_trivially_copyable_v<PhotoRecord> && std::is_standard_layout_v<PhotoRecord>);

// The JPEG thumbnail that belongs to the record at the same position.
struct PhotoThumb {
    QByteArray jpeg;
};

// Fills the path fields from a full path. False, with the record untouched, when the path (or one of
// its parts) does not fit its field: such a path is refused, never cut.
bool setRecordPath(PhotoRecord& record, const QString& path, bool lowerCaseExtension);

} // namespace app
