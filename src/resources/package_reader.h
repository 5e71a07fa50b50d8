#pragma once
// Reads an editing-resource package (.irs) entry by entry. Every size is checked against the bytes left
// in the package and against the readers' limits before anything is allocated, so a damaged or hostile
// package is refused with a reason instead of being half-read.

#include "imaging/outcome.h"
#include "resources/package_writer.h"
#include "resources/resource_types.h"

#include <QIODevice>
#include <string>

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
    // recognises, within kMaxPictureSide, of the size the entry gives; its pixels are not decoded. A
    // refusal names the entry.
    imaging::Outcome readEntry(PackageEntry& entry);
    // Decodes the picture of entry `number` (from 1), if it has one: a picture whose header is sound but
    // whose pixels are damaged is refused, naming the entry. Safe to call from several threads at once.
    imaging::Outcome decodes(const PackageEntry& entry, int number) const;
    // Goes back to the first entry, for a second pass over the package.
    imaging::Outcome rewind();

private:
    qint64 remaining() const;
    bool readExactly(void* into, qint64 length);
    // The failure of entry `number` (from 1).
    imaging::Outcome refusedEntry(int number, const std::string& problem) const;
    imaging::Outcome refusedEntry(const std::string& problem) const { return refusedEntry(next_, problem); }

    QIODevice& device_;
    ResourceCategory category_ = ResourceCategory::Frames;
    int count_ = 0;
    int next_ = 0; // entries read so far
};

} // namespace resources
