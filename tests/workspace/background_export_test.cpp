#include "recording_listener.h"
#include "support/temp_folder.h"
#include "workspace/document.h"

#include <gtest/gtest.h>

using namespace workspace;
using testing_support::TempFolder;

namespace {

struct BackgroundAndExport : ::testing::Test {
    TempFolder folder;
    RecordingListener listener;
    WorkspaceDocument document{folder.path(), listener, QSize(820, 620)};

    void SetUp() override {
        imaging::PhotoBuffer photo;
        photo.width = 1600;
        photo.height = 1200;
        photo.bgr.assign(1600u * 1200u * 3u, 40);
        document.setLoadedPicture(std::move(photo), false, 0, "/p/photo.jpg");
        document.keepLoadedPhoto();
    }

    void placeText() {
        document.SetTool(ToolText);
        text::TextObject& style = document.textTemplate();
        style.font = text::makeLogFont(u"DejaVu Sans", 60);
        text::setText(style, u"Hello");
        document.PlaceText(100, 100);
    }
};

} // namespace

TEST_F(BackgroundAndExport, BackgroundColourIsACanvasSizedSheetWithoutAnUndoStep) {
    document.setModified(true);
    document.SetBackgroundColour(0x00336699); // red 0x99, green 0x66, blue 0x33
    EXPECT_EQ(document.background().width, 1600);
    EXPECT_EQ(document.background().height, 1200);
    const std::uint8_t* pixel = document.background().row(1199) + 1599 * 3;
    EXPECT_EQ(pixel[0], 0x33);
    EXPECT_EQ(pixel[1], 0x66);
    EXPECT_EQ(pixel[2], 0x99);
    EXPECT_FALSE(document.canUndo());
    EXPECT_TRUE(document.modified());
    // Stretched over the whole view: the margin around the photo shows it (tinted on screen).
    const QColor margin = document.backBuffer().pixelColor(3, 300);
    EXPECT_GT(margin.red(), margin.blue());
}

TEST_F(BackgroundAndExport, ExportSizesWhateverTheWindow) {
    document.resizeClient(QSize(500, 400));
    const auto area = document.flattenForExport(false);
    ASSERT_TRUE(area);
    EXPECT_EQ(area->width, 1600);
    EXPECT_EQ(area->height, 1200);
    document.resizeClient(QSize(820, 620)); // the view is half the canvas: twice the client size
    const auto whole = document.flattenForExport(true);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->width, 1640);
    EXPECT_EQ(whole->height, 1240);
}

TEST_F(BackgroundAndExport, ExportFlattensAndUndoBringsTheObjectsBack) {
    placeText();
    ASSERT_EQ(document.objects().size(), 1);
    const auto pixels = document.flattenForExport(false);
    ASSERT_TRUE(pixels);
    EXPECT_TRUE(document.objects().empty());
    EXPECT_NE(pixels->bgr, document.loadedPhoto().bgr); // the text is in the pixels now
    document.undo();
    ASSERT_EQ(document.objects().size(), 1);
    EXPECT_EQ(text::textOf(*document.objects().get<text::TextObject>(0)), "Hello");
}

TEST_F(BackgroundAndExport, CurrentImageBecomesTheBackground) {
    placeText();
    document.setModified(true);
    ASSERT_TRUE(document.SetImageAsBackground());
    EXPECT_EQ(document.background().width, 1640);
    EXPECT_EQ(document.background().height, 1240);
    EXPECT_TRUE(document.objects().empty());
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(listener.selections.back(), 0);
    // The photo sits where it was shown: the middle of the new sheet is the photo's grey.
    EXPECT_EQ(document.background().row(620)[820 * 3], 40);
}
