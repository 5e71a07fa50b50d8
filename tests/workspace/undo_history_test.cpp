#include "support/temp_folder.h"
#include "workspace/undo_history.h"

#include <gtest/gtest.h>

using namespace workspace;
using testing_support::TempFolder;

namespace {

ObjectList listWithClipart(int resourceIndex) {
    ObjectList list;
    ClipartObject clipart;
    clipart.resourceIndex = resourceIndex;
    list.append(clipart);
    return list;
}

UndoImageRecord photo(int number) {
    return {8, 8, QByteArray("photo ") + QByteArray::number(number)};
}

struct History : ::testing::Test {
    TempFolder folder;
    UndoHistory history{folder.file("Undo_Temp_Data")};
};

} // namespace

TEST_F(History, FlattenThenPlaceIsUndoneAndRedoneAsOnePair) {
    history.recordImageStep({}, photo(0));        // flattening before the first clipart
    history.recordObjectStep(listWithClipart(7)); // the clipart itself
    EXPECT_TRUE(history.undoTakesTwoSteps());
    auto first = history.undoOneStep();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->photo, HistoryMove::Photo::Unchanged);
    ASSERT_TRUE(first->objects);
    EXPECT_TRUE(first->objects->empty());
    auto second = history.undoOneStep();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->photo, HistoryMove::Photo::BackToLoaded);
    EXPECT_EQ(second->objects, nullptr);
    EXPECT_FALSE(history.canUndo());

    EXPECT_TRUE(history.redoTakesTwoSteps());
    auto redoImage = history.redoOneStep();
    ASSERT_TRUE(redoImage && redoImage->record);
    EXPECT_EQ(redoImage->record->jpeg, "photo 0");
    auto redoClipart = history.redoOneStep();
    ASSERT_TRUE(redoClipart && redoClipart->objects);
    EXPECT_EQ(redoClipart->objects->get<ClipartObject>(0)->resourceIndex, 7);
    EXPECT_FALSE(history.canRedo());
}

TEST_F(History, ThirtyOneImageStepsDropTheSecondNeverTheFirst) {
    for (int i = 0; i < 31; ++i)
        history.recordImageStep({}, photo(i));
    EXPECT_EQ(history.stepCount(), 30);
    EXPECT_EQ(history.imageCounter(), 29);
    EXPECT_EQ(history.file().count(), 30);
    // Walking back: the oldest reachable photo is the first edit's, the second edit's is gone.
    std::vector<QByteArray> seen;
    while (history.canUndo()) {
        auto move = history.undoOneStep();
        if (move->record)
            seen.push_back(move->record->jpeg);
    }
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), "photo 0");
    EXPECT_EQ(std::count(seen.begin(), seen.end(), QByteArray("photo 1")), 0);
    EXPECT_EQ(seen.front(), "photo 29");
}

TEST_F(History, NewEditAfterUndoDiscardsRedoStepsAndTheirRecords) {
    history.recordImageStep({}, photo(0));
    history.recordImageStep({}, photo(1));
    history.recordImageStep({}, photo(2));
    history.undoOneStep();
    history.undoOneStep();
    EXPECT_EQ(history.imageCounter(), 0);
    history.recordObjectStep(listWithClipart(1));
    EXPECT_EQ(history.stepCount(), 2);
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.file().count(), 1);
    history.recordImageStep({}, photo(3));
    EXPECT_EQ(history.file().read(1)->jpeg, "photo 3");
}

TEST_F(History, PhotoThatCannotBeMadeRecordsAnObjectStepInstead) {
    history.recordImageStep({}, photo(0));
    history.recordImageStep(listWithClipart(2), std::nullopt);
    EXPECT_EQ(history.stepCount(), 2);
    EXPECT_FALSE(history.step(1).imageStep);
    EXPECT_EQ(history.imageCounter(), 0);
    EXPECT_EQ(history.file().count(), 1); // counter and file agree
}

TEST_F(History, ClearDeletesTheFileAndForgetsEverything) {
    history.recordImageStep({}, photo(0));
    history.clear();
    EXPECT_EQ(history.position(), -1);
    EXPECT_EQ(history.imageCounter(), -1);
    EXPECT_FALSE(QFile::exists(folder.file("Undo_Temp_Data")));
    EXPECT_FALSE(history.undoOneStep());
    EXPECT_FALSE(history.redoOneStep());
}
