#include "app/language_cipher.h"
#include "app/language_resource.h"
#include "app/language_table.h"
#include "support/temp_folder.h"

#include <QFile>
#include <gtest/gtest.h>
#include <numeric>
#include <random>

using app::LanguageTable;
using testing_support::TempFolder;

namespace {

// Enciphers a plain table the way the program's resource is stored.
QByteArray encipher(QByteArray plain) {
    for (qsizetype offset = 0; offset < plain.size(); offset += app::kLanguageCipherBlock) {
        const auto length = std::min<qsizetype>(app::kLanguageCipherBlock, plain.size() - offset);
        app::cipherLanguageBlock(std::span(reinterpret_cast<std::uint8_t*>(plain.data()) + offset,
                                           static_cast<std::size_t>(length)));
    }
    return plain;
}

QByteArray plainTableWith(int slot, const QByteArray& text) {
    QByteArray plain(LanguageTable::kSize, '\0');
    plain.replace(slot * 260, text.size(), text);
    return plain;
}

} // namespace

TEST(LanguageTable, EmbeddedResourceGivesTheShellCaptions) {
    TempFolder folder;
    ASSERT_TRUE(app::extractLanguageFile(folder.file("EnglishLang_src")));
    EXPECT_EQ(QFile(folder.file("EnglishLang_src")).size(),
              static_cast<qint64>(app::englishLanguageResource().size()));
    LanguageTable table;
    ASSERT_TRUE(table.loadFromFile(folder.file("EnglishLang_src")));
    EXPECT_EQ(table.text(3), "Undo");
    EXPECT_EQ(table.text(23), "Quorix Pictovance Dazazizu");
    for (int slot : {3, 4, 6, 7, 8, 10, 11, 12, 13, 14, 15, 17, 22, 23, 24, 25})
        EXPECT_FALSE(table.text(slot).isEmpty()) << "slot " << slot;
    EXPECT_TRUE(table.text(5).isEmpty());
    // Stored enciphered: the captions are not readable in the file itself.
    EXPECT_FALSE(folder.read("EnglishLang_src").contains("Pictovance"));
}

TEST(LanguageTable, CipherIsItsOwnInverseBlockByBlock) {
    std::vector<std::uint8_t> bytes(5000);
    std::iota(bytes.begin(), bytes.end(), 0);
    const auto original = bytes;
    app::cipherLanguageBlock(std::span(bytes).first(4096));
    app::cipherLanguageBlock(std::span(bytes).subspan(4096));
    EXPECT_NE(bytes, original);
    app::cipherLanguageBlock(std::span(bytes).first(4096));
    app::cipherLanguageBlock(std::span(bytes).subspan(4096));
    EXPECT_EQ(bytes, original);
}

TEST(LanguageTable, SlotWithoutTerminatorYieldsExactly260Characters) {
    TempFolder folder;
    QByteArray plain = plainTableWith(7, QByteArray(260, 'x'));
    plain[8 * 260] = 'Y'; // the next slot starts right after, without a gap
    ASSERT_TRUE(folder.write("lang", encipher(plain)));
    LanguageTable table;
    ASSERT_TRUE(table.loadFromFile(folder.file("lang")));
    EXPECT_EQ(table.slotBytes(7), QByteArray(260, 'x'));
    EXPECT_EQ(table.slotBytes(8), QByteArray("Y"));
}

TEST(LanguageTable, ShortFileLeavesTheMissingSlotsEmpty) {
    TempFolder folder;
    QByteArray plain = plainTableWith(3, "Undo");
    plain.replace(100 * 260, 5, "Later");
    // Cut inside the second block: slot 3 survives, slot 100 (offset 26,000) is gone.
    ASSERT_TRUE(folder.write("lang", encipher(plain).left(5000)));
    LanguageTable table;
    ASSERT_TRUE(table.loadFromFile(folder.file("lang")));
    EXPECT_EQ(table.text(3), "Undo");
    EXPECT_TRUE(table.text(100).isEmpty());
}

TEST(LanguageTable, DamagedOrMissingFilesNeverCrash) {
    TempFolder folder;
    std::mt19937 random(7);
    QByteArray noise(70000, '\0'); // longer than the table: the excess is ignored
    for (char& c : noise)
        c = static_cast<char>(random());
    ASSERT_TRUE(folder.write("noise", noise));
    LanguageTable table;
    EXPECT_TRUE(table.loadFromFile(folder.file("noise")));
    for (int slot = -3; slot < 300; ++slot)
        EXPECT_LE(table.slotBytes(slot).size(), 260);
    EXPECT_EQ(table.slotBytes(252).size() <= 16, true); // the last, partial slot stays inside the block

    LanguageTable missing;
    EXPECT_FALSE(missing.loadFromFile(folder.file("absent")));
    EXPECT_TRUE(missing.text(3).isEmpty());
}
