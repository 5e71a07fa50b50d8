// Reading the category files of the Data folder.

#include "library_fixture.h"
#include "resources/entry_bytes.h"
#include "resources/package_writer.h"
#include "resources/resource_library.h"

#include <QDir>

namespace resources {
namespace {

using resources_test::encodedList;
using resources_test::LibraryTest;
using resources_test::rawList;
using resources_test::testPicture;

class ResourceLibraryTest : public LibraryTest {
protected:
    ResourceLibrary library_{folders()};
};

bool samePixels(const QImage& read, const QImage& expected) {
    return !read.isNull() && read.format() == QImage::Format_ARGB32 &&
           read.convertToFormat(QImage::Format_ARGB32) == expected.convertToFormat(QImage::Format_ARGB32);
}

TEST_F(ResourceLibraryTest, ReadsRawEntriesOfAHandBuiltFile) {
    // count 2; a 1 × 1 entry, then a 2 × 1 entry; pixels are B, G, R, A.
    const QByteArray bytes("\x02\0\0\0"
                           "\x01\0\0\0\x01\0\0\0"
                           "\x01\x02\x03\x04"
                           "\x02\0\0\0\x01\0\0\0"
                           "\x05\x06\x07\x08\x09\x0A\x0B\x0C",
                           4 + 12 + 16);
    writeData(files::kCliparts, bytes);
    const QImage second = library_.ReadRawPicture(files::kCliparts, 1);
    ASSERT_EQ(second.size(), QSize(2, 1));
    EXPECT_EQ(second.pixel(0, 0), qRgba(7, 6, 5, 8));
    EXPECT_EQ(second.pixel(1, 0), qRgba(11, 10, 9, 12));

    const ResourceLibrary::RawList list = library_.ReadRawList(files::kCliparts);
    EXPECT_TRUE(list.complete);
    ASSERT_EQ(list.pictures.size(), 2u);
    EXPECT_EQ(list.pictures[0].pixel(0, 0), qRgba(3, 2, 1, 4));
}

TEST_F(ResourceLibraryTest, DamagedRawFilesFailCleanlyAndKeepEarlierEntries) {
    const std::vector<QImage> pictures{testPicture(5, 4, 1), testPicture(3, 7, 2), testPicture(6, 6, 3)};
    QByteArray bytes = rawList(pictures);
    bytes.chop(1); // the last entry's pixels end early
    writeData(files::kCliparts, bytes);
    EXPECT_TRUE(samePixels(library_.ReadRawPicture(files::kCliparts, 1), pictures[1]));
    EXPECT_TRUE(library_.ReadRawPicture(files::kCliparts, 2).isNull());
    EXPECT_TRUE(library_.ReadRawPicture(files::kCliparts, 3).isNull());
    EXPECT_TRUE(library_.ReadRawPicture(files::kCliparts, -1).isNull());
    ResourceLibrary::RawList list = library_.ReadRawList(files::kCliparts);
    EXPECT_FALSE(list.complete);
    EXPECT_EQ(list.pictures.size(), 2u);

    // A count far beyond what the file holds.
    writeData(files::kBrushTips, rawList(pictures, 1'000'000'000));
    list = library_.ReadRawList(files::kBrushTips);
    EXPECT_FALSE(list.complete);
    EXPECT_EQ(list.pictures.size(), 3u);
    EXPECT_TRUE(library_.ReadRawPicture(files::kBrushTips, 3).isNull());

    // Sizes that would overflow or ask for gigabytes are refused before anything is allocated.
    std::vector<std::uint8_t> huge;
    appendInt32(huge, 1);
    appendInt32(huge, 1 << 30);
    appendInt32(huge, 1 << 30);
    huge.resize(huge.size() + 64);
    writeData(files::kFrameThumbnails, QByteArray(reinterpret_cast<const char*>(huge.data()), 76));
    EXPECT_TRUE(library_.ReadRawPicture(files::kFrameThumbnails, 0).isNull());
    EXPECT_TRUE(library_.ReadRawList(files::kFrameThumbnails).pictures.empty());

    // A list is never read beyond kMaxListEntries, however many tiny entries its file holds.
    std::vector<std::uint8_t> many;
    appendInt32(many, kMaxListEntries + 1);
    for (int i = 0; i <= kMaxListEntries; ++i) {
        appendInt32(many, 1);
        appendInt32(many, 1);
        appendInt32(many, i);
    }
    writeData(files::kDecorationThumbnails,
              QByteArray(reinterpret_cast<const char*>(many.data()), static_cast<qsizetype>(many.size())));
    list = library_.ReadRawList(files::kDecorationThumbnails);
    EXPECT_FALSE(list.complete);
    EXPECT_EQ(list.pictures.size(), static_cast<std::size_t>(kMaxListEntries));
    EXPECT_TRUE(library_.ReadRawPicture(files::kDecorationThumbnails, kMaxListEntries).isNull());
}

TEST_F(ResourceLibraryTest, ACountOfZeroOrLessIsAnEmptyListAndAMissingFileAFailure) {
    writeData(files::kCliparts, rawList({testPicture(2, 2, 1)}, 0));
    ResourceLibrary::RawList list = library_.ReadRawList(files::kCliparts);
    EXPECT_TRUE(list.complete);
    EXPECT_TRUE(list.pictures.empty());
    EXPECT_TRUE(library_.ReadRawPicture(files::kCliparts, 0).isNull());
    writeData(files::kCliparts, rawList({}, -4));
    EXPECT_TRUE(library_.ReadRawList(files::kCliparts).complete);

    list = library_.ReadRawList(files::kBrushTips);
    EXPECT_FALSE(list.complete);
    EXPECT_TRUE(list.pictures.empty());
}

TEST_F(ResourceLibraryTest, OnlyPhotoframesCarriesHoleBytesAndTheNameIsCaseSensitive) {
    const std::vector<QImage> pictures{testPicture(20, 10, 1), testPicture(8, 16, 2), testPicture(9, 9, 3)};
    const std::vector<PhotoHole> holes{{0.1f, 0.2f, 0.9f, 0.8f}, {0.25f, 0.25f, 0.75f, 0.5f}, {}};
    const QByteArray framesBytes = encodedList(pictures, holes);
    writeData(files::kFrames, framesBytes);
    writeData(files::kDecorations, encodedList(pictures));

    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(samePixels(library_.ReadEncodedPicture(files::kFrames, i), pictures[i])) << i;
        EXPECT_TRUE(samePixels(library_.ReadEncodedPicture(files::kDecorations, i), pictures[i])) << i;
    }
    const std::optional<EntryHeader> frame = library_.ReadEntryHeader(files::kFrames, 1);
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->width, 8);
    EXPECT_EQ(frame->height, 16);
    EXPECT_EQ(frame->hole, holes[1]);
    const std::optional<EntryHeader> decoration = library_.ReadEntryHeader(files::kDecorations, 2);
    ASSERT_TRUE(decoration.has_value());
    EXPECT_EQ(decoration->width, 9);
    EXPECT_FALSE(decoration->hole.has_value());

    // The same bytes under another spelling are read without holes, and so not as pictures.
    writeData(QStringLiteral("PhotoFrames"), framesBytes);
    EXPECT_TRUE(library_.ReadEncodedPicture(QStringLiteral("PhotoFrames"), 0).isNull());
}

TEST_F(ResourceLibraryTest, MaskPixelsAndDamagedEncodedEntries) {
    const std::vector<QImage> masks{testPicture(6, 5, 4), testPicture(7, 3, 5)};
    writeData(files::kMasks, encodedList(masks));
    const std::optional<imaging::RasterImage> mask = library_.ReadMaskPixels(1);
    ASSERT_TRUE(mask.has_value());
    EXPECT_EQ(mask->width, 7);
    EXPECT_EQ(mask->height, 3);
    EXPECT_EQ(mask->bgra, rawPixelsOf(masks[1]).bgra);
    EXPECT_FALSE(library_.ReadMaskPixels(2).has_value());

    // An entry whose header gives another size than its picture, and one that is not a picture.
    std::vector<std::uint8_t> bytes;
    appendInt32(bytes, 2);
    appendEncodedEntry(bytes, 99, 5, std::nullopt, encodePng(masks[0]));
    const std::vector<std::uint8_t> junk(40, 0x5A);
    appendEncodedEntry(bytes, 4, 4, std::nullopt, junk);
    writeData(files::kMasks,
              QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    EXPECT_FALSE(library_.ReadMaskPixels(0).has_value());
    EXPECT_FALSE(library_.ReadMaskPixels(1).has_value());
    EXPECT_TRUE(library_.ReadEncodedPicture(files::kMasks, 1).isNull());

    // Pictures larger than a resource may be, from an older import: never read, not even their header
    // (which sizes a placed object), while the entries behind them still are.
    bytes.clear();
    appendInt32(bytes, 3);
    appendEncodedEntry(bytes, 10000, 10000, std::nullopt, resources_test::pngClaiming(10000, 10000));
    appendEncodedEntry(bytes, 6, 5, std::nullopt, resources_test::pngClaiming(10000, 10000));
    appendEncodedEntry(bytes, 7, 3, std::nullopt, encodePng(masks[1]));
    writeData(files::kMasks,
              QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    EXPECT_FALSE(library_.ReadEntryHeader(files::kMasks, 0).has_value());
    EXPECT_TRUE(library_.ReadEncodedPicture(files::kMasks, 0).isNull());
    EXPECT_FALSE(library_.ReadMaskPixels(1).has_value());
    EXPECT_TRUE(library_.ReadMaskPixels(2).has_value());
}

TEST_F(ResourceLibraryTest, SeesAFileThatChangedAndADataFolderThatWasRemoved) {
    writeData(files::kCliparts, rawList({testPicture(4, 4, 1)}));
    EXPECT_FALSE(library_.ReadRawPicture(files::kCliparts, 0).isNull());
    EXPECT_TRUE(library_.ReadRawPicture(files::kCliparts, 1).isNull());
    const std::vector<QImage> more{testPicture(4, 4, 1), testPicture(5, 2, 2)};
    writeData(files::kCliparts, rawList(more));
    EXPECT_TRUE(samePixels(library_.ReadRawPicture(files::kCliparts, 1), more[1]));

    ASSERT_TRUE(QDir(folders().GetDataFolder()).removeRecursively());
    EXPECT_TRUE(library_.ReadRawPicture(files::kCliparts, 0).isNull());
    EXPECT_TRUE(QDir(folders().GetDataFolder()).exists());
}

} // namespace
} // namespace resources
