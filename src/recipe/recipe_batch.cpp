#include "recipe/recipe_batch.h"

#include "platform/manual_reset_event.h"
#include "platform/ordered_workers.h"

#include <QDir>
#include <new>

namespace recipe {

namespace {

using imaging::Outcome;

Outcome runGuarded(const Recipe& recipe, const RunSettings& settings, const BatchPhoto& photo,
                   const QString& scratch) {
    if (!photo.refusal.isEmpty())
        return Outcome::failure(photo.refusal.toStdString());
    if (scratch.isEmpty())
        return Outcome::failure("cannot create a scratch folder for the document");
    try {
        return runRecipeOnPhoto(recipe, settings, photo.task, scratch);
    } catch (const std::bad_alloc&) {
        return Outcome::failure("not enough memory");
    }
}

} // namespace

BatchSummary runRecipeBatch(const Recipe& recipe, const RunSettings& settings,
                            const std::vector<BatchPhoto>& photos, const QString& scratchRoot, int workers,
                            const BatchReport& report, const platform::ManualResetEvent* stop) {
    const int count = static_cast<int>(photos.size());
    QStringList sources;
    QStringList targets;
    for (const BatchPhoto& photo : photos) {
        sources << photo.task.photo;
        targets << photo.task.target;
    }
    std::vector<Outcome> outcomes(photos.size());
    BatchSummary summary;
    const platform::OrderedRun run = platform::runOrdered(
        count, workers, platform::orderBySharedPaths(sources, targets),
        [&](int index, int worker) {
            const QString scratch = scratchRoot + QStringLiteral("/worker%1").arg(worker);
            const auto at = static_cast<std::size_t>(index);
            outcomes[at] =
                runGuarded(recipe, settings, photos[at], QDir().mkpath(scratch) ? scratch : QString());
        },
        [&](int index) {
            const auto at = static_cast<std::size_t>(index);
            ++(outcomes[at] ? summary.written : summary.skipped);
            report(photos[at], outcomes[at]);
        },
        [stop] { return stop != nullptr && stop->isSet(); });
    summary.stopped = run.stopped;
    return summary;
}

} // namespace recipe
