// The crop and calendar steps on a document: what they cut and place, and what they refuse.
#include "recipe/recipe_runner.h"
#include "support/drawn_photo.h"
#include "support/temp_folder.h"
#include "text/calendar/calendar_picture.h"
#include "workspace/document.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace recipe;
using testing_support::TempFolder;

namespace {

struct CropAndCalendarSteps : ::testing::Test {
    TempFolder folder;
    workspace::UnwatchedDocument listener;
    workspace::WorkspaceDocument document{folder.path(), listener, QSize(1280, 800)};
    RunSettings settings{QStringLiteral("DejaVu Sans")};

    // Blue = x / 8, green = y / 8: a pixel tells where it came from.
    void load(int width, int height) {
        imaging::PhotoBuffer photo = testing_support::drawnPhoto(
            width, height, [](int x, int y) { return std::array{x / 8, y / 8, 50}; });
        document.setLoadedPicture(std::move(photo), false, 0, QStringLiteral("photo.png"));
        document.keepLoadedPhoto();
    }

    imaging::Outcome run(const QByteArray& steps) {
        const ReadRecipe read = readRecipe(R"({"recipe": 1, "steps": [)" + steps + "]}");
        if (!read.recipe)
            return imaging::Outcome::failure(read.problem.toStdString());
        return runSteps(*read.recipe, settings, document);
    }

    QSize photoSize() const { return {document.canvasWidth(), document.canvasHeight()}; }

    void loadGrey(int width, int height, std::uint8_t grey) {
        imaging::PhotoBuffer photo;
        photo.width = width;
        photo.height = height;
        photo.bgr.assign(static_cast<std::size_t>(width) * height * 3, grey);
        document.setLoadedPicture(std::move(photo), false, 0, QStringLiteral("grey.png"));
        document.keepLoadedPhoto();
    }

    const workspace::ClipartObject* clipartAt(int index) const {
        return document.objects().get<workspace::ClipartObject>(index);
    }
};

// Pixels of the exported photo within the calendar's 260 × 260 square centred on the photo whose grey
// level lies beyond `threshold` (below it when `darker`).
int pixelsBeyond(const imaging::PhotoBuffer& photo, int threshold, bool darker) {
    int count = 0;
    for (int y = photo.height / 2 - 130; y < photo.height / 2 + 130; ++y)
        for (int x = photo.width / 2 - 130; x < photo.width / 2 + 130; ++x) {
            const int green = photo.row(y)[x * 3 + 1];
            count += darker ? green < threshold : green > threshold;
        }
    return count;
}

} // namespace

TEST_F(CropAndCalendarSteps, ACropCutsTheRectangleOrTheSeatOfItsProportion) {
    load(1600, 1200); // in a view of 1040 × 780: 0.65 window pixels a photo pixel
    ASSERT_TRUE(run(R"({"op": "crop", "rect": [200, 100, 600, 400]})"));
    EXPECT_EQ(photoSize(), QSize(400, 300));
    EXPECT_EQ(document.photo().row(0)[0], 200 / 8);
    EXPECT_EQ(document.photo().row(299)[1], (100 + 299) / 8);
    // One undo step, as the "Crop" button's.
    ASSERT_TRUE(run(R"({"op": "undo"})"));
    EXPECT_EQ(photoSize(), QSize(1600, 1200));

    // With a proportion the rectangle is cut to it from its top-left corner.
    ASSERT_TRUE(run(R"({"op": "crop", "constraint": 1, "rect": [0, 0, 800, 800]}, {"op": "undo"})"));
    // A proportion alone cuts its centred seat, whatever an earlier step chose: "10 : 8", then "4 : 6".
    ASSERT_TRUE(run(R"({"op": "crop", "constraint": 6}, {"op": "undo"}, {"op": "crop", "constraint": 2})"));
    EXPECT_EQ(photoSize().height(), 1200 * (780 - 16) / 780);
    EXPECT_NEAR(photoSize().width() * 6.0 / photoSize().height(), 4.0, 0.05);
    // Neither: the Crop tab's own rectangle, the view less an eighth each side.
    load(1600, 1200);
    ASSERT_TRUE(run(R"({"op": "crop"})"));
    EXPECT_EQ(photoSize(), QSize(1200, 901));

    load(800, 600);
    EXPECT_EQ(run(R"({"op": "crop", "rect": [100, 100, 900, 300]})").reason,
              "step 1 (crop): \"rect\" [100, 100, 900, 300] reaches outside the 800 × 600 photo");
    EXPECT_THAT(run(R"({"op": "crop", "rect": [10, 10, 12, 300]})").reason,
                ::testing::StartsWith("step 1 (crop): the rectangle is too small to crop"));
    EXPECT_EQ(
        run(R"({"op": "crop", "rect": [300, 10, 200, 300]})").reason,
        "step 1 (crop): \"rect\" must have its left edge before its right and its top above its bottom");
    EXPECT_EQ(photoSize(), QSize(800, 600));
}

TEST_F(CropAndCalendarSteps, ACalendarIsAClipartOfTheDocumentsOwnThatTurnsAndScales) {
    load(800, 600); // shown at 1:1
    ASSERT_TRUE(run(R"({"op": "calendar", "year": 2028, "month": 2})"));
    ASSERT_EQ(document.objects().size(), 1);
    const workspace::ClipartObject* centred = clipartAt(0);
    ASSERT_NE(centred, nullptr);
    EXPECT_EQ(centred->inMemory, 1);
    EXPECT_EQ(centred->offsetX, 0);
    EXPECT_EQ(centred->offsetY, 0);
    EXPECT_EQ(centred->scale, 1.0f);
    const QImage& pixels = document.memoryCliparts().at(0);
    const std::vector<std::uint8_t> february = text::calendarPictureOf({2028, 2});
    ASSERT_EQ(pixels.size(), QSize(260, 260));
    EXPECT_TRUE(std::equal(february.begin(), february.end(), pixels.constBits()));

    ASSERT_TRUE(run(R"({"op": "calendar", "year": 2029, "month": 12, "at": [100, 150], "scale": 0.5,
                        "angle": 30})"));
    ASSERT_EQ(document.objects().size(), 2);
    const workspace::ClipartObject* turned = clipartAt(1);
    EXPECT_EQ(turned->offsetX, 100 - 400);
    EXPECT_EQ(turned->offsetY, 150 - 300);
    EXPECT_FLOAT_EQ(turned->scale, 0.5f);
    EXPECT_FLOAT_EQ(turned->angle, 30.0f);
    EXPECT_EQ(document.memoryCliparts().size(), 2u);
    // The dials' changes are steps of their own: one undo straightens it.
    ASSERT_TRUE(run(R"({"op": "undo"})"));
    EXPECT_FLOAT_EQ(clipartAt(1)->angle, 0.0f);
    EXPECT_FLOAT_EQ(clipartAt(1)->scale, 0.5f);

    EXPECT_EQ(run(R"({"op": "calendar", "year": 2028, "month": 1, "at": [800, 0]})").reason,
              "step 1 (calendar): \"at\" (800, 0) lies outside the 800 × 600 photo");
}

TEST_F(CropAndCalendarSteps, TheExportedPhotoShowsTheCalendarOnALightAndOnADarkPhoto) {
    // The dark engraved edge shows on a light photo, the light grey lettering on a dark one; the white
    // around it is gone on both.
    for (const std::uint8_t grey : {200, 40}) {
        loadGrey(800, 600, grey);
        ASSERT_TRUE(run(R"({"op": "calendar", "year": 2028, "month": 2})"));
        const auto exported = document.flattenForExport(false);
        ASSERT_TRUE(exported);
        const bool light = grey > 128;
        EXPECT_GT(pixelsBeyond(*exported, light ? 60 : 180, light), light ? 100 : 1000);
        EXPECT_EQ(pixelsBeyond(*exported, 250, false), 0);
    }
}
