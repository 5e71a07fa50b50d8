// The steps that place the library's pictures and paint strokes, on a library of the test's own.
#include "../resources/library_fixture.h"
#include "recipe/recipe_runner.h"
#include "workspace/document.h"

#include <gtest/gtest.h>

using namespace recipe;
using namespace workspace;
namespace files = resources::files;

namespace {

QImage solid(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// Two frames, one mask, two cliparts, one decoration and two brush tips, on a 1600 × 1200 photo in the
// default 1280 × 800 view (1040 × 780: 0.65 window pixels a photo pixel).
struct DecorationSteps : resources_test::LibraryTest {
    RecipeLibrary library;
    UnwatchedDocument listener;
    std::unique_ptr<WorkspaceDocument> document;

    void SetUp() override {
        const resources::PhotoHole hole{0.2f, 0.2f, 0.8f, 0.8f};
        writeData(files::kFrames,
                  resources_test::encodedList(
                      {solid(200, 150, qRgb(200, 0, 0)), solid(150, 200, qRgb(0, 0, 200))}, {hole, hole}));
        writeData(files::kMasks, resources_test::encodedList({solid(64, 48, qRgb(0, 0, 0))}));
        writeData(files::kCliparts,
                  resources_test::rawList({solid(40, 20, qRgb(0, 200, 0)), solid(10, 10, qRgb(0, 0, 200))}));
        writeData(files::kDecorations, resources_test::encodedList({solid(100, 75, qRgba(0, 0, 0, 60))}));
        writeData(files::kBrushTips, resources_test::rawList({solid(8, 8, qRgba(0, 0, 0, 255)),
                                                              solid(4, 4, qRgba(0, 0, 0, 255))}));
        library = openRecipeLibrary(platform::Folders(root_.path()));
        document = std::make_unique<WorkspaceDocument>(root_.path(), listener, QSize(1280, 800),
                                                       library.library.get());
        document->shareResourcePictures(library.pictures);
        document->setBrushPictures(library.brushTips);
        imaging::PhotoBuffer photo;
        photo.width = 1600;
        photo.height = 1200;
        photo.bgr.assign(1600u * 1200u * 3u, 128);
        document->setLoadedPicture(std::move(photo), false, 0, QStringLiteral("photo.jpg"));
        document->keepLoadedPhoto();
    }

    imaging::Outcome run(const QByteArray& steps) {
        const ReadRecipe read = readRecipe(R"({"recipe": 1, "steps": [)" + steps + "]}");
        EXPECT_TRUE(read.recipe) << read.problem.toStdString();
        if (!read.recipe)
            return {};
        const RunSettings settings{QStringLiteral("DejaVu Sans"), library};
        return runSteps(*read.recipe, settings, *document);
    }
    ObjectList& objects() { return document->objects(); }
};

} // namespace

TEST_F(DecorationSteps, TheLibraryIsCountedOnceAndIndexesPastItAreNamed) {
    EXPECT_EQ(library.count(resources::ResourceCategory::Frames), 2);
    EXPECT_EQ(library.count(resources::ResourceCategory::Masks), 1);
    EXPECT_EQ(library.count(resources::ResourceCategory::Cliparts), 2);
    EXPECT_EQ(library.count(resources::ResourceCategory::Decorations), 1);
    EXPECT_EQ(library.count(resources::ResourceCategory::Brushes), 2);

    const ReadRecipe read = readRecipe(R"({"recipe": 1, "steps": [{"op": "frame", "index": 1},
        {"op": "stroke", "tip": 2, "points": [[1, 1]]}]})");
    ASSERT_TRUE(read.recipe);
    EXPECT_EQ(libraryProblem(*read.recipe, library),
              "step 2 (stroke): \"tip\" 2 is past the 2 brush tips of the library");
    EXPECT_TRUE(libraryProblem(*read.recipe, openRecipeLibrary(platform::Folders(root_.path() + "/none")))
                    .startsWith("step 1 (frame): \"index\" 1 is past the 0 frames"));

    const ReadRecipe badPoints = readRecipe(R"({"recipe": 1, "steps": [{"op": "stroke", "points": []}]})");
    EXPECT_FALSE(badPoints.recipe);
    EXPECT_TRUE(badPoints.problem.contains("\"points\" must be a list of 1 to"))
        << badPoints.problem.toStdString();
}

TEST_F(DecorationSteps, AFrameAndAMaskTakeTheirScaleAngleAndOffsetThroughTheDialsAndKeys) {
    ASSERT_TRUE(run(R"({"op": "frame", "index": 1, "scale": 0.5, "angle": -30, "offset": [40, -25]})"));
    const FrameObject& frame = *objects().get<FrameObject>(0);
    EXPECT_EQ(frame.resourceIndex, 1);
    EXPECT_FLOAT_EQ(frame.scale, 0.5f);
    EXPECT_EQ(frame.angle, -30.0f);
    EXPECT_EQ(frame.offsetX, 40);
    EXPECT_EQ(frame.offsetY, -25);
    EXPECT_EQ(document->tool(), ToolFrame);

    ASSERT_TRUE(run(R"({"op": "mask", "index": 0, "scale": 1.25})"));
    const MaskObject& mask = *objects().get<MaskObject>(0); // the frame went into the photo
    EXPECT_FLOAT_EQ(mask.scale, 1.25f);
    EXPECT_EQ(mask.offsetX, 0);

    // Undo takes back the last change only, as in the editor: here the scale.
    ASSERT_TRUE(run(R"({"op": "undo"})"));
    EXPECT_FLOAT_EQ(objects().get<MaskObject>(0)->scale, 1.0f);
}

TEST_F(DecorationSteps, ADragFromTheSelectedClipartsTurnHandleTurnsItAsTheMouseDoes) {
    // 80 × 40 photo pixels at the middle of the photo; its turn handle stands 24 window pixels (about 37
    // photo pixels) above the top edge, at (800, 543).
    ASSERT_TRUE(run(R"({"op": "clipart", "index": 0, "scale": 2})"));
    const int steps = document->history().stepCount();
    ASSERT_TRUE(run(R"({"op": "drag", "from": [800, 543], "to": [860, 600]})"));
    const ClipartObject& clipart = *objects().get<ClipartObject>(0);
    EXPECT_NEAR(clipart.angle, 90, 1); // from straight above the centre to its right: a quarter turn
    EXPECT_EQ(clipart.offsetX, 0);
    EXPECT_EQ(clipart.offsetY, 0);
    EXPECT_EQ(document->history().stepCount(), steps + 1);
}

TEST_F(DecorationSteps, ClipartsLandOnTheirPhotoPixelAndADecorationFillsTheCanvas) {
    ASSERT_TRUE(run(R"({"op": "clipart", "index": 0},
                      {"op": "clipart", "index": 1, "at": [100, 1000], "angle": 45, "scale": 2})"));
    ASSERT_EQ(objects().size(), 2);
    EXPECT_EQ(objects().get<ClipartObject>(0)->offsetX, 0); // a pick: the middle of the canvas
    const ClipartObject& second = *objects().get<ClipartObject>(1);
    // One window pixel is about 1.5 photo pixels: the centre lands within that of the point.
    EXPECT_NEAR(second.offsetX, 100 - 800, 2);
    EXPECT_NEAR(second.offsetY, 1000 - 600, 2);
    EXPECT_EQ(second.angle, 45.0f);
    EXPECT_FLOAT_EQ(second.scale, 2.0f);

    ASSERT_TRUE(run(R"({"op": "decoration", "index": 0})"));
    ASSERT_EQ(objects().size(), 1);
    EXPECT_EQ(objects().kind(0), Decoration);

    const imaging::Outcome outside = run(R"({"op": "clipart", "index": 0, "at": [1700, 10]})");
    EXPECT_FALSE(outside);
    EXPECT_NE(outside.reason.find("\"at\" (1700, 10) lies outside"), std::string::npos);
}

TEST_F(DecorationSteps, AStrokeLaysOneStampPerPointAndLeavesTheBrushOff) {
    ASSERT_TRUE(run(R"({"op": "stroke", "tip": 1, "colour": "#FF0000", "size": 20, "opacity": 200,
                        "points": [[100, 100], [200, 100], [300, 100], [300, 300]]})"));
    ASSERT_EQ(objects().size(), 1);
    const BrushStrokeObject& stroke = *objects().get<BrushStrokeObject>(0);
    EXPECT_EQ(stroke.tipIndex, 1);
    EXPECT_EQ(stroke.colour, text::rgb(255, 0, 0));
    ASSERT_EQ(stroke.xs.size(), 4u);
    EXPECT_EQ(stroke.opacities[0], 200);
    EXPECT_FLOAT_EQ(stroke.scales[0], 20.0f / 4.0f);
    EXPECT_NEAR(stroke.xs[3], 300 - 800, 2);
    EXPECT_NEAR(stroke.ys[3], 300 - 600, 2);
    EXPECT_FALSE(document->brush().paintingEnabled);
    // A stroke names its places one way only.
    EXPECT_FALSE(run(R"({"op": "stroke", "points": [[1, 1]], "stamps": [[1, 1]]})"));
    EXPECT_FALSE(run(R"({"op": "stroke"})"));
    EXPECT_EQ(objects().size(), 1);

    // Without the brush, a press on the photo selects rather than paints.
    ASSERT_TRUE(
        run(R"({"op": "clipart", "index": 0, "at": [800, 600]}, {"op": "select", "at": [800, 600]})"));
    ASSERT_EQ(objects().size(), 1);
    EXPECT_EQ(objects().kind(0), Clipart);
}
