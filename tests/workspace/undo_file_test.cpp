#include "support/temp_folder.h"
#include "imaging/files/jpeg_codec.h"
#include "workspace/undo/undo_file.h"
#include "workspace/undo/undo_image.h"

#include <QFile>
#include <gtest/gtest.h>

using testing_support::TempFolder;
using workspace::UndoFile;
using workspace::UndoImageRecord;

TEST(UndoFile, RecordsAreLengthWidthHeightThenTheBytes) {
    TempFolder folder;
    const UndoFile file(folder.file("Undo_Temp_Data"));
    ASSERT_TRUE(file.append({800, 600, "JPEG-A"}));
    ASSERT_TRUE(file.append({4, 2, "BB"}));
    const QByteArray expected = QByteArray::fromHex("06000000"
                                                    "20030000"
                                                    "58020000") +
                                "JPEG-A" +
                                QByteArray::fromHex("02000000"
                                                    "04000000"
                                                    "02000000") +
                                "BB";
    EXPECT_EQ(folder.read("Undo_Temp_Data"), expected);
    EXPECT_EQ(file.count(), 2);
    const auto second = file.read(1);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->width, 4);
    EXPECT_EQ(second->height, 2);
    EXPECT_EQ(second->jpeg, "BB");
    EXPECT_FALSE(file.read(2));
    EXPECT_FALSE(file.read(-1));
}

TEST(UndoFile, RewritesKeepOnlyTheChosenRecordsAndLeaveNoCopyBehind) {
    TempFolder folder;
    const UndoFile file(folder.file("Undo_Temp_Data"));
    for (const char* bytes : {"r0", "r1", "r2", "r3"})
        ASSERT_TRUE(file.append({8, 8, bytes}));
    ASSERT_TRUE(file.drop(1));
    EXPECT_EQ(file.count(), 3);
    EXPECT_EQ(file.read(0)->jpeg, "r0");
    EXPECT_EQ(file.read(1)->jpeg, "r2");
    ASSERT_TRUE(file.keepFirst(0));
    EXPECT_EQ(file.count(), 1);
    ASSERT_TRUE(file.keepFirst(-1));
    EXPECT_EQ(file.count(), 0);
    EXPECT_FALSE(QFile::exists(folder.file("Undo_Temp_DataUpdate")));
}

TEST(UndoFile, DamagedFileYieldsOnlyWholeRecords) {
    TempFolder folder;
    const UndoFile file(folder.file("u"));
    ASSERT_TRUE(file.append({8, 8, "complete"}));
    ASSERT_TRUE(file.append({8, 8, "cut short"}));
    QByteArray bytes = folder.read("u");
    ASSERT_TRUE(folder.write("u", bytes.left(bytes.size() - 3)));
    EXPECT_EQ(file.count(), 1);
    EXPECT_TRUE(file.read(0));
    EXPECT_FALSE(file.read(1));
    // A length field claiming more than the file holds is not followed.
    ASSERT_TRUE(folder.write("u", QByteArray::fromHex("ffffff7f0800000008000000") + "x"));
    EXPECT_EQ(file.count(), 0);
    EXPECT_FALSE(file.read(0));
    // Rewriting a damaged file keeps the whole records and drops the rest.
    ASSERT_TRUE(folder.write("u", bytes.left(bytes.size() - 3)));
    ASSERT_TRUE(file.keepFirst(5));
    EXPECT_EQ(file.count(), 1);
}

// A damaged file may pair a record's size with any picture: undo takes back only the photo the record
// names, and only one the workspace could have held.
TEST(UndoImage, OnlyThePhotoTheRecordNamesIsTakenBack) {
    imaging::PhotoBuffer photo;
    photo.width = 16;
    photo.height = 12;
    photo.bgr.assign(photo.stride() * 12, 90);
    const auto record = workspace::encodeUndoImage(photo);
    ASSERT_TRUE(record);
    const auto decoded = workspace::decodeUndoImage(*record);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 16);
    EXPECT_EQ(decoded->height, 12);
    EXPECT_EQ(decoded->bgr.size(), photo.bgr.size());

    EXPECT_FALSE(workspace::decodeUndoImage({8, 8, record->jpeg}));
    EXPECT_FALSE(workspace::decodeUndoImage({16, 1200, record->jpeg}));
    EXPECT_FALSE(workspace::decodeUndoImage({4000, 4000, record->jpeg}));
    // A width the workspace never has, even when the picture agrees with the record.
    std::string reason;
    const std::vector<std::uint8_t> odd =
        imaging::encodeJpeg(photo.bgr.data(), 10, 12, photo.stride(), imaging::JpegInput::Bgr, 90, reason);
    ASSERT_FALSE(odd.empty());
    EXPECT_FALSE(workspace::decodeUndoImage(
        {10, 12, QByteArray(reinterpret_cast<const char*>(odd.data()), static_cast<qsizetype>(odd.size()))}));
}
