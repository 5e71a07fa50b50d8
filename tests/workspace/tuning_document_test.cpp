// The colour adjustment entry and the effect filters as document operations.
#include "imaging/colour/colour_transform.h"
#include "imaging/filters/image_commands.h"
#include "imaging/image_holder.h"
#include "recorded_document.h"
#include "support/drawn_photo.h"
#include "support/temp_folder.h"
#include "workspace/adjusted_view.h"
#include "workspace/document.h"

#include <gtest/gtest.h>

using namespace workspace;
using testing_support::TempFolder;
using testing_support::flatPhoto;

namespace {

// A ramp, sharp steps and grain, so every filter has something to change.
imaging::PhotoBuffer patternPhoto(int width, int height) {
    return testing_support::drawnPhoto(width, height, [=](int x, int y) {
        // a ramp, a chequer, and grain for the median
        return std::array{x * 255 / width, (x / 16 + y / 16) % 2 ? 200 : 40, (x * 37 + y * 91) % 256};
    });
}

// What the image library makes of the photo for this code, with the random filters seeded.
imaging::PhotoBuffer filteredByLibrary(const imaging::PhotoBuffer& photo, int code) {
    imaging::ImageHolder holder;
    EXPECT_TRUE(holder.FromBuffer(photo.bgr.data(), photo.width, photo.height));
    holder.Image()->SetRandomSeed(11);
    imaging::RunImageCommand(*holder.Image(), code);
    imaging::PhotoBuffer result = photo;
    for (int row = 0; row < photo.height; ++row)
        std::copy_n(holder.Image()->GetBits(row), photo.stride(), result.row(row));
    return result;
}

void seededRun(imaging::Picture& picture, const std::function<void()>& work) {
    picture.SetRandomSeed(11);
    work();
}

const ColourAdjustment kWarm = imaging::colourAdjustmentFromPositions({150, 110, 160, 20000, 130, 21000});
const ColourAdjustment kCold = imaging::colourAdjustmentFromPositions({80, 95, 60, 9000, 90, 5000});

struct Tuning : ::testing::Test, RecordedDocument {
    void placeText() {
        document->SetTool(ToolText);
        text::TextObject& style = document->textTemplate();
        style.font = text::makeLogFont(u"DejaVu Sans", 60);
        style.colour = text::rgb(255, 0, 0);
        style.secondColour = text::rgb(255, 0, 0);
        text::setText(style, u"Tuned");
        document->PlaceText(60, 60);
        document->SetTool(ToolTuning);
    }

    int adjustmentEntries() const {
        const auto& kinds = document->objects().kinds();
        return static_cast<int>(std::count(kinds.begin(), kinds.end(), static_cast<int>(ColourAdjust)));
    }
    const ColourAdjustment* entry() const {
        for (int i = 0; i < document->objects().size(); ++i)
            if (const auto* values = document->objects().get<ColourAdjustment>(i))
                return values;
        return nullptr;
    }
    QRgb screenPixel(int x, int y) const { return document->backBuffer().pixel(x, y); }
};

} // namespace

TEST_F(Tuning, TheFirstMovementFlattensAndRecordsLaterOnesOnlyReplaceTheEntry) {
    load(patternPhoto(400, 300));
    placeText();
    const int steps = document->history().stepCount();

    document->SetColourAdjustment(kWarm);
    EXPECT_EQ(document->history().stepCount(), steps + 2); // the flattening image step and the entry
    EXPECT_TRUE(document->history().step(steps).imageStep);
    ASSERT_EQ(document->objects().size(), 1); // the text became pixels
    EXPECT_EQ(adjustmentEntries(), 1);

    document->SetColourAdjustment(kCold);
    EXPECT_EQ(document->history().stepCount(), steps + 2);
    EXPECT_EQ(adjustmentEntries(), 1);
    EXPECT_EQ(*entry(), kCold);
    EXPECT_TRUE(document->modified());
}

TEST_F(Tuning, UndoTakesTheAdjustmentAwayAndRedoBringsBackTheLatestValues) {
    load(flatPhoto(400, 300, 30, 120, 210));
    const QRgb plain = screenPixel(410, 310);
    document->SetColourAdjustment(kWarm);
    document->SetColourAdjustment(kCold);
    const QRgb adjusted = screenPixel(410, 310);
    EXPECT_NE(adjusted, plain);

    document->undo();
    EXPECT_EQ(adjustmentEntries(), 0);
    EXPECT_EQ(document->photo().bgr, document->loadedPhoto().bgr);
    EXPECT_EQ(screenPixel(410, 310), plain);
    EXPECT_FALSE(document->canUndo());

    document->redo(); // the photo comes back from the undo file, as a JPEG copy
    ASSERT_NE(entry(), nullptr);
    EXPECT_EQ(*entry(), kCold);
    const imaging::PhotoBuffer expected = adjustedPhoto(document->photo(), kCold);
    const std::uint8_t* centre = expected.row(150) + 200 * 3;
    EXPECT_EQ(screenPixel(410, 310), qRgb(centre[2], centre[1], centre[0]));
    EXPECT_EQ(listener.panels.back(), ColourAdjust);
}

TEST_F(Tuning, TheScreenShowsAndExportWritesTheAdjustedPixels) {
    load(flatPhoto(400, 300, 30, 120, 210));
    document->SetColourAdjustment(kWarm);
    const imaging::PhotoBuffer expected = adjustedPhoto(document->photo(), kWarm);
    ASSERT_NE(expected.bgr, document->photo().bgr);

    const QColor shown = QColor::fromRgb(screenPixel(410, 310));
    EXPECT_EQ(shown.blue(), expected.bgr[0]);
    EXPECT_EQ(shown.green(), expected.bgr[1]);
    EXPECT_EQ(shown.red(), expected.bgr[2]);

    const auto exported = document->flattenForExport(false);
    ASSERT_TRUE(exported);
    EXPECT_EQ(exported->bgr, expected.bgr);
    EXPECT_EQ(adjustmentEntries(), 0); // export flattened the adjustment into the photo
}

TEST_F(Tuning, EachFilterChangesThePhotoAsTheLibraryDoesInOneUndoStep) {
    const int codes[] = {imaging::kCommandSoften,    imaging::kCommandSharpen, imaging::kCommandLinearEdge,
                         imaging::kCommandEmboss,    imaging::kCommandBlur,    imaging::kCommandGaussian3,
                         imaging::kCommandGaussian5, imaging::kCommandErode,   imaging::kCommandDilate,
                         imaging::kCommandNoise,     imaging::kCommandEdge,    imaging::kCommandJitter,
                         imaging::kCommandMedian,    imaging::kCommandContour};
    load(patternPhoto(160, 120));
    const imaging::PhotoBuffer original = document->photo();
    for (const int code : codes) {
        SCOPED_TRACE(code);
        ASSERT_TRUE(document->ApplyImageCommand(code, seededRun));
        const imaging::PhotoBuffer expected = filteredByLibrary(original, code);
        EXPECT_NE(expected.bgr, original.bgr);
        EXPECT_EQ(document->photo().bgr, expected.bgr);
        EXPECT_EQ(document->canvasWidth(), 160);
        EXPECT_EQ(document->canvasHeight(), 120);
        // The history starts empty each time: the previous filter was undone and its step dropped now.
        ASSERT_EQ(document->history().stepCount(), 1);
        EXPECT_TRUE(document->history().step(0).imageStep);
        EXPECT_EQ(listener.selections.back(), 0);
        document->undo();
        EXPECT_EQ(document->photo().bgr, original.bgr);
    }
}

TEST_F(Tuning, AFilterRunsOnThePhotoWithItsObjectsAndAdjustmentTurnedToPixels) {
    load(patternPhoto(400, 300));
    placeText();
    document->SetColourAdjustment(kWarm);
    const imaging::PhotoBuffer adjusted = adjustedPhoto(document->photo(), kWarm);
    ASSERT_TRUE(document->ApplyImageCommand(imaging::kCommandBlur));
    EXPECT_TRUE(document->objects().empty());
    EXPECT_EQ(document->photo().bgr, filteredByLibrary(adjusted, imaging::kCommandBlur).bgr);
}

TEST_F(Tuning, AStoppedFilterLeavesTheDocumentAsItWas) {
    load(patternPhoto(400, 300));
    placeText();
    const imaging::PhotoBuffer before = document->photo();
    const int steps = document->history().stepCount();
    const int undoStates = listener.undoStates;
    document->setModified(false);

    const bool applied = document->ApplyImageCommand(
        imaging::kCommandMedian, [](imaging::Picture& picture, const std::function<void()>& work) {
            picture.SetEscape(1); // Escape pressed at once
            work();
        });
    EXPECT_FALSE(applied);
    EXPECT_EQ(document->photo().bgr, before.bgr);
    EXPECT_EQ(document->objects().size(), 1); // the text is still an object, not pixels
    EXPECT_EQ(document->history().stepCount(), steps);
    EXPECT_EQ(listener.undoStates, undoStates);
    EXPECT_FALSE(document->modified());
}
