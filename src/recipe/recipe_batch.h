#pragma once
// A recipe over many photos, one worker thread per core, reported in the order the photos were given.

#include "recipe/recipe_runner.h"

#include <functional>
#include <vector>

namespace recipe {

struct BatchPhoto {
    PhotoTask task;
    QString refusal; // when set, the photo is not opened: this is why
};

using BatchReport = std::function<void(const BatchPhoto& photo, const imaging::Outcome& outcome)>;

// Runs on `workers` threads (at least one), each with its own folder under `scratchRoot` for its
// document. `report` is called on the calling thread for each photo in order, as soon as that photo and
// all before it are done. Photos that read or write the same file are done one after the other in list
// order. Returns how many photos were not written.
int runRecipeBatch(const Recipe& recipe, const RunSettings& settings, const std::vector<BatchPhoto>& photos,
                   const QString& scratchRoot, int workers, const BatchReport& report);

} // namespace recipe
