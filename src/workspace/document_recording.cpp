// What the document does when recording an undo step could not keep the history whole.
#include "workspace/document.h"

namespace workspace {

void WorkspaceDocument::afterRecording(RecordOutcome outcome, bool hadSteps) {
    if (outcome != RecordOutcome::Restarted)
        return;
    // The history starts at this state now: undoing every step must come back here, not to the photo
    // as it was loaded.
    loadedPhoto_ = photo_;
    if (hadSteps)
        listener_.problemOccurred(DocumentProblem::UndoHistoryRestarted);
}

} // namespace workspace
