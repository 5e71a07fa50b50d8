#include "recipe/recipe_batch.h"

#include <QDir>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <new>
#include <optional>
#include <thread>

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

int runRecipeBatch(const Recipe& recipe, const RunSettings& settings, const std::vector<BatchPhoto>& photos,
                   const QString& scratchRoot, int workers, const BatchReport& report) {
    std::vector<std::optional<Outcome>> outcomes(photos.size());
    std::mutex mutex;
    std::condition_variable finished;
    std::atomic<std::size_t> next{0};

    auto work = [&](int worker) {
        const QString scratch = scratchRoot + QStringLiteral("/worker%1").arg(worker);
        const bool made = QDir().mkpath(scratch);
        for (std::size_t i = next++; i < photos.size(); i = next++) {
            Outcome outcome = runGuarded(recipe, settings, photos[i], made ? scratch : QString());
            {
                const std::lock_guard lock(mutex);
                outcomes[i] = std::move(outcome);
            }
            finished.notify_all();
        }
    };
    const int threads = std::clamp(workers, 1, std::max(1, static_cast<int>(photos.size())));
    std::vector<std::jthread> pool;
    for (int worker = 0; worker < threads; ++worker)
        pool.emplace_back(work, worker);

    int failures = 0;
    for (std::size_t i = 0; i < photos.size(); ++i) {
        Outcome outcome;
        {
            std::unique_lock lock(mutex);
            finished.wait(lock, [&] { return outcomes[i].has_value(); });
            outcome = *outcomes[i];
        }
        if (!outcome)
            ++failures;
        report(photos[i], outcome);
    }
    return failures;
}

} // namespace recipe
