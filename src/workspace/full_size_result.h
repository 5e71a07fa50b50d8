#pragma once
// What an export writes at the original picture's own size: the original read again and the edits of the
// record made on it in a document of its own, which keeps no history and writes nothing.

#include "imaging/photo_buffer.h"
#include "workspace/document.h"

#include <QString>
#include <atomic>
#include <mutex>
#include <optional>

namespace workspace {

// Originals beyond this many pixels are not made at full size.
inline constexpr std::int64_t kMaxOriginalPixels = 100'000'000;

struct FullSizeResult {
    enum class Problem {
        None,
        NoOriginal, // the photo was not opened from a picture file
        Vanished,   // the file is no longer there
        Changed,    // the file is not the one that was opened
        TooLarge,   // more than kMaxOriginalPixels
        Unreadable, // it can no longer be decoded
        NoMemory,   // the full-size pixels or their composition could not be had
        Stopped,    // given up on request
    };
    std::optional<imaging::PhotoBuffer> pixels;
    Problem problem = Problem::None;
    QString detail; // with Unreadable: the decoder's reason
};

// Stops a replay from another thread: between its edits, and within a filter through the picture's
// escape flag, the way a filter run alone is stopped.
class ReplayStopper {
public:
    // The control to hand to the replay; it refers to this stopper.
    ReplayControl control();
    void stop();
    bool stopped() const { return stopped_; }

private:
    std::atomic<bool> stopped_{false};
    std::mutex mutex_;
    imaging::Picture* running_ = nullptr; // the filter's picture while one runs
};

// The size the export of `edited` (the photo area, or the whole view) comes out at from its original.
QSize fullSizeOf(const WorkspaceDocument& edited, bool wholeImage);

// The export of `edited` (photo area, or with `wholeImage` the whole view) at its original's size.
// `scratchFolder` takes the replaying document's files (it writes none; it must not be the editor's own
// folder all the same). `edited` is only read.
FullSizeResult renderFullSize(const WorkspaceDocument& edited, bool wholeImage, const QString& scratchFolder,
                              const ReplayControl& control = {});

// For people: why there is no full-size result (nothing for None and Stopped).
QString fullSizeProblemText(const FullSizeResult& result, const WorkspaceDocument& edited);

} // namespace workspace
