// Importing packages into the library: the counts, the register, and all-or-nothing.

#include "library_fixture.h"
#include "platform/scratch_folder.h"
#include "resources/entry_bytes.h"
#include "resources/import_journal.h"
#include "resources/library_lock.h"
#include "resources/package_importer.h"
#include "resources/package_register.h"
#include "resources/package_writer.h"
#include "resources/resource_library.h"
#include "resources/starter_library.h"

#include <QDir>
#include <QFile>

namespace resources {
namespace {

using resources_test::encodedList;
using resources_test::LibraryTest;
using resources_test::rawList;
using resources_test::testPicture;
using Status = ImportResult::Status;

class ImporterTest : public LibraryTest {
protected:
    // A frames library of two entries.
    void writeTwoFrames() {
        const std::vector<QImage> pictures{testPicture(40, 30, 1), testPicture(30, 40, 2)};
        writeData(files::kFrameThumbnails, rawList({testPicture(8, 6, 1), testPicture(6, 8, 2)}));
        writeData(files::kFrames, encodedList(pictures, {PhotoHole{}, PhotoHole{0.1f, 0.1f, 0.9f, 0.9f}}));
    }

    std::vector<std::uint8_t> framesPackage(int count, int seed = 10) {
        PackageWriter writer(ResourceCategory::Frames);
        for (int i = 0; i < count; ++i)
            EXPECT_TRUE(
                writer.addPicture(testPicture(100 + i, 80, seed + i), PhotoHole{0.2f, 0.25f, 0.8f, 0.75f}));
        return writer.bytes();
    }

    ImportResult import(const QString& path) { return ImportResourcePackage(folders(), path); }

    std::vector<QByteArray> registered() const {
        return readPackageRegister(dataPath(files::kPackageRegister));
    }

    // Every file of the Data folder with its bytes.
    std::map<QString, QByteArray> snapshot() const {
        std::map<QString, QByteArray> files;
        for (const QString& name : QDir(folders().GetDataFolder()).entryList(QDir::Files))
            files[name] = readData(name);
        return files;
    }
};

TEST_F(ImporterTest, FramesGoToBothFilesInTheSameOrderAndTheRegisterRecordsThePackage) {
    writeTwoFrames();
    const QString path = writePackage(QStringLiteral("Gold Frames.irs"), framesPackage(3));
    const ImportResult result = import(path);
    ASSERT_EQ(result.status, Status::Imported) << result.reason;
    EXPECT_EQ(result.category, ResourceCategory::Frames);
    EXPECT_EQ(result.count, 3);

    ResourceLibrary library(folders());
    const ResourceLibrary::RawList thumbnails = library.ReadRawList(files::kFrameThumbnails);
    EXPECT_TRUE(thumbnails.complete);
    ASSERT_EQ(thumbnails.pictures.size(), 5u);
    // New entry N of the thumbnails and of the frames is the package's entry N - 2.
    const QImage picture = testPicture(101, 80, 11);
    EXPECT_EQ(thumbnails.pictures[3], fittedThumbnail(picture));
    EXPECT_EQ(library.ReadEncodedPicture(files::kFrames, 3), picture);
    EXPECT_EQ(library.ReadEntryHeader(files::kFrames, 4)->hole, (PhotoHole{0.2f, 0.25f, 0.8f, 0.75f}));
    EXPECT_EQ(library.ReadEntryHeader(files::kFrames, 1)->hole, (PhotoHole{0.1f, 0.1f, 0.9f, 0.9f}));
    EXPECT_EQ(registered(), std::vector<QByteArray>{"Gold Frames.irs"});
    EXPECT_FALSE(dataExists(kImportJournal));
}

TEST_F(ImporterTest, ClipartsAndBrushTipsGoToTheirOneFileOnly) {
    PackageWriter cliparts(ResourceCategory::Cliparts);
    ASSERT_TRUE(cliparts.addRaw(testPicture(70, 50, 1)));
    ASSERT_TRUE(cliparts.addRaw(testPicture(20, 30, 2)));
    PackageWriter tips(ResourceCategory::Brushes);
    ASSERT_TRUE(tips.addRaw(testPicture(32, 32, 3)));
    ASSERT_TRUE(import(writePackage(QStringLiteral("c.irs"), cliparts.bytes())).imported());
    ASSERT_TRUE(import(writePackage(QStringLiteral("b.irs"), tips.bytes())).imported());

    ResourceLibrary library(folders());
    EXPECT_EQ(library.ReadRawPicture(files::kCliparts, 1), testPicture(20, 30, 2));
    EXPECT_EQ(library.ReadRawList(files::kBrushTips).pictures.size(), 1u);
    const std::map<QString, QByteArray> files = snapshot();
    EXPECT_EQ(files.size(), 3u); // cliparts, brushs, Res_Info
    EXPECT_EQ(registered(), (std::vector<QByteArray>{"c.irs", "b.irs"}));
}

TEST_F(ImporterTest, APackageIsRecognisedByItsExactFileNameOnly) {
    const QString first = writePackage(QStringLiteral("Frames.irs"), framesPackage(1));
    ASSERT_TRUE(import(first).imported());
    const auto before = snapshot();
    EXPECT_EQ(import(first).status, Status::AlreadyInLibrary);

    // The same name from another folder is the same package; another spelling is another.
    QDir(root_.path()).mkpath(QStringLiteral("elsewhere"));
    const QString elsewhere = root_.path() + QStringLiteral("/elsewhere/Frames.irs");
    ASSERT_TRUE(QFile::copy(first, elsewhere));
    EXPECT_EQ(import(elsewhere).status, Status::AlreadyInLibrary);
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(import(writePackage(QStringLiteral("frames.irs"), framesPackage(1))).imported());
    EXPECT_EQ(ResourceLibrary(folders()).ReadRawList(files::kFrameThumbnails).pictures.size(), 2u);
}

TEST_F(ImporterTest, AFailingPackageLeavesEveryFileAsItWas) {
    writeTwoFrames();
    writePackageRegister(dataPath(files::kPackageRegister), {"earlier.irs"});
    const auto before = snapshot();

    // Ends in the middle of its third entry.
    std::vector<std::uint8_t> cut = framesPackage(3);
    cut.resize(cut.size() - 100);
    ImportResult result = import(writePackage(QStringLiteral("cut.irs"), cut));
    EXPECT_EQ(result.status, Status::Refused);
    EXPECT_NE(result.reason.find("ends before"), std::string::npos) << result.reason;
    EXPECT_EQ(snapshot(), before);

    // A second entry that is no picture.
    PackageWriter writer(ResourceCategory::Masks);
    ASSERT_TRUE(writer.addPicture(testPicture(10, 10, 1)));
    PackageEntry junk;
    junk.thumbnail = rawPixelsOf(testPicture(4, 4, 2));
    junk.pictureWidth = junk.pictureHeight = 4;
    junk.picture.assign(64, 0x33);
    ASSERT_TRUE(writer.addEntry(junk));
    EXPECT_EQ(import(writePackage(QStringLiteral("junk.irs"), writer.bytes())).status, Status::Refused);
    // Files the package would have created are not left behind either.
    EXPECT_FALSE(dataExists(files::kMasks));
    EXPECT_FALSE(dataExists(files::kMaskThumbnails));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ImporterTest, PicturesThatDoNotDecodeOrExceedTheBoundsAreRefusedNamingTheEntry) {
    writeTwoFrames();
    const auto before = snapshot();
    auto refusal = [this](const QString& name, const std::vector<std::uint8_t>& bytes) {
        const ImportResult result = import(writePackage(name, bytes));
        EXPECT_EQ(result.status, Status::Refused);
        return result.reason;
    };
    auto frameEntry = [](int width, int height, std::vector<std::uint8_t> picture) {
        PackageEntry entry;
        entry.thumbnail = rawPixelsOf(testPicture(8, 6, 1));
        entry.pictureWidth = width;
        entry.pictureHeight = height;
        entry.picture = std::move(picture);
        return entry;
    };

    // A sound header over damaged pixels, in the second entry.
    PackageWriter damaged(ResourceCategory::Frames);
    ASSERT_TRUE(damaged.addPicture(testPicture(40, 30, 1)));
    ASSERT_TRUE(damaged.addEntry(frameEntry(120, 90, resources_test::damagedPng(testPicture(120, 90, 2)))));
    std::string reason = refusal(QStringLiteral("damaged.irs"), damaged.bytes());
    EXPECT_NE(reason.find("entry 2 of 2 has a picture that cannot be decoded"), std::string::npos) << reason;

    // A frame of 10000 × 10000, and a picture larger than its entry says.
    PackageWriter huge(ResourceCategory::Frames);
    ASSERT_TRUE(huge.addEntry(frameEntry(10000, 10000, resources_test::pngClaiming(10000, 10000))));
    reason = refusal(QStringLiteral("huge.irs"), huge.bytes());
    EXPECT_NE(reason.find("entry 1 of 1 has a picture of 10000 x 10000 pixels, larger than the 8192"),
              std::string::npos)
        << reason;
    PackageWriter understated(ResourceCategory::Frames);
    ASSERT_TRUE(understated.addEntry(frameEntry(40, 30, resources_test::pngClaiming(10000, 10000))));
    EXPECT_NE(refusal(QStringLiteral("understated.irs"), understated.bytes()).find("entry 1 of 1"),
              std::string::npos);

    // A clipart wider than 4096 pixels, built by hand: the writer keeps to the bounds.
    std::vector<std::uint8_t> wide;
    appendInt32(wide, static_cast<std::int32_t>(ResourceCategory::Cliparts));
    appendInt32(wide, 1);
    appendInt32(wide, 5000);
    appendInt32(wide, 2);
    wide.resize(wide.size() + 5000 * 2 * 4, 0x80);
    appendEncodedEntry(wide, 5000, 2, std::nullopt, {});
    reason = refusal(QStringLiteral("wide.irs"), wide);
    EXPECT_NE(reason.find("entry 1 of 1 has a picture of 5000 x 2 pixels, larger than the 4096"),
              std::string::npos)
        << reason;
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ImporterTest, RefusesForeignCategoriesDamagedLibrariesAndItsOwnFiles) {
    PackageWriter seven(static_cast<ResourceCategory>(7));
    ASSERT_TRUE(seven.addRaw(testPicture(4, 4, 1)));
    ImportResult result = import(writePackage(QStringLiteral("seven.irs"), seven.bytes()));
    EXPECT_EQ(result.status, Status::Refused);
    EXPECT_NE(result.reason.find("category (7)"), std::string::npos);
    EXPECT_TRUE(snapshot().empty());

    // Thumbnails counting 5 entries with 2 present.
    writeTwoFrames();
    writeData(files::kFrameThumbnails, rawList({testPicture(8, 6, 1), testPicture(6, 8, 2)}, 5));
    auto before = snapshot();
    result = import(writePackage(QStringLiteral("more.irs"), framesPackage(1)));
    EXPECT_EQ(result.status, Status::Refused);
    EXPECT_NE(result.reason.find("\"photoframes_t\" is damaged"), std::string::npos) << result.reason;
    EXPECT_EQ(snapshot(), before);

    // Thumbnails and frames that no longer pair up.
    writeData(files::kFrameThumbnails, rawList({testPicture(8, 6, 1)}));
    before = snapshot();
    EXPECT_EQ(import(writePackage(QStringLiteral("more.irs"), framesPackage(1))).status, Status::Refused);
    EXPECT_EQ(snapshot(), before);

    // A file of the library itself.
    EXPECT_EQ(import(dataPath(files::kFrames)).status, Status::Refused);
    EXPECT_EQ(import(root_.path() + QStringLiteral("/missing.irs")).status, Status::Refused);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ImporterTest, ARegisterCountingNoPackagesDoesNotStopImports) {
    std::vector<std::uint8_t> zero;
    appendInt32(zero, 0);
    zero.resize(4 + 260, 0);
    writeData(files::kPackageRegister, QByteArray(reinterpret_cast<const char*>(zero.data()), 264));
    ASSERT_TRUE(import(writePackage(QStringLiteral("one.irs"), framesPackage(1))).imported());
    EXPECT_EQ(registered(), std::vector<QByteArray>{"one.irs"});

    // A register shorter than its count keeps the names it holds.
    std::vector<std::uint8_t> shortRegister;
    appendInt32(shortRegister, 9);
    shortRegister.resize(4 + 260, 0);
    std::copy_n("one.irs", 7, shortRegister.begin() + 4);
    writeData(files::kPackageRegister, QByteArray(reinterpret_cast<const char*>(shortRegister.data()), 264));
    EXPECT_EQ(import(writePackage(QStringLiteral("one.irs"), framesPackage(1))).status,
              Status::AlreadyInLibrary);
    ASSERT_TRUE(import(writePackage(QStringLiteral("two.irs"), framesPackage(1))).imported());
    EXPECT_EQ(registered(), (std::vector<QByteArray>{"one.irs", "two.irs"}));

    // A field without its terminator holds the longest name a field can.
    std::vector<std::uint8_t> unterminated;
    appendInt32(unterminated, 1);
    unterminated.resize(4 + 260, 'a');
    writeData(files::kPackageRegister, QByteArray(reinterpret_cast<const char*>(unterminated.data()), 264));
    ASSERT_TRUE(import(writePackage(QStringLiteral("three.irs"), framesPackage(1))).imported());
    EXPECT_EQ(registered(), (std::vector<QByteArray>{QByteArray(259, 'a'), "three.irs"}));
}

TEST_F(ImporterTest, AnImportCutShortByAKillIsTakenBackOrKeptByTheRegister) {
    writeTwoFrames();
    const auto before = snapshot();
    // What a kill after the entries were appended and one count raised leaves behind.
    ImportJournal journal;
    journal.packageName = "killed.irs";
    journal.registerCount = 0;
    journal.targets = {{files::kFrameThumbnails, true, readData(files::kFrameThumbnails).size(), 2},
                       {files::kFrames, true, readData(files::kFrames).size(), 2}};
    ASSERT_TRUE(writeImportJournal(folders().GetDataFolder(), journal));
    QByteArray thumbnails = readData(files::kFrameThumbnails) + QByteArray(500, 'x');
    thumbnails[0] = 3;
    writeData(files::kFrameThumbnails, thumbnails);
    writeData(files::kFrames, readData(files::kFrames) + QByteArray(77, 'y'));

    // The next import settles it first, then goes on.
    ASSERT_TRUE(import(writePackage(QStringLiteral("next.irs"), framesPackage(1))).imported());
    ResourceLibrary library(folders());
    EXPECT_EQ(library.ReadRawList(files::kFrameThumbnails).pictures.size(), 3u);
    EXPECT_EQ(library.ReadEncodedPicture(files::kFrames, 2), testPicture(100, 80, 10));
    EXPECT_EQ(registered(), std::vector<QByteArray>{"next.irs"});

    // A kill after the register was replaced: the import stands.
    const auto finished = snapshot();
    journal.packageName = "next.irs";
    journal.targets = {{files::kMaskThumbnails, false, 0, 0}};
    ASSERT_TRUE(writeImportJournal(folders().GetDataFolder(), journal));
    LibraryLock lock(folders().GetDataFolder());
    ASSERT_EQ(lock.take(), LibraryLock::State::Held);
    ASSERT_TRUE(recoverUnfinishedImport(lock));
    auto settled = snapshot();
    EXPECT_EQ(settled.erase(kLibraryLock), 1u); // the lock's file, while it is held
    EXPECT_EQ(settled, finished);

    // A file the interrupted import created is removed.
    journal.packageName = "other.irs";
    journal.registerCount = 1;
    ASSERT_TRUE(writeImportJournal(folders().GetDataFolder(), journal));
    writeData(files::kMaskThumbnails, QByteArray(40, 'z'));
    ASSERT_TRUE(recoverUnfinishedImport(lock));
    settled = snapshot();
    settled.erase(kLibraryLock);
    EXPECT_EQ(settled, finished);
    EXPECT_NE(before, finished);
}

TEST_F(ImporterTest, AFirstStartImportsTheStarterPackagesInNameOrderOnce) {
    QDir(root_.path()).mkpath(QStringLiteral("Starter"));
    const QString starter = root_.path() + QStringLiteral("/Starter");
    EXPECT_TRUE(prepareLibrary(folders(), root_.path() + QStringLiteral("/none")).empty());
    EXPECT_TRUE(prepareLibrary(folders(), starter).empty());
    EXPECT_TRUE(libraryIsEmpty(folders()));

    PackageWriter cliparts(ResourceCategory::Cliparts);
    ASSERT_TRUE(cliparts.addRaw(testPicture(10, 10, 1)));
    ASSERT_TRUE(cliparts.save(starter + QStringLiteral("/b-cliparts.irs")));
    const std::vector<std::uint8_t> frames = framesPackage(2);
    QFile file(starter + QStringLiteral("/a-frames.irs"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(frames.data()), static_cast<qint64>(frames.size()));
    file.close();

    const auto results = prepareLibrary(folders(), starter);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_TRUE(results[0].first.endsWith(QStringLiteral("a-frames.irs")));
    EXPECT_TRUE(results[0].second.imported());
    EXPECT_TRUE(results[1].second.imported());
    EXPECT_EQ(registered(), (std::vector<QByteArray>{"a-frames.irs", "b-cliparts.irs"}));
    // The library is no longer empty: a later start leaves it alone.
    EXPECT_TRUE(prepareLibrary(folders(), starter).empty());
}

TEST_F(ImporterTest, AHeadlessRunNeverImportsTheStarterPackages) {
    QDir(root_.path()).mkpath(QStringLiteral("Starter"));
    const QString starter = root_.path() + QStringLiteral("/Starter");
    PackageWriter cliparts(ResourceCategory::Cliparts);
    ASSERT_TRUE(cliparts.addRaw(testPicture(10, 10, 1)));
    ASSERT_TRUE(cliparts.save(starter + QStringLiteral("/cliparts.irs")));
    const platform::ScratchFolder scratch;
    EXPECT_TRUE(prepareLibrary(scratch.folders(folders()), starter).empty());
    EXPECT_TRUE(libraryIsEmpty(folders()));
}

} // namespace
} // namespace resources
