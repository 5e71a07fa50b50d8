// The crop and calendar steps on a document: what they cut and place, and what they refuse.
#include "recipe/recipe_runner.h"
#include "support/temp_folder.h"
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
        imaging::PhotoBuffer photo;
        photo.width = width;
        photo.height = height;
        photo.bgr.resize(static_cast<std::size_t>(width) * height * 3);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                std::uint8_t* p = photo.row(y) + x * 3;
                p[0] = static_cast<std::uint8_t>(x / 8);
                p[1] = static_cast<std::uint8_t>(y / 8);
                p[2] = 50;
            }
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
};

} // namespace

TEST_F(CropAndCalendarSteps, ACropCutsTheGivenRectangleFromThePhoto) {
    load(1600, 1200); // in a view of 1040 × 780: 0.65 window pixels a photo pixel
    ASSERT_TRUE(run(R"({"op": "crop", "rect": [200, 100, 600, 400]})"));
    EXPECT_EQ(photoSize(), QSize(400, 300));
    EXPECT_EQ(document.photo().row(0)[0], 200 / 8);
    EXPECT_EQ(document.photo().row(0)[1], 100 / 8);
    EXPECT_EQ(document.photo().row(299)[1], (100 + 299) / 8);
    // One undo step, as the "Crop" button's.
    ASSERT_TRUE(run(R"({"op": "undo"})"));
    EXPECT_EQ(photoSize(), QSize(1600, 1200));

    // With a proportion the rectangle is cut to it from its top-left corner.
    ASSERT_TRUE(run(R"({"op": "crop", "constraint": 1, "rect": [0, 0, 800, 800]})"));
    EXPECT_EQ(photoSize(), QSize(800, 600));
    EXPECT_EQ(document.photo().row(0)[0], 0);
}

TEST_F(CropAndCalendarSteps, AProportionAloneCutsTheCentredSeatWhateverCameBefore) {
    load(1600, 1200);
    ASSERT_TRUE(run(R"({"op": "crop", "constraint": 2})")); // "4 : 6" on a landscape photo
    const QSize portrait = photoSize();
    EXPECT_EQ(portrait.height(), 1200 * (780 - 16) / 780);
    EXPECT_NEAR(portrait.width() * 6.0 / portrait.height(), 4.0, 0.05);

    // An earlier step's proportion does not shape the next one's seat.
    load(1600, 1200);
    ASSERT_TRUE(run(R"({"op": "crop", "constraint": 6}, {"op": "undo"}, {"op": "crop", "constraint": 2})"));
    EXPECT_EQ(photoSize(), portrait);

    // No proportion and no rectangle: the Crop tab's own rectangle, the view less an eighth each side.
    load(1600, 1200);
    ASSERT_TRUE(run(R"({"op": "crop"})"));
    EXPECT_EQ(photoSize(), QSize(1200, 901));
}

TEST_F(CropAndCalendarSteps, ACropThatCannotBeMadeIsRefused) {
    load(800, 600);
    EXPECT_EQ(run(R"({"op": "crop", "rect": [100, 100, 900, 300]})").reason,
              "step 1 (crop): \"rect\" [100, 100, 900, 300] reaches outside the 800 × 600 photo");
    EXPECT_THAT(run(R"({"op": "crop", "rect": [10, 10, 12, 300]})").reason,
                ::testing::StartsWith("step 1 (crop): the rectangle is too small to crop"));
    EXPECT_EQ(photoSize(), QSize(800, 600));
    EXPECT_EQ(run(R"({"op": "crop", "rect": [300, 10, 200, 300]})").reason,
              "step 1 (crop): \"rect\" must have its left edge before its right and its top above its bottom");
    EXPECT_EQ(run(R"({"op": "crop", "rect": [0, 0, 10]})").reason,
              "step 1 (crop): \"rect\" must be four whole numbers [left, top, right, bottom], each from 0 to "
              "65535");
    EXPECT_EQ(run(R"({"op": "crop", "constraint": 8})").reason,
              "step 1 (crop): \"constraint\" must be a whole number from 0 to 7");
}
