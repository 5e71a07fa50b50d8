#pragma once
// The library a new Data folder starts with: the packages the program ships in its "Starter" folder.

#include "platform/folders.h"
#include "resources/package_importer.h"

#include <QString>
#include <utility>
#include <vector>

namespace resources {

// True when the Data folder holds none of the category files.
bool libraryIsEmpty(const platform::Folders& folders);

// Readies the library before the editor reads it, under the library's lock (waiting while an import runs
// elsewhere): settles an import that was interrupted, and on a first start (no category file in the Data
// folder) imports every "*.irs" of `starterFolder`, in the order of their names, through the importer. A
// missing or empty folder imports nothing. Returns each package's path with its result.
std::vector<std::pair<QString, ImportResult>> prepareLibrary(const platform::Folders& folders,
                                                             const QString& starterFolder);

} // namespace resources
