#include "resources/starter_library.h"

#include "resources/import_journal.h"
#include "resources/library_lock.h"

#include <QDir>
#include <QFileInfo>

namespace resources {

bool libraryIsEmpty(const platform::Folders& folders) {
    const QString dataFolder = folders.GetDataFolder();
    for (const QString& name :
         {files::kFrames, files::kFrameThumbnails, files::kMasks, files::kMaskThumbnails, files::kDecorations,
          files::kDecorationThumbnails, files::kCliparts, files::kBrushTips})
        if (QFileInfo::exists(dataFolder + name))
            return false;
    return true;
}

std::vector<std::pair<QString, ImportResult>> prepareLibrary(const platform::Folders& folders,
                                                             const QString& starterFolder) {
    std::vector<std::pair<QString, ImportResult>> results;
    // A headless run (a scratch folder of its own) reads the library but never writes it.
    if (!folders.scratchFolder().isEmpty() || !folders.dataFolderAvailable())
        return results;
    // Waits while an import runs elsewhere: its journal is not an interrupted one, and the library it
    // fills may be about to stop being empty.
    LibraryLock lock(folders.GetDataFolder());
    if (lock.take() != LibraryLock::State::Held)
        return results;
    // A failure here is met again, and reported, by the next import.
    recoverUnfinishedImport(lock);
    if (!libraryIsEmpty(folders))
        return results;
    const QDir starter(starterFolder);
    const QStringList packages =
        starter.entryList({QStringLiteral("*.irs")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& package : packages) {
        const QString path = starter.filePath(package);
        results.emplace_back(path, ImportResourcePackage(lock, path));
    }
    return results;
}

} // namespace resources
