#pragma once
// The history of edits. Each step keeps a copy of the object list after the edit; an image step also
// put the photo into the undo file. Photos are never kept in memory per step, except by a history told to
// keep them there (`keepPhotosInMemory`). Beside the steps the history keeps, in memory only, the image
// operations that made each photo, so that the edits up to the current step can be made again on the
// original picture (`operations`).

#include "imaging/photo_buffer.h"
#include "workspace/image_operation.h"
#include "workspace/object_list.h"
#include "workspace/undo/undo_file.h"

#include <memory>
#include <optional>
#include <vector>

namespace workspace {

struct UndoStep {
    ObjectList objects;
    bool imageStep = false;
    int imageNumber = -1; // the record counter when the step was made
    // What changed the photo at this step; more than one when an older image step was dropped to make
    // room, its operation carried into the next image step.
    std::vector<ImageOperation> operations;
};

// What the document must do after the history moved one step.
struct HistoryMove {
    enum class Photo { Unchanged, BackToLoaded, FromRecord };
    Photo photo = Photo::Unchanged;
    std::optional<UndoImageRecord> record; // with FromRecord, when the record could be read
    const ObjectList* objects = nullptr;   // the objects to restore; none before the first step
};

// How recording a step went.
enum class RecordOutcome {
    Recorded,
    // The undo file could not be written (full disk, folder gone): rather than let its records and the
    // steps disagree, the history now starts at the current state. The caller keeps its current photo as
    // the one to return to; nothing before this state can be undone any more.
    Restarted,
};

class UndoHistory {
public:
    static constexpr int kMaxImageRecords = UndoFile::kMaxRecords;

    explicit UndoHistory(QString undoFilePath, std::shared_ptr<UndoFileWriter> writer = {});

    // From now on the photos of image steps are kept in memory instead of the undo file, which is neither
    // written nor removed, and each is encoded as the file would hold it only when it is first read: a
    // run that shows nothing and never undoes pays for no encoding it does not use. At most
    // kUnencodedPhotos of them are held unencoded; older ones are encoded then, which holds far less.
    void keepPhotosInMemory();
    static constexpr int kUnencodedPhotos = 4;

    // Forgets every step and deletes the undo file (or the photos held in memory).
    void clear();

    // Every write of the undo file is checked: the image record counter moves only with a record that
    // was written, and a failure restarts the history (see RecordOutcome) instead of leaving the steps
    // pointing at the wrong records.
    RecordOutcome recordObjectStep(const ObjectList& objects);
    // Appends the photo to the undo file and records an image step, made by `operation` when one is
    // given. When the photo could not be made (`photo` empty), an object step is recorded instead (still
    // with the operation: the photo did change).
    RecordOutcome recordImageStep(const ObjectList& objects, const std::optional<UndoImageRecord>& photo,
                                  std::optional<ImageOperation> operation = std::nullopt);
    // The same for the photo itself: encoded at once for the undo file, or kept in memory.
    RecordOutcome recordImageStep(const ObjectList& objects, const imaging::PhotoBuffer& photo,
                                  std::optional<ImageOperation> operation = std::nullopt);
    // Image record `number` as the undo file keeps it; nothing when it is not there or cannot be made.
    std::optional<UndoImageRecord> readPhoto(int number);

    // The image operations, in order, that made the photo of the current step from the loaded one. A
    // restarted history keeps those made before it started again.
    std::vector<ImageOperation> operations() const;

    bool canUndo() const { return position_ >= 0; }
    bool canRedo() const { return position_ < static_cast<int>(steps_.size()) - 1; }
    // An object step right after an image step comes from one edit that flattened first: one command
    // undoes (or redoes) both.
    bool undoTakesTwoSteps() const;
    bool redoTakesTwoSteps() const;

    // An edit that records no step of its own (a colour slider moved again) keeps the current step up to
    // date, so that redo brings back what undo took away: the first record of the record's kind in that
    // step becomes a copy of it.
    void refreshCurrentStep(const ObjectRecord& record);

    // The current step takes these objects instead of its own: a gesture that goes on changing them
    // keeps one step up to date.
    void replaceCurrentObjects(const ObjectList& objects);

    std::optional<HistoryMove> undoOneStep();
    std::optional<HistoryMove> redoOneStep();

    int position() const { return position_; }
    int stepCount() const { return static_cast<int>(steps_.size()); }
    int imageCounter() const { return counter_; }
    const UndoStep& step(int index) const { return steps_[static_cast<std::size_t>(index)]; }
    const UndoFile& file() const { return file_; }

private:
    // A photo kept in memory: as it was recorded until it is first read, then as its record.
    struct HeldPhoto {
        imaging::PhotoBuffer photo;
        std::optional<UndoImageRecord> record;
    };
    // Records an image step whose photo `store` puts away; false from it restarts the history.
    template <typename Store>
    RecordOutcome recordStoredImage(const ObjectList& objects, Store store,
                                    std::optional<ImageOperation> operation);
    RecordOutcome recordUnmadeImage(const ObjectList& objects, std::optional<ImageOperation> operation);
    bool dropRedoSteps();
    bool dropSecondImageStepWhenFull();
    // The history starts again at the state whose objects are given; the undo file goes. `operation`,
    // the edit being recorded, if any, joins those that made the new starting photo.
    RecordOutcome restart(const ObjectList& objects, std::optional<ImageOperation> operation = std::nullopt);

    UndoFile file_;
    std::optional<std::vector<HeldPhoto>> held_; // the records, when kept in memory
    std::vector<UndoStep> steps_;
    ObjectList startObjects_;                     // the objects of the state before the first step
    std::vector<ImageOperation> startOperations_; // what made the photo of that state
    // Operations of a dropped image step that no later image step could take yet.
    std::vector<ImageOperation> carried_;
    int position_ = -1;
    int counter_ = -1;
};

} // namespace workspace
