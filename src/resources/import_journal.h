#pragma once
// The import journal, "Res_Journal" in the Data folder: written (and synced) before an import changes
// any category file, removed once the import has finished or been taken back. Finding one while holding
// the library's lock (library_lock.h) means an import was interrupted (a kill, a power cut), since every
// import holds that lock while its journal exists; recoverUnfinishedImport() then either keeps its work,
// when the register already records the package (the import's last step), or takes it back: each
// category file is cut to the length it had and given its old count again, and a file the import
// created is removed.

#include "imaging/outcome.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class QFile;

namespace resources {

class LibraryLock;

inline const QString kImportJournal = QStringLiteral("Res_Journal");

struct JournalTarget {
    QString fileName;
    bool existed = false;
    qint64 length = 0;      // where its counted entries ended
    std::int32_t count = 0; // its count before the import
};

struct ImportJournal {
    QByteArray packageName;
    std::int32_t registerCount = 0; // names in the register before the import
    std::vector<JournalTarget> targets;
};

std::vector<std::uint8_t> journalBytes(const ImportJournal& journal);
std::optional<ImportJournal> parseJournal(const QByteArray& bytes);

// Puts everything written to the file so far on the disk.
bool syncToDisk(QFile& file);

// Writes the journal into the Data folder (with a trailing separator).
imaging::Outcome writeImportJournal(const QString& dataFolder, const ImportJournal& journal);
// Gives each target its length and count from the journal again (removing those it created).
imaging::Outcome rollBack(const QString& dataFolder, const ImportJournal& journal);
// Settles an interrupted import, if the locked Data folder holds a journal, and removes the journal.
// Fails, keeping the journal, when a file cannot be restored.
imaging::Outcome recoverUnfinishedImport(const LibraryLock& lock);

} // namespace resources
