// The package register "Res_Info" and the import journal "Res_Journal", as an interrupted import or a
// damaged disk may leave them. The first two bytes give the register's length; the register, then the
// journal follow. Settling the journal may only ever touch the category files of the Data folder.

#include "resources/import_journal.h"
#include "resources/library_lock.h"
#include "resources/package_register.h"
#include "resources/resource_types.h"
#include "scratch_library.h"

using namespace fuzz_support;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    startScratchLibrary(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::size_t registerLength = std::min<std::size_t>(data[0] | (data[1] << 8), size - 2);
    const std::span<const std::uint8_t> registerBytes(data + 2, registerLength);
    const std::span<const std::uint8_t> journalBytes(data + 2 + registerLength, size - 2 - registerLength);

    clearData();
    const QString dataFolder = scratchFolders().GetDataFolder();
    writeFile(dataFolder + resources::files::kPackageRegister, registerBytes);
    writeFile(dataFolder + resources::kImportJournal, journalBytes);
    // A bystander in the Data folder that no journal may touch.
    const std::uint8_t marker[4] = {1, 2, 3, 4};
    writeFile(dataFolder + QStringLiteral("ZorvathMedia"), marker);

    const std::vector<QByteArray> names =
        resources::readPackageRegister(dataFolder + resources::files::kPackageRegister);
    if (names.size() > registerLength / resources::kRegisterNameBytes)
        std::abort();
    for (const QByteArray& name : names)
        if (name.size() >= resources::kRegisterNameBytes || name.contains('\0'))
            std::abort();

    const QByteArray journal(reinterpret_cast<const char*>(journalBytes.data()),
                             static_cast<qsizetype>(journalBytes.size()));
    if (const std::optional<resources::ImportJournal> parsed = resources::parseJournal(journal)) {
        // What parses writes back the same.
        const std::vector<std::uint8_t> again = resources::journalBytes(*parsed);
        if (QByteArray(reinterpret_cast<const char*>(again.data()), static_cast<qsizetype>(again.size())) !=
            journal)
            std::abort();
    }
    {
        resources::LibraryLock lock(dataFolder);
        if (lock.take() != resources::LibraryLock::State::Held)
            std::abort();
        resources::recoverUnfinishedImport(lock);
    }
    if (readFile(dataFolder + QStringLiteral("ZorvathMedia")) != QByteArray("\x01\x02\x03\x04", 4))
        std::abort();
    if (QDir(scratch->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot) !=
        QStringList{QStringLiteral("Data")})
        std::abort();
    return 0;
}
