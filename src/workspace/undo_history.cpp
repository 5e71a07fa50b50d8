#include "workspace/undo_history.h"

#include <algorithm>

namespace workspace {

UndoHistory::UndoHistory(QString undoFilePath) : file_(std::move(undoFilePath)) {}

void UndoHistory::clear() {
    steps_.clear();
    position_ = -1;
    counter_ = -1;
    file_.remove();
}

void UndoHistory::recordObjectStep(const ObjectList& objects) {
    dropRedoSteps();
    steps_.push_back({objects, false, counter_});
    ++position_;
}

void UndoHistory::recordImageStep(const ObjectList& objects, const std::optional<UndoImageRecord>& photo) {
    if (!photo) {
        recordObjectStep(objects);
        return;
    }
    // Redo steps go first, so the step dropped to make room always lies before the position.
    dropRedoSteps();
    dropSecondImageStepWhenFull();
    if (!file_.append(*photo)) {
        // Remove a partial record so the file keeps exactly counter + 1 records.
        file_.keepFirst(counter_);
        recordObjectStep(objects);
        return;
    }
    steps_.push_back({objects, true, counter_});
    ++counter_;
    ++position_;
}

void UndoHistory::dropSecondImageStepWhenFull() {
    const auto imageSteps =
        std::count_if(steps_.begin(), steps_.end(), [](const UndoStep& s) { return s.imageStep; });
    if (imageSteps < kMaxImageRecords)
        return;
    // The first image record is never dropped: it is the oldest photo the history can return to.
    auto second = std::find_if(steps_.begin(), steps_.end(), [](const UndoStep& s) { return s.imageStep; });
    second = std::find_if(second + 1, steps_.end(), [](const UndoStep& s) { return s.imageStep; });
    file_.drop(1);
    steps_.erase(second);
    --counter_;
    --position_;
}

void UndoHistory::dropRedoSteps() {
    if (position_ + 1 >= static_cast<int>(steps_.size()))
        return;
    steps_.erase(steps_.begin() + (position_ + 1), steps_.end());
    if (counter_ >= -1)
        file_.keepFirst(counter_);
}

bool UndoHistory::undoTakesTwoSteps() const {
    return position_ > 0 && !steps_[static_cast<std::size_t>(position_)].imageStep &&
           steps_[static_cast<std::size_t>(position_ - 1)].imageStep;
}

bool UndoHistory::redoTakesTwoSteps() const {
    return position_ < static_cast<int>(steps_.size()) - 2 &&
           steps_[static_cast<std::size_t>(position_ + 1)].imageStep &&
           !steps_[static_cast<std::size_t>(position_ + 2)].imageStep;
}

std::optional<HistoryMove> UndoHistory::undoOneStep() {
    if (position_ < 0)
        return std::nullopt;
    const UndoStep& undone = steps_[static_cast<std::size_t>(position_)];
    --position_;
    HistoryMove move;
    if (undone.imageStep) {
        --counter_;
        if (counter_ < 0) {
            move.photo = HistoryMove::Photo::BackToLoaded;
        } else {
            move.photo = HistoryMove::Photo::FromRecord;
            move.record = file_.read(counter_);
        }
    }
    if (position_ >= 0)
        move.objects = &steps_[static_cast<std::size_t>(position_)].objects;
    return move;
}

std::optional<HistoryMove> UndoHistory::redoOneStep() {
    if (!canRedo())
        return std::nullopt;
    ++position_;
    const UndoStep& redone = steps_[static_cast<std::size_t>(position_)];
    HistoryMove move;
    move.objects = &redone.objects;
    if (redone.imageStep) {
        ++counter_;
        if (counter_ >= 0 && counter_ < kMaxImageRecords) {
            move.photo = HistoryMove::Photo::FromRecord;
            move.record = file_.read(counter_);
        }
    }
    return move;
}

} // namespace workspace
