#pragma once
// The history of edits. Each step keeps a copy of the object list after the edit; an image step also
// put the photo into the undo file. Photos are never kept in memory per step.

#include "workspace/object_list.h"
#include "workspace/undo_file.h"

#include <optional>
#include <vector>

namespace workspace {

struct UndoStep {
    ObjectList objects;
    bool imageStep = false;
    int imageNumber = -1; // the record counter when the step was made
};

// What the document must do after the history moved one step.
struct HistoryMove {
    enum class Photo { Unchanged, BackToLoaded, FromRecord };
    Photo photo = Photo::Unchanged;
    std::optional<UndoImageRecord> record; // with FromRecord, when the record could be read
    const ObjectList* objects = nullptr;   // the objects to restore; none before the first step
};

class UndoHistory {
public:
    static constexpr int kMaxImageRecords = UndoFile::kMaxRecords;

    explicit UndoHistory(QString undoFilePath);

    // Forgets every step and deletes the undo file.
    void clear();

    void recordObjectStep(const ObjectList& objects);
    // Appends the photo to the undo file and records an image step. When the photo could not be made
    // (`photo` empty) or not be stored, an object step is recorded instead, so the step count and the
    // file's records never disagree.
    void recordImageStep(const ObjectList& objects, const std::optional<UndoImageRecord>& photo);

    bool canUndo() const { return position_ >= 0; }
    bool canRedo() const { return position_ < static_cast<int>(steps_.size()) - 1; }
    // An object step right after an image step comes from one edit that flattened first: one command
    // undoes (or redoes) both.
    bool undoTakesTwoSteps() const;
    bool redoTakesTwoSteps() const;

    std::optional<HistoryMove> undoOneStep();
    std::optional<HistoryMove> redoOneStep();

    int position() const { return position_; }
    int stepCount() const { return static_cast<int>(steps_.size()); }
    int imageCounter() const { return counter_; }
    const UndoStep& step(int index) const { return steps_[static_cast<std::size_t>(index)]; }
    const UndoFile& file() const { return file_; }

private:
    void dropRedoSteps();
    void dropSecondImageStepWhenFull();

    UndoFile file_;
    std::vector<UndoStep> steps_;
    int position_ = -1;
    int counter_ = -1;
};

} // namespace workspace
