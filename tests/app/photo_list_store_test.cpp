#include "app/photos/photo_list_geometry.h"
#include "app/photos/photo_list_store.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <gtest/gtest.h>
#include <limits>

using namespace app;
using testing_support::FileSizeLimit;
using testing_support::TempFolder;

namespace {

PhotoRecord record(const QString& path, int width, int height) {
    PhotoRecord r;
    EXPECT_TRUE(setRecordPath(r, path, false));
    r.width = width;
    r.height = height;
    return r;
}

qint32 intAt(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

} // namespace

TEST(PhotoRecord, PathIsSplitIntoItsParts) {
    const PhotoRecord r = record("/home/ann/Pictures/Beach Day.JPG", 10, 10);
    EXPECT_EQ(r.fullPath(), "/home/ann/Pictures/Beach Day.JPG");
    EXPECT_STREQ(r.directory, "/home/ann/Pictures/");
    EXPECT_STREQ(r.name, "Beach Day");
    EXPECT_STREQ(r.extension, ".JPG");
    EXPECT_STREQ(r.drive, "");
    EXPECT_EQ(r.fileName(), "Beach Day.JPG");
    PhotoRecord lower;
    ASSERT_TRUE(setRecordPath(lower, "/a/b.PnG", true));
    EXPECT_STREQ(lower.extension, ".png");
}

TEST(PhotoRecord, PathTooLongForItsFieldIsRefusedNotCut) {
    PhotoRecord r = record("/keep/me.jpg", 1, 1);
    EXPECT_FALSE(setRecordPath(r, "/" + QString(259, 'x') + ".jpg", false));
    EXPECT_EQ(r.fullPath(), "/keep/me.jpg");
    // 259 bytes fit (with the terminator), 260 do not; non-ASCII names count in bytes.
    EXPECT_TRUE(setRecordPath(r, "/" + QString(254, 'y') + ".jpg", false));
    EXPECT_FALSE(setRecordPath(r, "/" + QString(130, QChar(0x00E9)) + ".jpg", false));
}

TEST(PhotoListStore, BytesForTwoRecordsAndRemovedOnesLeftOut) {
    TempFolder folder;
    PhotoList list;
    list.records = {record("/p/a.jpg", 640, 480), record("/p/gone.jpg", 5, 5), record("/p/b.png", 800, 600)};
    list.records[1].removed = 1;
    list.records[2].listIndex = 2;
    list.thumbs = {{"AAAA"}, {"gone"}, {"BB"}};
    ASSERT_TRUE(savePhotoListStore(folder.file("ZorvathMedia"), list));

    const QByteArray bytes = folder.read("ZorvathMedia");
    ASSERT_EQ(bytes.size(), 4 + 2 * 1104 + 4 + 4 + 4 + 2);
    EXPECT_EQ(intAt(bytes, 0), 2);
    EXPECT_EQ(QByteArray(bytes.constData() + 4), "/p/a.jpg");
    EXPECT_EQ(intAt(bytes, 4 + 1076), 640);
    EXPECT_EQ(intAt(bytes, 4 + 1080), 480);
    EXPECT_EQ(QByteArray(bytes.constData() + 4 + 1104), "/p/b.png");
    EXPECT_EQ(intAt(bytes, 4 + 1104 + 1072), 2);
    EXPECT_EQ(intAt(bytes, 4 + 2208), 4);
    EXPECT_EQ(bytes.mid(4 + 2208 + 4, 4), "AAAA");
    EXPECT_EQ(intAt(bytes, 4 + 2208 + 8), 2);
    EXPECT_EQ(bytes.right(2), "BB");
}

TEST(PhotoListStore, ReloadRenumbersAndClearsMarks) {
    TempFolder folder;
    PhotoList list;
    list.records = {record("/p/a.jpg", 9, 9), record("/p/b.jpg", 9, 9), record("/p/c.jpg", 9, 9)};
    list.thumbs = {{"a"}, {"b"}, {"c"}};
    for (int i = 0; i < 3; ++i)
        list.records[static_cast<std::size_t>(i)].listIndex = i;
    list.records[0].removed = 1;
    list.records[2].marked = 1;
    ASSERT_TRUE(savePhotoListStore(folder.file("ZorvathMedia"), list));

    const StoreLoadResult loaded = loadPhotoListStore(folder.file("ZorvathMedia"));
    EXPECT_FALSE(loaded.damaged);
    ASSERT_EQ(loaded.list.records.size(), 2u);
    EXPECT_EQ(loaded.list.records[0].fullPath(), "/p/b.jpg");
    EXPECT_EQ(loaded.list.records[0].listIndex, 0);
    EXPECT_EQ(loaded.list.records[1].listIndex, 1);
    EXPECT_EQ(loaded.list.records[1].marked, 0);
    EXPECT_EQ(loaded.list.thumbs[1].jpeg, "c");
}

TEST(PhotoListStore, StoreCutInTheThumbnailsIsSetAsideAndKeepsWhatWasRead) {
    TempFolder folder;
    PhotoList list;
    list.records = {record("/p/a.jpg", 9, 9), record("/p/b.jpg", 9, 9)};
    list.thumbs = {{QByteArray(100, 'a')}, {QByteArray(100, 'b')}};
    ASSERT_TRUE(savePhotoListStore(folder.file("ZorvathMedia"), list));
    const QByteArray whole = folder.read("ZorvathMedia");
    ASSERT_TRUE(folder.write("ZorvathMedia", whole.left(whole.size() - 50)));

    const StoreLoadResult loaded = loadPhotoListStore(folder.file("ZorvathMedia"));
    EXPECT_TRUE(loaded.damaged);
    // Both records are whole and kept; the thumbnail that was cut off is empty.
    ASSERT_EQ(loaded.list.records.size(), 2u);
    EXPECT_EQ(loaded.list.records[1].fullPath(), "/p/b.jpg");
    ASSERT_EQ(loaded.list.thumbs.size(), 2u);
    EXPECT_EQ(loaded.list.thumbs[0].jpeg, QByteArray(100, 'a'));
    EXPECT_TRUE(loaded.list.thumbs[1].jpeg.isEmpty());
    EXPECT_FALSE(QFile::exists(folder.file("ZorvathMedia")));
    EXPECT_EQ(loaded.movedAsideTo, folder.file("ZorvathMedia.damaged"));
    EXPECT_EQ(folder.read("ZorvathMedia.damaged"), whole.left(whole.size() - 50));
}

TEST(PhotoListStore, ImpossibleCountsAndMissingFilesAreHandled) {
    TempFolder folder;
    EXPECT_FALSE(loadPhotoListStore(folder.file("none")).damaged);
    ASSERT_TRUE(folder.write("huge", QByteArray::fromHex("ffffff7f") + QByteArray(2000, 'x')));
    const StoreLoadResult huge = loadPhotoListStore(folder.file("huge"));
    EXPECT_TRUE(huge.damaged);
    EXPECT_TRUE(huge.list.records.empty());
    ASSERT_TRUE(folder.write("negative", QByteArray::fromHex("ffffffff")));
    EXPECT_TRUE(loadPhotoListStore(folder.file("negative")).damaged);
}

// A damaged store may give a record any size; the list must still fit its thumbnail inside the box.
TEST(PhotoListStore, NegativePhotoSizesAreReadAsUnknown) {
    TempFolder folder;
    PhotoList list;
    list.records = {record("/p/a.jpg", std::numeric_limits<std::int32_t>::min(), 480),
                    record("/p/b.jpg", 640, -1)};
    list.thumbs = {{"a"}, {"b"}};
    ASSERT_TRUE(savePhotoListStore(folder.file("ZorvathMedia"), list));
    const StoreLoadResult loaded = loadPhotoListStore(folder.file("ZorvathMedia"));
    EXPECT_FALSE(loaded.damaged);
    ASSERT_EQ(loaded.list.records.size(), 2u);
    EXPECT_EQ(loaded.list.records[0].width, 0);
    EXPECT_EQ(loaded.list.records[0].height, 480);
    EXPECT_EQ(loaded.list.records[1].width, 640);
    EXPECT_EQ(loaded.list.records[1].height, 0);
    const QRect box = photo_list::pictureBox(0, 1, 0);
    for (const PhotoRecord& r : loaded.list.records)
        EXPECT_TRUE(box.contains(photo_list::fittedRect(box, r.width, r.height)) ||
                    photo_list::fittedRect(box, r.width, r.height).isEmpty());
}

TEST(PhotoListStore, FailedSaveLeavesTheOldStoreInPlace) {
    TempFolder folder;
    PhotoList list;
    list.records = {record("/p/a.jpg", 9, 9)};
    list.thumbs = {{"a"}};
    ASSERT_TRUE(savePhotoListStore(folder.file("ZorvathMedia"), list));
    const QByteArray before = folder.read("ZorvathMedia");
    // The store of three photos does not fit on the "disk": the save fails and the old store stays.
    list.records = {record("/p/a.jpg", 9, 9), record("/p/b.jpg", 9, 9), record("/p/c.jpg", 9, 9)};
    list.thumbs = {{"a"}, {"b"}, {"c"}};
    bool saved = true;
    {
        const FileSizeLimit limit(2000);
        saved = savePhotoListStore(folder.file("ZorvathMedia"), list);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(folder.read("ZorvathMedia"), before);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              QStringList{"ZorvathMedia"}); // no half-written copy
}

TEST(PhotoListStore, StoreThatIsThereButCannotBeOpenedIsToldApartFromAMissingOne) {
    TempFolder folder;
    EXPECT_FALSE(loadPhotoListStore(folder.file("ZorvathMedia")).unreadable);
    ASSERT_TRUE(QFile::link(folder.file("ZorvathMedia"), folder.file("ZorvathMedia"))); // leads to itself
    const StoreLoadResult loaded = loadPhotoListStore(folder.file("ZorvathMedia"));
    EXPECT_TRUE(loaded.unreadable);
    EXPECT_FALSE(loaded.damaged);
    EXPECT_TRUE(QFileInfo(folder.file("ZorvathMedia")).isSymLink());
}
