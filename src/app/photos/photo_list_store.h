#pragma once
// The photo list store: a count, the records (removed ones left out), then each record's thumbnail as a
// length and its JPEG bytes. All integers are 32-bit little-endian.

#include "app/photos/photo_record.h"

#include <QString>
#include <vector>

namespace app {

struct PhotoList {
    std::vector<PhotoRecord> records;
    std::vector<PhotoThumb> thumbs; // parallel to records
};

struct StoreLoadResult {
    PhotoList list;          // what could be read; list indices renumbered 0, 1, 2 …, marks cleared
    bool damaged = false;    // the file ended early or held impossible values
    bool unreadable = false; // a store is there but could not be opened: it must not be written over
    bool missing = false;    // there is no store at all (a store saved empty is not missing)
    QString movedAsideTo;    // where a damaged store was put, so nothing is lost without trace
};

// A missing store gives an empty list, marked missing. A damaged one keeps every record read whole (a record
// whose thumbnail was lost gets an empty one) and is moved aside to "<path>.damaged".
StoreLoadResult loadPhotoListStore(const QString& path);

// Writes every record that is not removed, with its thumbnail, to a new file that then replaces the
// store, so a crash or a full disk while saving never destroys the list. False when nothing was written.
bool savePhotoListStore(const QString& path, const PhotoList& list);

} // namespace app
