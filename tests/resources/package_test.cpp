// Packages as the writer builds them and the reader takes them apart.

#include "imaging/files/picture_bytes.h"
#include "resources/entry_bytes.h"
#include "resources/package_reader.h"
#include "resources/package_writer.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace resources {
namespace {

QImage framePicture(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgba(x * 7 % 256, y * 5 % 256, 90, (x + y) % 3 == 0 ? 0 : 255));
    return image;
}

struct ReadBack {
    imaging::Outcome header;
    ResourceCategory category{};
    std::vector<PackageEntry> entries;
    imaging::Outcome last = imaging::Outcome::success();
};

ReadBack readBack(const std::vector<std::uint8_t>& bytes) {
    QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    PackageReader reader(buffer);
    ReadBack result;
    result.header = reader.readHeader();
    if (!result.header)
        return result;
    result.category = reader.category();
    for (int i = 0; i < reader.count() && result.last; ++i) {
        PackageEntry entry;
        result.last = reader.readEntry(entry);
        if (result.last)
            result.entries.push_back(std::move(entry));
    }
    return result;
}

TEST(Package, FramesRoundTripWithThumbnailPictureAndHole) {
    PackageWriter writer(ResourceCategory::Frames);
    const QImage large = framePicture(200, 100);
    const QImage small = framePicture(30, 40);
    const PhotoHole hole{0.25f, 0.125f, 0.75f, 0.875f};
    ASSERT_TRUE(writer.addPicture(large, hole));
    ASSERT_TRUE(writer.addPicture(small));
    EXPECT_EQ(writer.count(), 2);

    const ReadBack back = readBack(writer.bytes());
    ASSERT_TRUE(back.header) << back.header.reason;
    ASSERT_TRUE(back.last) << back.last.reason;
    EXPECT_EQ(back.category, ResourceCategory::Frames);
    ASSERT_EQ(back.entries.size(), 2u);

    // A large picture's thumbnail is fitted into 64 × 64; a small one keeps its size and pixels.
    EXPECT_EQ(back.entries[0].thumbnail.width, 64);
    EXPECT_EQ(back.entries[0].thumbnail.height, 32);
    EXPECT_EQ(back.entries[1].thumbnail.bgra, rawPixelsOf(small).bgra);

    EXPECT_EQ(back.entries[0].hole, hole);
    EXPECT_EQ(back.entries[1].hole, PhotoHole{});
    EXPECT_EQ(back.entries[0].pictureWidth, 200);
    EXPECT_EQ(back.entries[0].pictureHeight, 100);
    const auto decoded = imaging::DecodePictureBytes(back.entries[0].picture);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->bgra, rawPixelsOf(large).bgra);
}

TEST(Package, ClipartsKeepTheResourceRawAndCarryNoPictureBytes) {
    PackageWriter writer(ResourceCategory::Cliparts);
    const QImage clipart = framePicture(90, 70);
    ASSERT_TRUE(writer.addRaw(clipart));
    const std::vector<std::uint8_t> bytes = writer.bytes();
    // category, count, raw entry, then width, height and length 0 of the picture part.
    EXPECT_EQ(bytes.size(), 8u + 8u + 90u * 70u * 4u + 12u);

    const ReadBack back = readBack(bytes);
    ASSERT_TRUE(back.last) << back.last.reason;
    ASSERT_EQ(back.entries.size(), 1u);
    EXPECT_EQ(back.entries[0].thumbnail.width, 90);
    EXPECT_EQ(back.entries[0].thumbnail.bgra, rawPixelsOf(clipart).bgra);
    EXPECT_TRUE(back.entries[0].picture.empty());
}

TEST(Package, WriterRefusesEntriesReadersWouldRefuse) {
    PackageWriter frames(ResourceCategory::Frames);
    EXPECT_FALSE(frames.addPicture(framePicture(10, 10), PhotoHole{0.5f, 0.0f, 0.5f, 1.0f}));
    EXPECT_FALSE(frames.addPicture(framePicture(10, 10), PhotoHole{-0.1f, 0.0f, 0.5f, 1.0f}));
    PackageEntry mismatched;
    mismatched.thumbnail = rawPixelsOf(framePicture(4, 4));
    mismatched.thumbnail.bgra.pop_back();
    mismatched.pictureWidth = mismatched.pictureHeight = 4;
    mismatched.picture = encodePng(framePicture(4, 4));
    EXPECT_FALSE(frames.addEntry(mismatched));
    PackageEntry noPicture;
    noPicture.thumbnail = rawPixelsOf(framePicture(4, 4));
    EXPECT_FALSE(PackageWriter(ResourceCategory::Masks).addEntry(noPicture));
    EXPECT_EQ(frames.count(), 0);
}

TEST(Package, ReaderRefusesForeignCategoriesShortPackagesAndLyingSizes) {
    PackageWriter seven(static_cast<ResourceCategory>(7));
    ASSERT_TRUE(seven.addRaw(framePicture(4, 4)));
    const ReadBack refused = readBack(seven.bytes());
    EXPECT_FALSE(refused.header);
    EXPECT_NE(refused.header.reason.find("(7)"), std::string::npos);

    PackageWriter masks(ResourceCategory::Masks);
    ASSERT_TRUE(masks.addPicture(framePicture(20, 20)));
    ASSERT_TRUE(masks.addPicture(framePicture(20, 20)));
    std::vector<std::uint8_t> bytes = masks.bytes();

    std::vector<std::uint8_t> cut(bytes.begin(), bytes.end() - 5);
    const ReadBack shortened = readBack(cut);
    ASSERT_TRUE(shortened.header);
    EXPECT_EQ(shortened.entries.size(), 1u);
    EXPECT_FALSE(shortened.last);

    std::vector<std::uint8_t> hugeCount = bytes;
    putInt32(hugeCount.data() + 4, 1'000'000);
    EXPECT_FALSE(readBack(hugeCount).header);

    // A thumbnail claiming 2^30 × 4 pixels must be refused before anything is allocated.
    std::vector<std::uint8_t> hugeThumbnail = bytes;
    putInt32(hugeThumbnail.data() + 8, 1 << 30);
    putInt32(hugeThumbnail.data() + 12, 4);
    EXPECT_FALSE(readBack(hugeThumbnail).last);

    // The picture part says 21 × 20 but holds a 20 × 20 picture.
    std::vector<std::uint8_t> wrongSize = bytes;
    const std::size_t pictureHeader = 8 + 8 + 20 * 20 * 4;
    putInt32(wrongSize.data() + pictureHeader, 21);
    EXPECT_FALSE(readBack(wrongSize).last);
}

} // namespace
} // namespace resources
