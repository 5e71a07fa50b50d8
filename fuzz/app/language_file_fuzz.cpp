// The language file as the editor reads it at start-up: deciphered block by block into the table, then
// every caption looked up. Each slot must give at most 260 bytes and stop at its terminator, whatever the
// file holds and however long it is.

#include "../resources/scratch_library.h"
#include "app/language_table.h"

#include <cstring>

using namespace fuzz_support;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    startScratchLibrary(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = scratchFolders().GetDataFolder() + QStringLiteral("EnglishLang_src");
    writeFile(path, {data, size});
    app::LanguageTable table;
    if (!table.loadFromFile(path))
        std::abort();
    constexpr int kSlots = static_cast<int>(app::LanguageTable::kSize / app::LanguageTable::kSlotSize) + 1;
    for (int slot = -1; slot <= kSlots; ++slot) {
        const QByteArray bytes = table.slotBytes(slot);
        if (bytes.size() > static_cast<qsizetype>(app::LanguageTable::kSlotSize) || bytes.contains('\0'))
            std::abort();
        if ((slot < 0 || slot >= kSlots) && !bytes.isEmpty())
            std::abort();
        (void)table.text(slot);
    }
    // Bytes beyond the block are never read into it.
    if (size > app::LanguageTable::kSize) {
        app::LanguageTable whole;
        writeFile(path, {data, app::LanguageTable::kSize});
        if (!whole.loadFromFile(path) ||
            std::memcmp(whole.data(), table.data(), app::LanguageTable::kSize) != 0)
            std::abort();
    }
    return 0;
}
