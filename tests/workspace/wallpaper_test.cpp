// SetWallpaper: the flattened photo area written as a 24-bit BMP and handed to the desktop.

#include "platform/wallpaper/desktop_wallpaper.h"
#include "platform/wallpaper/wallpaper_backends.h"
#include "recording_listener.h"
#include "support/address_space_limit.h"
#include "support/recording_tool_runner.h"
#include "support/temp_folder.h"
#include "workspace/document.h"

#include <QImage>
#include <QUrl>
#include <gtest/gtest.h>

using namespace workspace;
using platform::WallpaperReport;
using testing_support::RecordingToolRunner;
using testing_support::TempFolder;

namespace {

struct DocumentWallpaper : ::testing::Test {
    TempFolder folder;
    RecordingListener listener;
    WorkspaceDocument document{folder.path(), listener, QSize(820, 620)};
    QString picture = folder.file(QStringLiteral("Quorix Pictovance Wallpaper.bmp"));
    // A GNOME desktop whose picture key answers whatever was last set.
    QString shownUri = QStringLiteral("''");
    RecordingToolRunner tools{[this](const QString&, const QStringList& arguments) {
        if (arguments.value(0) == QLatin1String("list-keys"))
            return RecordingToolRunner::succeeded(QStringLiteral("picture-uri\n"));
        if (arguments.value(0) == QLatin1String("set"))
            shownUri = arguments.value(3);
        return RecordingToolRunner::succeeded(shownUri);
    }};
    platform::DesktopWallpaper desktop{platform::DesktopKind::Gnome, tools,
                                       folder.file(QStringLiteral("note"))};

    void SetUp() override {
        imaging::PhotoBuffer photo;
        photo.width = 640;
        photo.height = 480;
        photo.bgr.assign(640u * 480u * 3u, 0);
        for (std::size_t i = 0; i < photo.bgr.size(); i += 3)
            photo.bgr[i + 2] = 200; // red
        document.setLoadedPicture(std::move(photo), false, 0, QStringLiteral("/p/photo.jpg"));
        document.keepLoadedPhoto();
    }

    void placeText() {
        document.SetTool(ToolText);
        text::TextObject& style = document.textTemplate();
        style.font = text::makeLogFont(u"DejaVu Sans", 60);
        text::setText(style, u"Hello");
        document.PlaceText(300, 300);
    }
};

} // namespace

TEST_F(DocumentWallpaper, SetFlattensWritesA24BitBmpOfThePhotoAndShowsIt) {
    placeText();
    ASSERT_EQ(document.objects().size(), 1);
    const WallpaperReport report = document.SetWallpaper(0, desktop, picture);
    EXPECT_EQ(report.result, WallpaperReport::Result::Done) << report.message.toStdString();

    // The text became photo pixels, and Undo can bring it back as an object.
    EXPECT_EQ(document.objects().size(), 0);
    EXPECT_TRUE(document.canUndo());

    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GT(bytes.size(), 54);
    EXPECT_TRUE(bytes.startsWith("BM"));
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[28]), 24); // bits per pixel
    const QImage written = QImage::fromData(bytes, "BMP");
    EXPECT_EQ(written.size(), QSize(640, 480));
    EXPECT_EQ(written.pixel(2, 2), qRgb(200, 0, 0));
    EXPECT_NE(QImage(picture).convertToFormat(QImage::Format_RGB32),
              QImage(640, 480, QImage::Format_RGB32)); // not blank: the text is in it

    EXPECT_EQ(shownUri, platform::gvariantString(QUrl::fromLocalFile(picture).toString(QUrl::FullyEncoded)));
}

TEST_F(DocumentWallpaper, SettingTwiceShowsTheNewerEditsAndRemoveTakesItOff) {
    ASSERT_EQ(document.SetWallpaper(0, desktop, picture).result, WallpaperReport::Result::Done);
    const QByteArray first = folder.read(QStringLiteral("Quorix Pictovance Wallpaper.bmp"));
    placeText();
    ASSERT_EQ(document.SetWallpaper(0, desktop, picture).result, WallpaperReport::Result::Done);
    EXPECT_NE(folder.read(QStringLiteral("Quorix Pictovance Wallpaper.bmp")), first);

    const int objectsBefore = document.objects().size();
    EXPECT_EQ(document.SetWallpaper(1, desktop, picture).result, WallpaperReport::Result::Done);
    EXPECT_EQ(shownUri, QStringLiteral("''")); // what was shown before ours
    EXPECT_TRUE(QFile::exists(picture));       // the picture stays on disk
    EXPECT_EQ(document.objects().size(), objectsBefore);

    // Any other action does nothing at all.
    tools.clear();
    EXPECT_EQ(document.SetWallpaper(2, desktop, picture).result, WallpaperReport::Result::Done);
    EXPECT_TRUE(tools.calls().empty());
}

TEST_F(DocumentWallpaper, APictureThatCannotBeWrittenIsReportedAndNotHandedToTheDesktop) {
    const QString unwritable = folder.file(QStringLiteral("missing folder/Quorix Pictovance Wallpaper.bmp"));
    const WallpaperReport report = document.SetWallpaper(0, desktop, unwritable);
    EXPECT_EQ(report.result, WallpaperReport::Result::Failed);
    EXPECT_TRUE(report.message.contains(unwritable));
    EXPECT_TRUE(tools.calls().empty());
}

TEST_F(DocumentWallpaper, ACompositionThatCannotBeDrawnWritesAndShowsNothing) {
    imaging::PhotoBuffer photo;
    photo.width = 3000;
    photo.height = 2000;
    photo.bgr.assign(3000u * 2000u * 3u, 90); // its canvas takes 24 MB
    document.setLoadedPicture(std::move(photo), false, 0, QStringLiteral("/p/big.jpg"));
    document.keepLoadedPhoto();
    placeText();
    ASSERT_EQ(document.objects().size(), 1);
    WallpaperReport report;
    {
        const testing_support::AddressSpaceLimit limit(std::size_t{8} << 20);
        report = document.SetWallpaper(0, desktop, picture);
    }
    EXPECT_EQ(report.result, WallpaperReport::Result::Failed);
    EXPECT_EQ(document.objects().size(), 1);
    EXPECT_FALSE(QFile::exists(picture));
    EXPECT_TRUE(tools.calls().empty());
    ASSERT_EQ(listener.problems.size(), 1u);
    EXPECT_EQ(listener.problems[0], DocumentProblem::RenderFailed);
}
