// Cropping to a proportion: where a chosen proportion seats the crop rectangle on landscape and portrait
// photos, what "Crop" cuts out, and how the proportion outlives the crop.
#include "imaging/crop_constraints.h"
#include "recording_listener.h"
#include "support/drawn_photo.h"
#include "support/temp_folder.h"
#include "workspace/document.h"

#include <gtest/gtest.h>

using namespace workspace;
using testing_support::TempFolder;

namespace {

// Every pixel different from its neighbours, so a cut from the wrong place cannot match.
imaging::PhotoBuffer patternPhoto(int width, int height) {
    return testing_support::drawnPhoto(width, height, [=](int x, int y) {
        return std::array{x, y, x / 256 + 16 * (y / 256)};
    });
}

struct Crop : ::testing::Test {
    TempFolder folder;
    RecordingListener listener;
    std::unique_ptr<WorkspaceDocument> document;

    void open(int width, int height, QSize client) {
        document = std::make_unique<WorkspaceDocument>(folder.path(), listener, client);
        document->setLoadedPicture(patternPhoto(width, height), false, 0, "/pictures/p.png");
        document->keepLoadedPhoto();
        document->SetTool(ToolCrop);
    }
};

// Width : height is a : b up to the pixel each of the two truncated half cuts may leave.
void expectProportion(const Rect& r, float a, float b) {
    EXPECT_NEAR(r.width() * b, r.height() * a, 2 * std::max(a, b)) << r.width() << " x " << r.height();
}

} // namespace

TEST_F(Crop, EveryProportionIsSeatedInsideLandscapeAndPortraitPhotos) {
    for (const QSize photo : {QSize(1600, 1200), QSize(1200, 1600)}) {
        open(photo.width(), photo.height(), QSize(877, 528)); // the workspace of a 1280 × 800 window
        const Rect view = document->viewRect();
        for (const imaging::CropConstraint& constraint : imaging::kCropConstraints) {
            if (constraint.widthPart == 0)
                continue;
            SCOPED_TRACE(testing::Message()
                         << constraint.label << " on " << photo.width() << " x " << photo.height());
            // From the Crop tab's rectangle: the view less 8-pixel margins, narrowed about its centre. (The
            // corner drags that keep it are the manipulation tests'.)
            document->SetCropAspect(0, 0);
            document->resetCropRect();
            document->SetCropAspect(constraint.widthPart, constraint.heightPart);
            const Rect seat = document->cropRect();
            EXPECT_TRUE(seat.left >= view.left && seat.right <= view.right && seat.top >= view.top &&
                        seat.bottom <= view.bottom);
            EXPECT_TRUE(seat.width() == view.width() - 16 || seat.height() == view.height() - 16);
            EXPECT_NEAR(seat.left + seat.right, view.left + view.right, 1);
            EXPECT_NEAR(seat.top + seat.bottom, view.top + view.bottom, 1);
            expectProportion(seat, constraint.widthPart, constraint.heightPart);
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
    EXPECT_EQ(document->viewRect().width(), 780 * 600 / 1168);

    document->undo();
    EXPECT_EQ(document->photo().bgr, original.bgr);
}

TEST_F(Crop, AChosenProportionSeatsEveryFreshRectangle) {
    open(1600, 1200, QSize(877, 528));
    document->SetCropAspect(5, 7);
    ASSERT_TRUE(document->FlattenIntoPhoto(true));
    // A new photo and a new view: the rectangle starts in the proportion still chosen, so a second crop
    // keeps it too; so does a resized window.
    ASSERT_TRUE(document->FlattenIntoPhoto(true));
    EXPECT_NEAR(document->canvasWidth() * 7.0 / document->canvasHeight(), 5.0, 0.05);
    document->resizeClient(QSize(1000, 700));
    expectProportion(document->cropRect(), 5, 7);

    // Without a proportion the fresh rectangle is the view less an eighth on every side.
    document->SetCropAspect(0, 0);
    document->resizeClient(QSize(877, 528));
    EXPECT_EQ(document->cropRect(), initialCropRect(document->viewRect()));
}
