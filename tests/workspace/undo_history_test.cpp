#include "support/temp_folder.h"
#include "workspace/undo/undo_history.h"

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

namespace {

// Lets every write through but the n-th (counting from 0), which fails; a failing append first writes
// half of its bytes, as a disk that fills up does.
struct FailingWriter : UndoFileWriter {
    explicit FailingWriter(int failAt) : failAt(failAt) {}
    bool append(const QString& path, const QByteArray& bytes) override {
        if (calls++ != failAt)
            return UndoFileWriter::append(path, bytes);
        UndoFileWriter::append(path, bytes.left(bytes.size() / 2));
        return false;
    }
    bool truncate(const QString& path, qint64 size) override {
        return calls++ != failAt && UndoFileWriter::truncate(path, size);
    }
    bool rename(const QString& from, const QString& to) override {
        return calls++ != failAt && UndoFileWriter::rename(from, to);
    }
    int failAt;
    int calls = 0;
};

int imageStepsOf(const UndoHistory& history) {
    int count = 0;
    for (int i = 0; i < history.stepCount(); ++i)
        count += history.step(i).imageStep ? 1 : 0;
    return count;
}

int labelOf(const UndoImageRecord& record) {
    return record.jpeg.mid(6).toInt(); // "photo n"
}

} // namespace

TEST(HistoryWrites, EveryFailedWriteKeepsTheCounterTheFileAndThePhotosInAgreement) {
    // A run without failures makes this many writes; each run below fails one of them.
    int writes = 0;
    for (int failAt = -1; failAt < writes; ++failAt) {
        SCOPED_TRACE(failAt);
        TempFolder folder;
        auto writer = std::make_shared<FailingWriter>(failAt);
        UndoHistory history(folder.file("Undo_Temp_Data"), writer);
        int label = 0;
        int restarts = 0;
        auto check = [&](RecordOutcome outcome) {
            restarts += outcome == RecordOutcome::Restarted ? 1 : 0;
            if (outcome == RecordOutcome::Restarted) {
                EXPECT_EQ(history.stepCount(), 0);
            }
            EXPECT_EQ(history.file().count(), imageStepsOf(history));
            EXPECT_FALSE(QFile::exists(folder.file("Undo_Temp_DataUpdate")));
        };
        // 31 photos (the last drops the second record), undo three, then edits that drop the redo steps.
        for (int i = 0; i < 31; ++i)
            check(history.recordImageStep({}, photo(label++)));
        for (int i = 0; i < 3; ++i)
            history.undoOneStep();
        check(history.recordObjectStep(listWithClipart(1)));
        check(history.recordImageStep({}, photo(label++)));
        history.undoOneStep();
        history.undoOneStep();
        history.redoOneStep();
        check(history.recordImageStep({}, photo(label++)));
        if (failAt == -1)
            writes = writer->calls;
        EXPECT_EQ(restarts, failAt == -1 ? 0 : 1);

        // Every photo the history walks through is a record it wrote, in the order it wrote them.
        while (history.canUndo())
            history.undoOneStep();
        int previous = -1;
        int photos = 0;
        while (history.canRedo()) {
            const auto move = history.redoOneStep();
            ASSERT_TRUE(move);
            if (move->photo != HistoryMove::Photo::FromRecord)
                continue;
            ASSERT_TRUE(move->record);
            EXPECT_GT(labelOf(*move->record), previous);
            previous = labelOf(*move->record);
            ++photos;
        }
        EXPECT_EQ(photos, imageStepsOf(history));
    }
    EXPECT_GT(writes, 60);
}

TEST(HistoryWrites, RestartedHistoryComesBackToTheStateItRestartedAt) {
    TempFolder folder;
    auto writer = std::make_shared<FailingWriter>(2);
    UndoHistory history(folder.file("Undo_Temp_Data"), writer);
    EXPECT_EQ(history.recordImageStep({}, photo(0)), RecordOutcome::Recorded);
    EXPECT_EQ(history.recordObjectStep(listWithClipart(4)), RecordOutcome::Recorded);
    EXPECT_EQ(history.recordImageStep(listWithClipart(5), photo(1)), RecordOutcome::Recorded);
    // The third write fails: the history starts again at the state of this edit.
    EXPECT_EQ(history.recordImageStep(listWithClipart(6), photo(2)), RecordOutcome::Restarted);
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(QFile::exists(folder.file("Undo_Temp_Data")));
    EXPECT_EQ(history.recordObjectStep(listWithClipart(7)), RecordOutcome::Recorded);
    const auto back = history.undoOneStep();
    ASSERT_TRUE(back && back->objects);
    EXPECT_EQ(back->photo, HistoryMove::Photo::Unchanged);
    EXPECT_EQ(back->objects->get<ClipartObject>(0)->resourceIndex, 6);
}

namespace {

// An 8 × 8 photo of one shade, unlike that of any other label.
imaging::PhotoBuffer shadedPhoto(int label) {
    imaging::PhotoBuffer photo;
    photo.width = 8;
    photo.height = 8;
    photo.bgr.assign(8u * 8u * 3u, static_cast<std::uint8_t>(label * 7));
    return photo;
}

} // namespace

// The same edits on a history in the file and one in memory: every photo read back, on the way and while
// undoing and redoing, is the same record, past the unencoded photos held and the 30-record limit; and the
// one in memory writes nothing.
TEST(HistoryInMemory, GivesTheFilesRecordsAndWritesNoFile) {
    TempFolder folder;
    UndoHistory file(folder.file("Undo_Temp_Data"));
    UndoHistory memory(folder.file("Memory_Undo_Temp_Data"));
    memory.keepPhotosInMemory();
    auto both = [&](auto edit) {
        edit(file);
        edit(memory);
        ASSERT_EQ(file.imageCounter(), memory.imageCounter());
        ASSERT_EQ(file.readPhoto(file.imageCounter()).value_or(UndoImageRecord{}).jpeg,
                  memory.readPhoto(memory.imageCounter()).value_or(UndoImageRecord{}).jpeg);
    };
    auto image = [](int label) {
        return [label](UndoHistory& h) { h.recordImageStep({}, shadedPhoto(label)); };
    };
    auto undo = [](UndoHistory& h) { h.undoOneStep(); };
    for (int label = 0; label < 33; ++label)
        both(image(label));
    both([](UndoHistory& h) { h.recordObjectStep(listWithClipart(1)); });
    for (int i = 0; i < 4; ++i)
        both(undo);
    both(image(40));
    both(image(41));
    both(undo);
    both([](UndoHistory& h) { h.recordImageStep({}, imaging::PhotoBuffer{}); }); // none could be made

    while (file.canUndo())
        both(undo);
    int photos = 0;
    while (file.canRedo()) {
        const auto fromFile = file.redoOneStep();
        const auto fromMemory = memory.redoOneStep();
        ASSERT_TRUE(fromFile && fromMemory);
        ASSERT_EQ(fromFile->photo, fromMemory->photo);
        ASSERT_EQ(fromFile->record.has_value(), fromMemory->record.has_value());
        if (fromFile->record) {
            EXPECT_EQ(fromFile->record->jpeg, fromMemory->record->jpeg);
            ++photos;
        }
    }
    EXPECT_EQ(photos, file.file().count());
    EXPECT_GT(photos, UndoHistory::kUnencodedPhotos);
    EXPECT_FALSE(memory.canRedo());
    memory.clear();
    EXPECT_TRUE(QDir(folder.path()).entryList({QStringLiteral("Memory*")}, QDir::Files).isEmpty());
}
