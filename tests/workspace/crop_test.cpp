// Cropping to a proportion: where a chosen proportion seats the crop rectangle on landscape and portrait
// photos, what "Crop" cuts out, and how the proportion outlives the crop.
#include "imaging/crop_constraints.h"
#include "recording_listener.h"
#include "support/temp_folder.h"
#include "workspace/document.h"

#include <gtest/gtest.h>

using namespace workspace;
using testing_support::TempFolder;

namespace {

// Every pixel different from its neighbours, so a cut from the wrong place cannot match.
imaging::PhotoBuffer patternPhoto(int width, int height) {
    imaging::PhotoBuffer photo;
    photo.width = width;
    photo.height = height;
    photo.bgr.resize(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = photo.row(y) + x * 3;
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = static_cast<std::uint8_t>(x / 256 + 16 * (y / 256));
        }
    return photo;
}

struct Crop : ::testing::Test {
    TempFolder folder;
    RecordingListener listener;
    std::unique_ptr<WorkspaceDocument> document;

    void open(int width, int height, QSize client) {
        document = std::make_unique<WorkspaceDocument>(folder.path(), listener, client);
        document->setLoadedPicture(patternPhoto(width, height), false, 0, "/pictures/p.png");
        document->keepLoadedPhoto();
        // As the Crop tab does.
        document->resetCropRect();
        document->SetTool(ToolCrop);
    }
};

bool inside(const Rect& r, const Rect& view) {
    return r.left >= view.left && r.top >= view.top && r.right <= view.right && r.bottom <= view.bottom &&
           r.width() > 0 && r.height() > 0;
}

// Width : height is a : b up to the pixel each of the two truncated half cuts may leave.
void expectProportion(const Rect& r, float a, float b) {
    EXPECT_NEAR(r.width() * b, r.height() * a, 2 * std::max(a, b)) << r.width() << " x " << r.height();
}

} // namespace

TEST_F(Crop, EveryProportionIsSeatedInsideLandscapeAndPortraitViews) {
    // The main window's workspace at 1280 × 800, and a larger one.
    for (const QSize client : {QSize(877, 528), QSize(1400, 1000)}) {
        for (const QSize photo : {QSize(1600, 1200), QSize(1200, 1600)}) {
            open(photo.width(), photo.height(), client);
            const Rect view = document->viewRect();
            for (const imaging::CropConstraint& constraint : imaging::kCropConstraints) {
                if (constraint.widthPart == 0)
                    continue;
                SCOPED_TRACE(testing::Message() << constraint.label << " on " << photo.width() << " x "
                                                << photo.height() << " in " << client.width());
                // From the Crop tab's rectangle; chosen twice, the second seat starts from the first.
                document->SetCropAspect(0, 0);
                document->resetCropRect();
                for (int time = 0; time < 2; ++time) {
                    document->SetCropAspect(constraint.widthPart, constraint.heightPart);
                    const Rect crop = document->cropRect();
                    EXPECT_TRUE(inside(crop, view));
                    expectProportion(crop, constraint.widthPart, constraint.heightPart);
                    EXPECT_NEAR(crop.left + crop.right, view.left + view.right, 1);
                    EXPECT_NEAR(crop.top + crop.bottom, view.top + view.bottom, 1);
                    // From the Crop tab's rectangle the seat is the whole view less 8-pixel margins, so
                    // one side fills it; a seat from a smaller rectangle is smaller.
                    if (time == 0) {
                        EXPECT_TRUE(crop.width() >= view.width() - 17 || crop.height() >= view.height() - 17);
                    }
                }
                // Sizing from each corner keeps the proportion to a pixel, inside the view.
                for (const int handle : {0, 2, 4, 6}) {
                    for (const QPoint to : {view.toQRect().center() + QPoint(37, 21), QPoint(-500, 3000)}) {
                        document->SetCropAspect(constraint.widthPart, constraint.heightPart);
                        const Rect grab = WorkspaceDocument::HandleRects(document->cropRect())[handle];
                        ASSERT_TRUE(document->ButtonDown(grab.left + 4, grab.top + 4));
                        document->MouseMove(to.x(), to.y());
                        document->ButtonUp();
                        const Rect sized = document->cropRect();
                        EXPECT_TRUE(inside(sized, view) || sized.width() == 0 || sized.height() == 0);
                        EXPECT_NEAR(sized.width() * constraint.heightPart,
                                    sized.height() * constraint.widthPart,
                                    std::max(constraint.widthPart, constraint.heightPart));
                    }
                }
            }
            // The cut photo is never larger than the photo and keeps the proportion to the few pixels
            // lost by rounding the width to a multiple of 4.
            document->SetCropAspect(4, 6);
            ASSERT_TRUE(document->FlattenIntoPhoto(true));
            EXPECT_LE(document->canvasWidth(), photo.width());
            EXPECT_LE(document->canvasHeight(), photo.height());
            EXPECT_EQ(document->canvasWidth() % 4, 0);
            EXPECT_NEAR(document->canvasWidth() * 6.0 / document->canvasHeight(), 4.0, 0.05);
        }
    }
}

TEST_F(Crop, CropCutsTheSeatedRectangleOutPixelForPixelAndUndoBringsThePhotoBack) {
    open(1600, 1200, QSize(820, 620)); // shown at half size in (10, 10)-(810, 610)
    document->SetCropAspect(4, 6);
    ASSERT_EQ(document->cropRect(), (Rect{215, 18, 605, 602}));
    const int stepsBefore = document->history().stepCount();
    ASSERT_TRUE(document->FlattenIntoPhoto(true));

    // By hand: from column (215 - 10) × 2 and row (18 - 10) × 2, 390 × 2 wide and 584 × 2 high.
    const imaging::PhotoBuffer original = patternPhoto(1600, 1200);
    ASSERT_EQ(document->canvasWidth(), 780);
    ASSERT_EQ(document->canvasHeight(), 1168);
    for (int row = 0; row < 1168; ++row) {
        const std::uint8_t* expected = original.row(16 + row) + 410 * 3;
        ASSERT_TRUE(std::equal(expected, expected + 780 * 3, document->photo().row(row))) << "row " << row;
    }
    EXPECT_EQ(document->history().stepCount(), stepsBefore + 1);
    // The view follows the new size: 780 × 1168 fitted into 800 × 600.
    EXPECT_EQ(document->viewRect().height(), 600);
    EXPECT_EQ(document->viewRect().width(), 780 * 600 / 1168);

    document->undo();
    EXPECT_EQ(document->canvasWidth(), 1600);
    EXPECT_EQ(document->canvasHeight(), 1200);
    EXPECT_EQ(document->photo().bgr, original.bgr);
    document->redo();
    EXPECT_EQ(document->canvasWidth(), 780);
}

TEST_F(Crop, AChosenProportionSeatsEveryFreshRectangle) {
    open(1600, 1200, QSize(877, 528));
    document->SetCropAspect(5, 7);
    ASSERT_TRUE(document->FlattenIntoPhoto(true));
    // The crop gave a new photo and a new view; the rectangle starts in the proportion still chosen, so a
    // second crop keeps it too.
    expectProportion(document->cropRect(), 5, 7);
    ASSERT_TRUE(document->FlattenIntoPhoto(true));
    EXPECT_NEAR(document->canvasWidth() * 7.0 / document->canvasHeight(), 5.0, 0.05);
    document->resizeClient(QSize(1000, 700));
    expectProportion(document->cropRect(), 5, 7);

    // Without a proportion the fresh rectangle is the view less an eighth on every side.
    document->SetCropAspect(0, 0);
    document->resizeClient(QSize(877, 528));
    EXPECT_EQ(document->cropRect(), initialCropRect(document->viewRect()));
}

TEST(CanvasCut, RoundsTheWidthDownAndStaysOnTheCanvas) {
    const Rect view{10, 10, 810, 610}; // a 1600 × 1200 canvas at half size
    const CanvasCut cut = canvasCutOf(1600, 1200, view, {111, 61, 313, 161});
    EXPECT_EQ(cut.column, 202);
    EXPECT_EQ(cut.row, 102);
    EXPECT_EQ(cut.width, 404);
    EXPECT_EQ(cut.height, 200);
    // Reaching past the view's right and bottom: cut to what is left of the canvas.
    const CanvasCut past = canvasCutOf(1600, 1200, view, {700, 500, 900, 700});
    EXPECT_EQ(past.column, 1380);
    EXPECT_EQ(past.width, 220);
    EXPECT_EQ(past.row + past.height, 1200);
    // Narrower than 4 canvas pixels, or no view at all: nothing to cut.
    EXPECT_TRUE(canvasCutOf(1600, 1200, view, {100, 100, 101, 300}).empty());
    EXPECT_TRUE(canvasCutOf(1600, 1200, Rect{}, {100, 100, 300, 300}).empty());
}
