#include "recorded_document.h"
#include "support/address_space_limit.h"
#include "support/drawn_photo.h"
#include "support/temp_folder.h"
#include "workspace/composer_painting.h"
#include "workspace/document.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace workspace;
using testing_support::AddressSpaceLimit;
using testing_support::TempFolder;

namespace {

// A photo whose pixels tell where they came from: blue = x / 8, green = y / 8, red = 77.
imaging::PhotoBuffer positionPhoto(int width, int height) {
    return testing_support::drawnPhoto(width, height, [=](int x, int y) {
        return std::array{x / 8, y / 8, 77};
    });
}

struct Document : ::testing::Test, RecordedDocument {
    void useTemplate(const QString& value, int height = 60) {
        text::TextObject& style = document->textTemplate();
        style.font = text::makeLogFont(u"DejaVu Sans", height);
        style.colour = text::rgb(255, 0, 0);
        style.secondColour = text::rgb(255, 0, 0);
        text::setText(style, value);
    }

    const text::TextObject* textAt(int index) const {
        return document->objects().get<text::TextObject>(index);
    }
    int imageSteps() const {
        int count = 0;
        for (int i = 0; i < document->history().stepCount(); ++i)
            count += document->history().step(i).imageStep ? 1 : 0;
        return count;
    }
};

} // namespace

TEST_F(Document, StartsAsAWhite800By600PhotoWithNothingToUndo) {
    EXPECT_EQ(document->canvasWidth(), 800);
    EXPECT_EQ(document->canvasHeight(), 600);
    EXPECT_TRUE(std::all_of(document->photo().bgr.begin(), document->photo().bgr.end(),
                            [](auto b) { return b == 0xFF; }));
    EXPECT_EQ(document->background().width, 800);
    EXPECT_FALSE(document->canUndo());
    EXPECT_FALSE(document->canRedo());
    EXPECT_EQ(document->tool(), ToolFrame);
    EXPECT_EQ(document->viewRect(), (Rect{10, 10, 810, 610})); // fits at 1:1, centred
    EXPECT_EQ(document->cropRect(), (Rect{110, 85, 710, 535}));
}

TEST_F(Document, AnUndoFileLeftByAnEarlierRunIsRemoved) {
    document.reset();
    ASSERT_TRUE(folder.write("Undo_Temp_Data", "left from a crash"));
    document = std::make_unique<WorkspaceDocument>(folder.path(), listener, QSize(820, 620));
    EXPECT_FALSE(QFile::exists(folder.file("Undo_Temp_Data")));
}

TEST_F(Document, FirstTextFlattensAndOneUndoReturnsToThePhotoAsLoaded) {
    load(positionPhoto(1600, 1200));
    const auto loaded = document->photo().bgr;
    document->SetTool(ToolText);
    useTemplate("Hello");
    document->PlaceText(100, 100);
    ASSERT_EQ(document->objects().size(), 1);
    EXPECT_EQ(imageSteps(), 1);
    EXPECT_EQ(document->history().stepCount(), 2);

    document->undo(); // the text and the flattening go together
    EXPECT_TRUE(document->objects().empty());
    EXPECT_EQ(document->photo().bgr, loaded); // byte for byte, not a JPEG copy
    EXPECT_FALSE(document->canUndo());

    document->redo();
    ASSERT_EQ(document->objects().size(), 1);
    EXPECT_EQ(text::textOf(*textAt(0)), "Hello");
    EXPECT_EQ(document->activeText(), 0);
    EXPECT_EQ(listener.panels.back(), Text);
    EXPECT_FALSE(document->canRedo());
}

TEST_F(Document, SecondTextDoesNotFlattenAndATextOverAnotherIsANewOne) {
    document->SetTool(ToolText);
    useTemplate("One");
    document->PlaceText(100, 100);
    useTemplate("Two");
    document->PlaceText(300, 300);
    EXPECT_EQ(document->objects().size(), 2);
    EXPECT_EQ(imageSteps(), 1);

    // Placing always adds: the words typed for it are not traded for those of the text already there.
    const int steps = document->history().stepCount();
    useTemplate("Three");
    document->PlaceText(102, 104); // inside the first text
    ASSERT_EQ(document->objects().size(), 3);
    EXPECT_EQ(document->history().stepCount(), steps + 1);
    EXPECT_EQ(document->activeText(), 2);
    EXPECT_EQ(text::textOf(*textAt(0)), "One");
    EXPECT_EQ(listener.editedTexts.back(), "Three");
}

TEST_F(Document, TypingAddsNoUndoStepButAStyleChangeDoes) {
    document->SetTool(ToolText);
    useTemplate("Typ");
    document->PlaceText(50, 50);
    const int steps = document->history().stepCount();
    useTemplate("Typing on");
    document->UpdateActiveText();
    EXPECT_EQ(text::textOf(*textAt(0)), "Typing on");
    EXPECT_EQ(document->history().stepCount(), steps);

    document->textTemplate().style = 3;
    document->ApplyTextStyle(text::TextStyle);
    EXPECT_EQ(textAt(0)->style, 3);
    EXPECT_EQ(document->history().stepCount(), steps + 1);
}

TEST_F(Document, TextToolOnlyAndPlacementSwitchesBrushPaintingOff) {
    useTemplate("x");
    document->PlaceText(50, 50);
    EXPECT_TRUE(document->objects().empty()); // not in the text tool
    document->SetTool(ToolText);
    document->brush().paintingEnabled = true;
    document->PlaceText(50, 50);
    EXPECT_FALSE(document->brush().paintingEnabled);
    EXPECT_EQ(listener.placements, 1);
    EXPECT_TRUE(document->modified());
}

TEST_F(Document, FlattenWithCropCutsThePhotoToTheCropRectangle) {
    load(positionPhoto(1600, 1200)); // shown at half size in (10, 10)-(810, 610)
    document->SetTool(ToolCrop);
    document->setCropRect({110, 60, 511, 360}); // 401 view pixels wide
    document->FlattenIntoPhoto(true);
    // Width 1600 × 401 / 800 = 802, rounded down to 800; height 1200 × 300 / 600.
    EXPECT_EQ(document->canvasWidth(), 800);
    EXPECT_EQ(document->canvasHeight(), 600);
    // First row (60 - 10) × 1200 / 600 = 100, first column (110 - 10) × 1600 / 800 = 200.
    const std::uint8_t* first = document->photo().row(0);
    EXPECT_EQ(first[0], 200 / 8);
    EXPECT_EQ(first[1], 100 / 8);
    EXPECT_EQ(document->photo().row(599)[1], (100 + 599) / 8);
    EXPECT_EQ(listener.selections.back(), 0);
    EXPECT_TRUE(document->canUndo());
}

TEST_F(Document, FlattenOutsideTheCropToolKeepsTheSize) {
    load(positionPhoto(1600, 1200));
    document->FlattenIntoPhoto(true);
    EXPECT_EQ(document->canvasWidth(), 1600);
    EXPECT_EQ(document->canvasHeight(), 1200);
}

TEST_F(Document, WholeImageIsTheClientSizeInCanvasPixels) {
    load(positionPhoto(1600, 1200)); // the view is half the canvas: twice the client size
    const auto whole = document->RenderWholeImage();
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->width, 1640);
    EXPECT_EQ(whole->height, 1240);
    // The photo sits in the middle, the white background around it.
    const std::uint8_t* centre = whole->row(620) + 820 * 3;
    EXPECT_EQ(centre[2], 77);
    EXPECT_EQ(whole->row(2)[2], 255);
}

TEST_F(Document, PhotoAreaIsTheCanvasWhateverTheWindow) {
    load(positionPhoto(1600, 1200));
    document->resizeClient(QSize(500, 300));
    document->RenderPhotoArea();
    EXPECT_EQ(document->canvasWidth(), 1600);
    EXPECT_EQ(document->canvasHeight(), 1200);
    EXPECT_EQ(document->photo().row(1199)[1], 1199 / 8);
}

TEST_F(Document, LoadingAnotherPictureEmptiesTheHistory) {
    document->SetTool(ToolText);
    useTemplate("t");
    document->PlaceText(50, 50);
    ASSERT_TRUE(document->canUndo());
    load(positionPhoto(400, 300));
    EXPECT_FALSE(document->canUndo());
    EXPECT_FALSE(document->canRedo());
    EXPECT_TRUE(document->objects().empty());
    EXPECT_FALSE(document->modified());
}

TEST_F(Document, EmptyTextIsMeasuredAsT) {
    const text::LogFont font = text::makeLogFont(u"DejaVu Sans", 40);
    const QSize empty = measureTextCell(font, "", 0);
    EXPECT_EQ(empty, measureTextCell(font, "T", 0));
    EXPECT_GT(empty.width(), 0);
    document->SetTool(ToolText);
    useTemplate("");
    document->PlaceText(40, 40);
    ASSERT_EQ(document->objects().size(), 1);
    EXPECT_GT(textAt(0)->right, textAt(0)->left);
    EXPECT_GT(textAt(0)->bottom, textAt(0)->top);
}

TEST_F(Document, HandlesLieJustOutsideTheRectangleCounterClockwise) {
    const auto handles = WorkspaceDocument::HandleRects({100, 100, 200, 150});
    EXPECT_EQ(handles[0], (Rect{92, 92, 100, 100}));
    EXPECT_EQ(handles[2], (Rect{92, 150, 100, 158}));
    EXPECT_EQ(handles[4], (Rect{200, 150, 208, 158}));
    EXPECT_EQ(handles[6], (Rect{200, 92, 208, 100}));
    EXPECT_EQ(handles[3], (Rect{146, 150, 154, 158}));
}

TEST_F(Document, FlattenThatCannotDrawItsCanvasChangesNothingAndSaysSo) {
    load(positionPhoto(3000, 2000)); // its canvas takes 24 MB
    document->SetTool(ToolText);
    useTemplate("Hi");
    document->PlaceText(100, 100);
    document->PlaceText(300, 300);
    ASSERT_EQ(document->objects().size(), 2);
    const std::vector<std::uint8_t> photo = document->photo().bgr;
    const int steps = document->history().stepCount();
    bool flattened = true;
    {
        const AddressSpaceLimit limit(std::size_t{8} << 20);
        flattened = document->FlattenIntoPhoto(false);
    }
    EXPECT_FALSE(flattened);
    EXPECT_EQ(document->objects().size(), 2);
    EXPECT_TRUE(document->photo().bgr == photo);
    EXPECT_EQ(document->history().stepCount(), steps);
    ASSERT_EQ(listener.problems.size(), 1u);
    EXPECT_EQ(listener.problems[0], DocumentProblem::RenderFailed);

    EXPECT_TRUE(document->FlattenIntoPhoto(false)); // with the memory back it works
    EXPECT_TRUE(document->objects().empty());
    EXPECT_EQ(document->history().stepCount(), steps + 1);
}

TEST_F(Document, UndoFileThatCannotBeWrittenRestartsTheHistoryAtTheCurrentPhoto) {
    load(positionPhoto(400, 300));
    document->SetTool(ToolText);
    useTemplate("A");
    document->PlaceText(50, 50); // flattens: the undo file gets its first record
    ASSERT_TRUE(document->canUndo());

    // The folder of the undo file goes: the next photo cannot be written.
    ASSERT_TRUE(QDir(folder.path()).removeRecursively());
    ASSERT_TRUE(document->FlattenIntoPhoto(false));
    ASSERT_EQ(listener.problems.size(), 1u);
    EXPECT_EQ(listener.problems[0], DocumentProblem::UndoHistoryRestarted);
    EXPECT_FALSE(document->canUndo());
    const std::vector<std::uint8_t> restartedAt = document->photo().bgr;

    // Once the folder is back, undoing every later edit returns to that photo, not to the one loaded.
    ASSERT_TRUE(QDir().mkpath(folder.path()));
    useTemplate("B");
    document->PlaceText(200, 200);
    ASSERT_TRUE(document->canUndo());
    while (document->canUndo())
        document->undo();
    EXPECT_TRUE(document->photo().bgr == restartedAt);
    EXPECT_TRUE(document->objects().empty());
    EXPECT_EQ(listener.problems.size(), 1u);
}
