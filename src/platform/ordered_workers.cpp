#include "platform/ordered_workers.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace platform {

namespace {

bool stopRequested(const std::function<bool()>& stop) {
    return stop && stop();
}

OrderedRun runInline(int count, const std::function<void(int, int)>& work,
                     const std::function<void(int)>& report, const std::function<bool()>& stop) {
    OrderedRun run;
    for (int index = 0; index < count; ++index) {
        if (stopRequested(stop)) {
            run.stopped = true;
            break;
        }
        work(index, 0);
        ++run.started;
        report(index);
    }
    return run;
}

} // namespace

QString fileKey(const QString& path) {
    const QFileInfo info(path);
    if (const QString canonical = info.canonicalFilePath(); !canonical.isEmpty())
        return canonical;
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : folder + QLatin1Char('/') + info.fileName();
}

ItemOrder orderBySharedPaths(const QStringList& sources, const QStringList& targets) {
    ItemOrder after(static_cast<std::size_t>(sources.size()));
    QHash<QString, int> lastUse;
    for (qsizetype i = 0; i < sources.size(); ++i) {
        const QString source = fileKey(sources[i]);
        const QString target = fileKey(targets.value(i));
        after[static_cast<std::size_t>(i)] = {lastUse.value(source, -1), lastUse.value(target, -1)};
        lastUse.insert(source, static_cast<int>(i));
        lastUse.insert(target, static_cast<int>(i));
    }
    return after;
}

OrderedRun runOrdered(int count, int workers, const ItemOrder& order,
                      const std::function<void(int index, int worker)>& work,
                      const std::function<void(int index)>& report, const std::function<bool()>& stop) {
    workers = std::min(workers, count);
    if (workers <= 1)
        return runInline(count, work, report, stop);

    std::vector<char> done(static_cast<std::size_t>(count), 0);
    std::mutex mutex;
    std::condition_variable changed;
    int next = 0;
    int workersLeft = workers;
    bool stopped = false;
    const auto finished = [&](int index) { return index < 0 || done[static_cast<std::size_t>(index)]; };
    const auto ready = [&](int index) {
        if (order.empty())
            return true;
        const auto& before = order[static_cast<std::size_t>(index)];
        return finished(before[0]) && finished(before[1]);
    };

    const auto worker = [&](int self) {
        for (;;) {
            int index = 0;
            {
                std::unique_lock lock(mutex);
                if (next >= count || stopRequested(stop)) {
                    stopped = stopped || next < count;
                    break;
                }
                index = next++;
                changed.wait(lock, [&] { return ready(index); });
            }
            work(index, self);
            {
                const std::lock_guard lock(mutex);
                done[static_cast<std::size_t>(index)] = 1;
            }
            changed.notify_all();
        }
        {
            const std::lock_guard lock(mutex);
            --workersLeft;
        }
        changed.notify_all();
    };

    OrderedRun run;
    {
        std::vector<std::jthread> threads;
        threads.reserve(static_cast<std::size_t>(workers));
        for (int w = 0; w < workers; ++w)
            threads.emplace_back(worker, w);
        for (int reported = 0;; ++reported) {
            {
                std::unique_lock lock(mutex);
                changed.wait(lock,
                             [&] { return (reported < next && finished(reported)) || workersLeft == 0; });
                if (reported >= next || !finished(reported))
                    break;
            }
            report(reported);
            run.started = reported + 1;
        }
    }
    run.stopped = stopped;
    return run;
}

} // namespace platform
