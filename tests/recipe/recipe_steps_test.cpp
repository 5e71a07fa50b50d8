// Recipe steps carried out on a document: what each sets, where photo pixels land, and how a step that
// cannot be carried out on a photo stops it.
#include "recipe/photo_points.h"
#include "recipe/recipe_runner.h"
#include "support/temp_folder.h"
#include "text/style_samples.h"
#include "workspace/document.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace recipe;
using testing_support::TempFolder;

namespace {

struct RecipeSteps : ::testing::Test {
    TempFolder folder;
    workspace::UnwatchedDocument listener;
    workspace::WorkspaceDocument document{folder.path(), listener, QSize(1280, 800)};
    RunSettings settings{QStringLiteral("DejaVu Serif")};

    void load(int width, int height) {
        imaging::PhotoBuffer photo;
        photo.width = width;
        photo.height = height;
        photo.bgr.assign(static_cast<std::size_t>(width) * height * 3, 90);
        document.setLoadedPicture(std::move(photo), false, 0, QStringLiteral("photo.png"));
        document.keepLoadedPhoto();
    }

    imaging::Outcome run(const QByteArray& steps) {
        const ReadRecipe read = readRecipe(R"({"recipe": 1, "steps": [)" + steps + "]}");
        EXPECT_TRUE(read.recipe) << read.problem.toStdString();
        return read.recipe ? runSteps(*read.recipe, settings, document) : imaging::Outcome{};
    }

    const text::TextObject& textAt(int index) const {
        return *document.objects().get<text::TextObject>(index);
    }
};

} // namespace

TEST_F(RecipeSteps, ATextTakesThePanelsDefaultsForWhatItLeavesOut) {
    load(400, 300);
    ASSERT_TRUE(run(R"({"op": "text", "text": "Hi", "at": [10, 20]},
                      {"op": "text", "text": "Second", "style": 4, "colour2": "#010203", "at": [100, 200]})"));
    ASSERT_EQ(document.objects().size(), 2);
    const text::TextObject& first = textAt(0);
    EXPECT_EQ(text::textOf(first), "Hi");
    EXPECT_EQ(text::faceName(first.font), "DejaVu Serif");
    EXPECT_EQ(first.font.height, 30); // a tenth of the photo's shorter side
    EXPECT_EQ(first.style, 0);
    EXPECT_EQ(first.colour, text::kStyleSampleColours[0].first);
    EXPECT_EQ(first.secondColour, text::kStyleSampleColours[0].second);
    EXPECT_EQ(first.transparency, 0.0f);
    // The photo is fitted to the view: photo pixel (10, 20) lies where the view shows it.
    EXPECT_EQ(QPoint(first.left, first.top), recipe::windowPoint(document, QPoint(10, 20)));

    // A chosen style brings its own colours, as in the panel, unless the step names them.
    const text::TextObject& second = textAt(1);
    EXPECT_EQ(second.style, 4);
    EXPECT_EQ(second.colour, text::kStyleSampleColours[4].first);
    EXPECT_EQ(second.secondColour, text::rgb(1, 2, 3));
    EXPECT_EQ(document.tool(), workspace::ToolText);
    EXPECT_TRUE(document.modified());
}

TEST_F(RecipeSteps, ATextWithoutPlaceOrHeightIsCentredATenthOfTheShorterSideHigh) {
    for (const QSize photo : {QSize(1600, 900), QSize(600, 1000)}) {
        SCOPED_TRACE(photo.width());
        load(photo.width(), photo.height());
        ASSERT_TRUE(run(R"({"op": "text", "text": "In the middle"}, {"op": "text", "text": "Over it"})"));
        ASSERT_EQ(document.objects().size(), 2); // a text over another is a new one
        const text::TextObject& placed = textAt(0);
        EXPECT_EQ(placed.font.height, std::min(photo.width(), photo.height()) / 10);
        const workspace::Rect& view = document.viewRect();
        // Within 3 window pixels of the middle: the screen draws it a little narrower than the photo.
        EXPECT_NEAR(placed.left + placed.right, view.left + view.right, 6);
        EXPECT_NEAR(placed.top + placed.bottom, view.top + view.bottom, 6);
        // Drawn at its height: the box is about that tall on the screen, not a sliver.
        const double shown = static_cast<double>(view.height()) * placed.font.height / photo.height();
        EXPECT_GT(placed.bottom - placed.top, shown * 0.8);
    }
}

TEST_F(RecipeSteps, PhotoPixelsLandOnTheSamePlaceOfAScaledView) {
    load(1600, 1200); // shown at 1040 × 780 in the 1280 × 800 view
    ASSERT_TRUE(run(R"({"op": "text", "text": "Mid", "at": [800, 600]},
                      {"op": "text", "text": "Corner", "at": [1599, 1199]})"));
    const workspace::Rect& view = document.viewRect();
    EXPECT_EQ(textAt(0).left, view.left + 520);
    EXPECT_EQ(textAt(0).top, view.top + 390);
    EXPECT_EQ(textAt(1).left, view.right - 1);
    EXPECT_EQ(textAt(1).top, view.bottom - 1);
}

TEST_F(RecipeSteps, BackgroundUndoAndRedoAreTheDocumentsOwn) {
    load(400, 300);
    ASSERT_TRUE(run(R"({"op": "background", "colour": "#336699"},
                      {"op": "text", "text": "A", "at": [5, 5]}, {"op": "text", "text": "B", "at": [200, 5]},
                      {"op": "undo"})"));
    EXPECT_EQ(document.background().width, 400);
    EXPECT_EQ(document.background().bgr[0], 0x99); // blue, green, red
    EXPECT_EQ(document.background().bgr[2], 0x33);
    ASSERT_EQ(document.objects().size(), 1);
    EXPECT_EQ(text::textOf(textAt(0)), "A");
    ASSERT_TRUE(run(R"({"op": "redo"})"));
    EXPECT_EQ(document.objects().size(), 2);
    // Undoing the first text takes its flattening step with it: the photo as loaded, no objects.
    ASSERT_TRUE(run(R"({"op": "undo"}, {"op": "undo"})"));
    EXPECT_TRUE(document.objects().empty());
    EXPECT_FALSE(document.canUndo());
}

TEST_F(RecipeSteps, AStepThatCannotBeDoneOnThisPhotoStopsItNamingTheStep) {
    load(400, 300);
    imaging::Outcome outcome =
        run(R"({"op": "text", "text": "A", "at": [5, 5]}, {"op": "text", "at": [400, 10]})");
    EXPECT_EQ(outcome.reason, "step 2 (text): \"at\" (400, 10) lies outside the 400 × 300 photo");

    // A text without words could not be seen: it is refused rather than placed.
    outcome = run(R"({"op": "text", "text": " \n", "at": [20, 20]})");
    EXPECT_EQ(outcome.reason, "step 1 (text): the text has no words to show");
    EXPECT_EQ(document.objects().size(), 1);

    document.keepLoadedPhoto();
    EXPECT_EQ(run(R"({"op": "undo"})").reason, "step 1 (undo): there is nothing to undo");
    EXPECT_EQ(run(R"({"op": "background", "colour": "#000000"}, {"op": "redo"})").reason,
              "step 2 (redo): there is nothing to redo");
}

TEST_F(RecipeSteps, SelectMoveAndDragWorkOnTheObjectUnderThePhotoPixel) {
    load(1600, 1200); // a view of 1040 × 780: a photo pixel is 0.65 window pixels
    ASSERT_TRUE(run(R"({"op": "text", "text": "One", "height": 100, "at": [100, 100]},
                      {"op": "text", "text": "Two", "height": 100, "at": [800, 600]},
                      {"op": "background", "colour": "#000000"})"));
    document.SetTool(
        workspace::ToolFrame); // as after an undo restored a frame: selection takes the text tool
    const int steps = document.history().stepCount();
    ASSERT_TRUE(run(R"({"op": "select", "at": [120, 120]})"));
    EXPECT_EQ(document.tool(), workspace::ToolText);
    EXPECT_EQ(textAt(0).selected, 1);
    EXPECT_EQ(textAt(1).selected, 0);
    EXPECT_EQ(document.activeText(), 0);

    const workspace::Rect before{textAt(0).left, textAt(0).top, textAt(0).right, textAt(0).bottom};
    ASSERT_TRUE(run(R"({"op": "move", "by": [200, -100]})"));
    EXPECT_EQ(textAt(0).left, before.left + 130);
    EXPECT_EQ(textAt(0).top, before.top - 65);
    EXPECT_EQ(document.history().stepCount(), steps + 2); // the selection and the move, one step each
    ASSERT_TRUE(run(R"({"op": "undo"})"));
    EXPECT_EQ(textAt(0).left, before.left);

    const int twoLeft = textAt(1).left;
    ASSERT_TRUE(run(R"({"op": "drag", "from": [820, 620], "to": [720, 620]})"));
    EXPECT_EQ(textAt(1).left, twoLeft - 65);
    EXPECT_EQ(textAt(1).selected, 1);
    EXPECT_EQ(textAt(0).selected, 0);

    EXPECT_EQ(run(R"({"op": "select", "at": [1500, 100]})").reason,
              "step 1 (select): no object lies at (1500, 100)");
    EXPECT_EQ(run(R"({"op": "drag", "from": [1500, 100], "to": [0, 0]})").reason,
              "step 1 (drag): no object lies at (1500, 100)");
    EXPECT_EQ(run(R"({"op": "select", "at": [1600, 100]})").reason,
              "step 1 (select): \"at\" (1600, 100) lies outside the 1600 × 1200 photo");
}

TEST_F(RecipeSteps, DeleteAndStackActOnTheSelectionOnly) {
    load(400, 300);
    EXPECT_EQ(run(R"({"op": "move", "by": [1, 1]})").reason, "step 1 (move): no object is selected");
    EXPECT_EQ(run(R"({"op": "stack", "to": "front"})").reason, "step 1 (stack): no object is selected");
    EXPECT_EQ(run(R"({"op": "delete"})").reason, "step 1 (delete): no text or clipart is selected");

    ASSERT_TRUE(
        run(R"({"op": "text", "text": "A", "at": [10, 10]}, {"op": "text", "text": "B", "at": [100, 10]},
                      {"op": "text", "text": "C", "at": [200, 10]}, {"op": "select", "at": [12, 15]},
                      {"op": "stack", "to": "front"})"));
    ASSERT_EQ(document.objects().size(), 3);
    EXPECT_EQ(text::textOf(textAt(2)), "A");
    ASSERT_TRUE(run(R"({"op": "stack", "to": "backward"}, {"op": "stack", "to": "back"})"));
    EXPECT_EQ(text::textOf(textAt(0)), "A");
    ASSERT_TRUE(run(R"({"op": "delete"})"));
    ASSERT_EQ(document.objects().size(), 2);
    EXPECT_EQ(text::textOf(textAt(0)), "B");
    EXPECT_EQ(run(R"({"op": "delete"})").reason, "step 1 (delete): no text or clipart is selected");

    // Frames keep their place in the stack: only texts and cliparts move.
    workspace::FrameObject frame;
    frame.selected = 1;
    document.objects().append(frame);
    EXPECT_EQ(run(R"({"op": "stack", "to": "back"})").reason,
              "step 1 (stack): only a text or a clipart changes its place in the stack");
}

// Recipes edit documents that nothing shows, which paint nothing for the screen: what they export must
// still be what a shown document exports after the same steps.
TEST(UnwatchedDocument, ExportsWhatAShownDocumentExports) {
    struct ShownDocument : workspace::UnwatchedDocument {
        bool showsComposition() const override { return true; }
    };
    const ReadRecipe read = readRecipe(R"({"recipe": 1, "steps": [
        {"op": "background", "colour": "#204060"},
        {"op": "text", "text": "Kept", "height": 90, "style": 4, "at": [100, 100]},
        {"op": "text", "text": "Dragged", "height": 60, "style": 6, "at": [600, 700]},
        {"op": "drag", "from": [620, 720], "to": [300, 900]}, {"op": "select", "at": [120, 120]},
        {"op": "move", "by": [40, 30]}]})");
    ASSERT_TRUE(read.recipe) << read.problem.toStdString();
    const RunSettings settings{QStringLiteral("DejaVu Sans")};

    std::optional<imaging::PhotoBuffer> exports[2];
    for (const bool shown : {true, false}) {
        TempFolder folder;
        ShownDocument shownListener;
        workspace::UnwatchedDocument unwatchedListener;
        workspace::WorkspaceDocument document(folder.path(),
                                              shown ? static_cast<workspace::DocumentListener&>(shownListener)
                                                    : unwatchedListener,
                                              QSize(1280, 800));
        imaging::PhotoBuffer photo;
        photo.width = 1600;
        photo.height = 1200;
        photo.bgr.assign(1600u * 1200u * 3u, 120);
        document.setLoadedPicture(std::move(photo), false, 0, QStringLiteral("photo.jpg"));
        document.keepLoadedPhoto();
        ASSERT_TRUE(runSteps(*read.recipe, settings, document));
        exports[shown ? 0 : 1] = document.flattenForExport(true);
        ASSERT_TRUE(exports[shown ? 0 : 1]);
    }
    EXPECT_EQ(exports[0]->width, exports[1]->width);
    EXPECT_TRUE(exports[0]->bgr == exports[1]->bgr);
}

TEST_F(RecipeSteps, RestyleChangesTheSelectedTextsStyleAndColoursOnly) {
    load(400, 300);
    EXPECT_EQ(run(R"({"op": "restyle", "style": 2})").reason, "step 1 (restyle): no text is selected");
    ASSERT_TRUE(run(R"({"op": "text", "text": "A", "face": "DejaVu Sans", "height": 50, "transparency": 0.5,
                        "at": [10, 10]},
                      {"op": "text", "text": "B", "at": [200, 10]}, {"op": "select", "at": [12, 15]})"));
    const int steps = document.history().stepCount();

    // A style alone brings its own colours, as choosing it in the panel does.
    ASSERT_TRUE(run(R"({"op": "restyle", "style": 4})"));
    EXPECT_EQ(textAt(0).style, 4);
    EXPECT_EQ(textAt(0).colour, text::kStyleSampleColours[4].first);
    EXPECT_EQ(textAt(0).secondColour, text::kStyleSampleColours[4].second);
    EXPECT_EQ(text::faceName(textAt(0).font), "DejaVu Sans");
    EXPECT_EQ(textAt(0).font.height, 50);
    EXPECT_EQ(textAt(0).transparency, 0.5f);
    EXPECT_EQ(textAt(1).style, 0); // not selected
    EXPECT_EQ(document.history().stepCount(), steps + 1);

    // A colour alone keeps the style and the other colour.
    ASSERT_TRUE(run(R"({"op": "restyle", "colour2": "#102030"})"));
    EXPECT_EQ(textAt(0).style, 4);
    EXPECT_EQ(textAt(0).colour, text::kStyleSampleColours[4].first);
    EXPECT_EQ(textAt(0).secondColour, text::rgb(0x10, 0x20, 0x30));
    ASSERT_TRUE(run(R"({"op": "undo"})"));
    EXPECT_EQ(textAt(0).secondColour, text::kStyleSampleColours[4].second);

    EXPECT_EQ(run(R"({"op": "restyle"})").reason, "step 1 (restyle): restyle names no style and no colour");
}
