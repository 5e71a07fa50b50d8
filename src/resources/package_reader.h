#pragma once
// Reads an editing-resource package (.irs) entry by entry. Every size is checked against the bytes left
// in the package and against the readers' limits before anything is allocated, so a damaged or hostile
// package is refused with a reason instead of being half-read.

#include "imaging/outcome.h"
#include "resources/package_writer.h"
#include "resources/resource_types.h"

#include <QIODevice>

namespace resources {

class PackageReader {
public:
    // The device is open for reading, positioned at the package's start, and random-access.
    explicit PackageReader(QIODevice& device);

    // Reads the category and the count. Refuses a category outside 0 to 4, a package without entries
    // and a count the package's bytes cannot hold.
    imaging::Outcome readHeader();
    ResourceCategory category() const { return category_; }
    int count() const { return count_; }

    // Reads the next entry. For cliparts and brush tips the picture part is skipped and `entry.picture`
    // is left empty. For frames, masks and decorations the picture must be a picture file the editor
    // decodes, of the size the entry gives.
    imaging::Outcome readEntry(PackageEntry& entry);

private:
    qint64 remaining() const;
    bool readExactly(void* into, qint64 length);

    QIODevice& device_;
    ResourceCategory category_ = ResourceCategory::Frames;
    int count_ = 0;
};

} // namespace resources
