#pragma once
// Imports an editing-resource package (.irs) into the library of the Data folder: its raw parts are
// appended to the category's raw list, its pictures (frames, masks, decorations) to the category's
// picture file, and its file name to the register "Res_Info".
//
// An import is all or nothing, and only one runs at a time: each holds the library's lock (see
// library_lock.h) from its check for an interrupted import to its last write. Nothing is written until
// every entry of the package has been read and every picture decoded, and the register and the category
// files have been checked; the new entries are then appended behind the counted ones, the counts are
// raised only once every entry is on the disk, and the register is replaced last. A package that ends
// early or holds a damaged entry, a full disk or a failed write takes every file back to what it was; an
// import cut short by a kill is taken back at the next import or start (see import_journal.h). Only the
// fixed category files, the register, the journal and the lock in the Data folder are ever written,
// whatever the package holds.

#include "platform/folders.h"
#include "resources/resource_types.h"

#include <QString>
#include <string>
#include <utility>

namespace resources {

class LibraryLock;

struct ImportResult {
    enum class Status {
        Imported,
        AlreadyInLibrary, // the register records a package of this file name
        Refused,          // nothing was imported; `reason` says why
    };
    Status status = Status::Refused;
    ResourceCategory category = ResourceCategory::Frames;
    int count = 0;      // entries imported
    std::string reason; // for people, without a final full stop

    bool imported() const { return status == Status::Imported; }
    static ImportResult refusal(std::string reason) { return {Status::Refused, {}, 0, std::move(reason)}; }
};

// Imports under the library's lock, which the caller holds.
ImportResult ImportResourcePackage(const LibraryLock& lock, const QString& packagePath);
// Waits for the library's lock (while another import runs), then imports.
ImportResult ImportResourcePackage(const platform::Folders& folders, const QString& packagePath);

// Why an import was not begun while another held the library's lock.
inline constexpr char kLibraryBusy[] =
    "another import into the library is under way; try again when it has finished";

// "frames", "masks", "cliparts", "decorations", "brush tips".
const char* categoryNamePlural(ResourceCategory category);

} // namespace resources
