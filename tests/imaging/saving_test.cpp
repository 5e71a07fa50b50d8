// Saving pictures: the encoder choice, both routes, the hand-over bitmap and failures.

#include "imaging/files/image_encoder.h"
#include "imaging/image_holder.h"
#include "imaging/files/photo_loading.h"
#include "imaging/files/save_picture.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"
#include "test_pictures.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <gtest/gtest.h>
#include <thread>

namespace imaging {
namespace {

using testing_support::TempFolder;

TEST(ImageEncoder, FindsByExtensionOrMimeTypeAndResetsTheQuality) {
    ImageEncoder encoder;
    encoder.SetQuality(40);
    encoder.Find(QStringLiteral("/x/Photo.JPG"));
    EXPECT_TRUE(encoder.valid());
    EXPECT_EQ(encoder.mimeType(), QStringLiteral("image/jpeg"));
    EXPECT_EQ(encoder.quality(), 90);
    encoder.Find(QStringLiteral("IMAGE/PNG"));
    EXPECT_EQ(encoder.mimeType(), QStringLiteral("image/png"));
    encoder.Find(QStringLiteral("a.tiff"));
    EXPECT_EQ(encoder.mimeType(), QStringLiteral("image/tiff"));
    encoder.Find(QStringLiteral("Pictovance_tmp.bmp"));
    EXPECT_EQ(encoder.classId(), QUuid::fromString(QStringLiteral("{557cf400-1a04-11d3-9a73-0000f81ef32e}")));
    encoder.Find(QStringLiteral("photo.xyz"));
    EXPECT_FALSE(encoder.valid());
}

TEST(ImageEncoder, SaveWithoutAnEncoderTouchesNothing) {
    TempFolder folder;
    const QString path = folder.file(QStringLiteral("keep.xyz"));
    ASSERT_TRUE(folder.write(QStringLiteral("keep.xyz"), "old"));
    ImageEncoder encoder;
    encoder.Find(path);
    EXPECT_EQ(encoder.Save(imaging_test::gradient(4, 4), path), EncoderStatus::GenericError);
    EXPECT_EQ(folder.read(QStringLiteral("keep.xyz")), QByteArray("old"));
}

class SavePictureTest : public ::testing::Test {
protected:
    SavePictureTest() : pixels(imaging_test::gradientBgr(kWidth, kHeight)) { QDir().mkpath(dataFolder()); }
    QString dataFolder() const { return folder.file(QStringLiteral("Data/")); }
    // Hand-over bitmaps left in the Data folder.
    QStringList handOvers() const {
        return QDir(dataFolder()).entryList({QStringLiteral("Pictovance_tmp*")}, QDir::Files);
    }
    Outcome save(const QString& name, const QString& extension) {
        return SavePicture(folder.file(name), pixels.data(), kWidth, kHeight, extension, dataFolder());
    }
    // The written file read back through our own loader, B,G,R top row first.
    std::vector<std::uint8_t> readBack(const QString& name) {
        std::vector<std::uint8_t> bgr(kWidth * kHeight * 3, 0);
        EXPECT_TRUE(LoadPictureScaled(folder.file(name), bgr.data(), kWidth, kHeight, ScaledLayout::Batch))
            << name.toStdString();
        return bgr;
    }
    QByteArray formatOf(const QString& name) {
        QImageReader reader(folder.file(name));
        reader.setDecideFormatFromContent(true);
        return reader.format();
    }

    static constexpr int kWidth = 40;
    static constexpr int kHeight = 30;
    TempFolder folder;
    std::vector<std::uint8_t> pixels;
};

TEST_F(SavePictureTest, EncoderRouteWritesJpegGifBmpPng) {
    for (const auto& [name, extension, format] :
         {std::tuple{"photo.jpg", "jpg", "jpeg"}, std::tuple{"photo.JPEG", "jpeg", "jpeg"},
          std::tuple{"photo.gif", "gif", "gif"}, std::tuple{"photo.bmp", "bmp", "bmp"},
          std::tuple{"photo.png", "png", "png"}}) {
        ASSERT_TRUE(save(QLatin1String(name), QLatin1String(extension))) << name;
        EXPECT_EQ(formatOf(QLatin1String(name)), QByteArray(format)) << name;
        const double tolerance = std::string(format) == "jpeg"  ? 3.0
                                 : std::string(format) == "gif" ? 8.0
                                                                : 0.0;
        EXPECT_LE(imaging_test::meanDifference(readBack(QLatin1String(name)), pixels), tolerance) << name;
        EXPECT_TRUE(handOvers().isEmpty());
    }
}

TEST_F(SavePictureTest, LibraryRouteWritesTiffTgaPcxPnmThroughTheHandOverBitmap) {
    for (const auto& [name, extension] :
         {std::pair{"photo.tif", "tif"}, std::pair{"photo.tiff", "tiff"}, std::pair{"photo.tga", "tga"},
          std::pair{"photo.pcx", "pcx"}, std::pair{"photo.pnm", "pnm"}}) {
        ASSERT_TRUE(save(QLatin1String(name), QLatin1String(extension))) << name;
        EXPECT_TRUE(handOvers().isEmpty()) << name;
        EXPECT_EQ(readBack(QLatin1String(name)), pixels) << name;
    }
    EXPECT_EQ(formatOf(QStringLiteral("photo.tif")), QByteArray("tiff"));
}

TEST_F(SavePictureTest, UnknownOrUnwritableFormatsWriteNothingAndLeaveNoHandOver) {
    EXPECT_FALSE(save(QStringLiteral("photo.xyz"), QStringLiteral("xyz")));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("photo.xyz"))));
    // ICO is known to the library but has no encoder: the hand-over is written, then removed.
    EXPECT_FALSE(save(QStringLiteral("photo.ico"), QStringLiteral("ico")));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("photo.ico"))));
    EXPECT_TRUE(handOvers().isEmpty());
    // No Data folder: the hand-over cannot be written.
    EXPECT_FALSE(SavePicture(folder.file(QStringLiteral("p.tga")), pixels.data(), kWidth, kHeight,
                             QStringLiteral("tga"), folder.file(QStringLiteral("missing/"))));
}

TEST_F(SavePictureTest, ExistingFileIsReplacedWhenTheSaveWorksAndKeptWhenItFails) {
    ASSERT_TRUE(folder.write(QStringLiteral("photo.png"), "old"));
    ASSERT_TRUE(save(QStringLiteral("photo.png"), QStringLiteral("png")));
    EXPECT_EQ(formatOf(QStringLiteral("photo.png")), QByteArray("png"));

    // GIF cannot hold a picture wider than 65535: the encoder fails and the old file stays.
    ASSERT_TRUE(folder.write(QStringLiteral("wide.gif"), "old"));
    std::vector<std::uint8_t> wide(70000 * 3, 0);
    EXPECT_FALSE(SavePicture(folder.file(QStringLiteral("wide.gif")), wide.data(), 70000, 1,
                             QStringLiteral("gif"), dataFolder()));
    EXPECT_EQ(folder.read(QStringLiteral("wide.gif")), QByteArray("old"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2); // no stray temporary file
}

TEST_F(SavePictureTest, SavesRunningAtOnceInOneDataFolderKeepTheirOwnPixels) {
    // Two threads, as an export beside a batch conversion: each hands its pictures over in the same
    // Data folder, and each picture written must be its own.
    constexpr int kSaves = 40;
    auto saveAll = [this](const char* name, std::uint8_t value, bool& allSaved) {
        const std::vector<std::uint8_t> flat(kWidth * kHeight * 3, value);
        allSaved = true;
        for (int i = 0; i < kSaves; ++i)
            allSaved = SavePicture(folder.file(QStringLiteral("%1%2.tga").arg(QLatin1String(name)).arg(i)),
                                   flat.data(), kWidth, kHeight, QStringLiteral("tga"), dataFolder()) &&
                       allSaved;
    };
    bool darkSaved = false, lightSaved = false;
    std::thread dark(saveAll, "dark", std::uint8_t{20}, std::ref(darkSaved));
    std::thread light(saveAll, "light", std::uint8_t{230}, std::ref(lightSaved));
    dark.join();
    light.join();
    EXPECT_TRUE(darkSaved);
    EXPECT_TRUE(lightSaved);
    for (int i = 0; i < kSaves; ++i) {
        EXPECT_EQ(readBack(QStringLiteral("dark%1.tga").arg(i)),
                  std::vector<std::uint8_t>(kWidth * kHeight * 3, 20));
        EXPECT_EQ(readBack(QStringLiteral("light%1.tga").arg(i)),
                  std::vector<std::uint8_t>(kWidth * kHeight * 3, 230));
    }
    EXPECT_TRUE(handOvers().isEmpty());
}

TEST_F(SavePictureTest, PictureCutShortByAFullDiskIsAFailureAndTheOldFileStays) {
    for (const auto& [name, extension] : {std::pair{"photo.bmp", "bmp"}, std::pair{"photo.pcx", "pcx"}}) {
        ASSERT_TRUE(folder.write(QLatin1String(name), "old"));
        Outcome saved;
        {
            const testing_support::FileSizeLimit limit(1000); // the picture takes about 3.6 KB
            saved = save(QLatin1String(name), QLatin1String(extension));
        }
        EXPECT_FALSE(saved) << name;
        EXPECT_EQ(folder.read(QLatin1String(name)), QByteArray("old")) << name;
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2); // no half-written copy
    EXPECT_TRUE(handOvers().isEmpty());
}

TEST(PictureSave, ByFormatCodeAndFailsCleanlyForCodesWithoutAnEncoder) {
    TempFolder folder;
    const auto bgr = imaging_test::gradientBgr(8, 4);
    ImageHolder holder;
    ASSERT_TRUE(holder.FromBuffer(bgr.data(), 8, 4));
    for (const int code : {1, 2, 3, 4, 6, 7, 8, 14})
        EXPECT_TRUE(holder.Image()->save(folder.file(QStringLiteral("p%1.out").arg(code)), code)) << code;
    for (const int code : {0, 5, 9, 10, 11, 12, 13, 15})
        EXPECT_FALSE(holder.Image()->save(folder.file(QStringLiteral("q%1.out").arg(code)), code)) << code;
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 8);
}

} // namespace
} // namespace imaging
