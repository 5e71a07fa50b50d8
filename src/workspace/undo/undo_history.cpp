#include "workspace/undo/undo_history.h"

#include "workspace/undo/undo_image.h"

#include <algorithm>

namespace workspace {

UndoHistory::UndoHistory(QString undoFilePath, std::shared_ptr<UndoFileWriter> writer)
    : file_(std::move(undoFilePath), std::move(writer)) {}

void UndoHistory::keepPhotosInMemory() {
    held_.emplace();
    clear();
}

void UndoHistory::clear() {
    steps_.clear();
    startObjects_ = {};
    startOperations_.clear();
    carried_.clear();
    position_ = -1;
    counter_ = -1;
    if (held_)
        held_->clear();
    else
        file_.remove();
}

RecordOutcome UndoHistory::restart(const ObjectList& objects, std::optional<ImageOperation> operation) {
    std::vector<ImageOperation> made = operations();
    if (operation)
        made.push_back(std::move(*operation));
    clear();
    startObjects_ = objects;
    startOperations_ = std::move(made);
    return RecordOutcome::Restarted;
}

std::vector<ImageOperation> UndoHistory::operations() const {
    std::vector<ImageOperation> made = startOperations_;
    for (int i = 0; i <= position_; ++i)
        for (const ImageOperation& operation : steps_[static_cast<std::size_t>(i)].operations)
            made.push_back(operation);
    // Carried operations belong to the photo as it stands whenever they exist: they are only ever
    // waiting for the image step being recorded.
    made.insert(made.end(), carried_.begin(), carried_.end());
    return made;
}

RecordOutcome UndoHistory::recordObjectStep(const ObjectList& objects) {
    if (!dropRedoSteps())
        return restart(objects);
    steps_.push_back({objects, false, counter_, {}});
    ++position_;
    return RecordOutcome::Recorded;
}

RecordOutcome UndoHistory::recordUnmadeImage(const ObjectList& objects,
                                             std::optional<ImageOperation> operation) {
    if (!dropRedoSteps())
        return restart(objects, std::move(operation));
    steps_.push_back({objects, false, counter_, {}});
    if (operation)
        steps_.back().operations.push_back(std::move(*operation));
    ++position_;
    return RecordOutcome::Recorded;
}

template <typename Store>
RecordOutcome UndoHistory::recordStoredImage(const ObjectList& objects, Store store,
                                             std::optional<ImageOperation> operation) {
    // Redo steps go first, so the step dropped to make room always lies before the position.
    if (!dropRedoSteps() || !dropSecondImageStepWhenFull() || !store())
        return restart(objects, std::move(operation));
    steps_.push_back({objects, true, counter_, std::move(carried_)});
    carried_.clear();
    if (operation)
        steps_.back().operations.push_back(std::move(*operation));
    ++counter_;
    ++position_;
    return RecordOutcome::Recorded;
}

RecordOutcome UndoHistory::recordImageStep(const ObjectList& objects,
                                           const std::optional<UndoImageRecord>& photo,
                                           std::optional<ImageOperation> operation) {
    if (!photo)
        return recordUnmadeImage(objects, std::move(operation));
    return recordStoredImage(
        objects, [&] { return file_.append(*photo); }, std::move(operation));
}

RecordOutcome UndoHistory::recordImageStep(const ObjectList& objects, const imaging::PhotoBuffer& photo,
                                           std::optional<ImageOperation> operation) {
    if (!held_)
        return recordImageStep(objects, encodeUndoImage(photo), std::move(operation));
    if (photo.empty())
        return recordUnmadeImage(objects, std::move(operation));
    const auto hold = [&] {
        held_->push_back({photo, std::nullopt});
        const auto unencoded = [](const HeldPhoto& held) { return !held.photo.empty(); };
        if (std::count_if(held_->begin(), held_->end(), unencoded) > kUnencodedPhotos)
            readPhoto(
                static_cast<int>(std::find_if(held_->begin(), held_->end(), unencoded) - held_->begin()));
        return true;
    };
    return recordStoredImage(objects, hold, std::move(operation));
}

std::optional<UndoImageRecord> UndoHistory::readPhoto(int number) {
    if (!held_)
        return file_.read(number);
    if (number < 0 || number >= static_cast<int>(held_->size()))
        return std::nullopt;
    HeldPhoto& held = (*held_)[static_cast<std::size_t>(number)];
    if (!held.photo.empty()) {
        held.record = encodeUndoImage(held.photo);
        held.photo = {};
    }
    return held.record;
}

bool UndoHistory::dropSecondImageStepWhenFull() {
    const auto imageSteps =
        std::count_if(steps_.begin(), steps_.end(), [](const UndoStep& s) { return s.imageStep; });
    if (imageSteps < kMaxImageRecords)
        return true;
    // The first image record is never dropped: it is the oldest photo the history can return to.
    auto second = std::find_if(steps_.begin(), steps_.end(), [](const UndoStep& s) { return s.imageStep; });
    second = std::find_if(second + 1, steps_.end(), [](const UndoStep& s) { return s.imageStep; });
    if (held_)
        held_->erase(held_->begin() + 1);
    else if (!file_.drop(1))
        return false;
    // Its photo is gone, but not what made it: the next image step, whose photo holds that edit too,
    // takes its operations (undoing to the steps between shows the photo before it, as do their
    // operations).
    auto next = std::find_if(second + 1, steps_.end(), [](const UndoStep& s) { return s.imageStep; });
    std::vector<ImageOperation>& taker = next != steps_.end() ? next->operations : carried_;
    taker.insert(taker.begin(), std::make_move_iterator(second->operations.begin()),
                 std::make_move_iterator(second->operations.end()));
    steps_.erase(second);
    --counter_;
    --position_;
    return true;
}

bool UndoHistory::dropRedoSteps() {
    if (position_ + 1 >= static_cast<int>(steps_.size()))
        return true;
    steps_.erase(steps_.begin() + (position_ + 1), steps_.end());
    if (held_) {
        held_->resize(static_cast<std::size_t>(counter_ + 1));
        return true;
    }
    return file_.keepFirst(counter_);
}

void UndoHistory::refreshCurrentStep(const ObjectRecord& record) {
    if (position_ < 0)
        return;
    ObjectList& objects = steps_[static_cast<std::size_t>(position_)].objects;
    const ObjectKind kind = kindOf(record);
    for (int i = 0; i < objects.size(); ++i) {
        if (objects.kind(i) == kind) {
            objects.at(i) = record;
            return;
        }
    }
}

void UndoHistory::replaceCurrentObjects(const ObjectList& objects) {
    if (position_ >= 0)
        steps_[static_cast<std::size_t>(position_)].objects = objects;
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
            move.record = readPhoto(counter_);
        }
    }
    if (position_ >= 0)
        move.objects = &steps_[static_cast<std::size_t>(position_)].objects;
    else if (!startObjects_.empty())
        move.objects = &startObjects_;
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
            move.record = readPhoto(counter_);
        }
    }
    return move;
}

} // namespace workspace
