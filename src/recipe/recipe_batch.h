#pragma once
// A recipe over many photos, one worker thread per core, reported in the order the photos were given.

#include "recipe/recipe_runner.h"

#include <functional>
#include <vector>

namespace platform {
class ManualResetEvent;
}

namespace recipe {

struct BatchPhoto {
    PhotoTask task;
    QString refusal; // when set, the photo is not opened: this is why
};

using BatchReport = std::function<void(const BatchPhoto& photo, const imaging::Outcome& outcome)>;

struct BatchSummary {
    int written = 0;
    int skipped = 0;      // photos started and not written
    bool stopped = false; // `stop` ended the run with photos left unstarted
};

// Runs on `workers` threads (at least one), each with its own folder under `scratchRoot` for its
// document. `report` is called on the calling thread for each photo in order, as soon as that photo and
// all before it are done. Photos that read or write the same file are done one after the other in list
// order. `stop`, when given, is checked before each photo is started; the photos in hand are finished, so
// every result on disk is whole.
BatchSummary runRecipeBatch(const Recipe& recipe, const RunSettings& settings,
                            const std::vector<BatchPhoto>& photos, const QString& scratchRoot, int workers,
                            const BatchReport& report, const platform::ManualResetEvent* stop = nullptr);

} // namespace recipe
