// The ordered worker pool: list-order reports, waiting for the items an item depends on, and stopping.

#include "platform/ordered_workers.h"
#include "support/temp_folder.h"

#include <QFile>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <mutex>
#include <numeric>
#include <set>
#include <thread>

using platform::ItemOrder;
using platform::runOrdered;
using testing_support::TempFolder;

TEST(OrderedWorkers, ReportsEveryItemOnceInListOrderWhileEachWorkerHoldsOneItemAtATime) {
    constexpr int kItems = 40;
    const std::thread::id caller = std::this_thread::get_id();
    for (const int workers : {1, 2, 4}) {
        std::mutex mutex;
        std::set<int> busyWorkers;
        std::set<std::thread::id> threads;
        bool workerShared = false;
        bool workerOutOfRange = false;
        bool reportedElsewhere = false;
        std::vector<int> reported;
        const platform::OrderedRun run = runOrdered(
            kItems, workers, {},
            [&](int index, int worker) {
                {
                    const std::lock_guard lock(mutex);
                    workerShared = workerShared || !busyWorkers.insert(worker).second;
                    workerOutOfRange = workerOutOfRange || worker < 0 || worker >= workers;
                    threads.insert(std::this_thread::get_id());
                }
                // Later items finish sooner, so they are often done before earlier ones are.
                std::this_thread::sleep_for(std::chrono::microseconds((kItems - index) * 50));
                const std::lock_guard lock(mutex);
                busyWorkers.erase(worker);
            },
            [&](int index) {
                reportedElsewhere = reportedElsewhere || std::this_thread::get_id() != caller;
                reported.push_back(index);
            });
        std::vector<int> all(kItems);
        std::iota(all.begin(), all.end(), 0);
        EXPECT_EQ(reported, all) << workers;
        EXPECT_EQ(run.started, kItems);
        EXPECT_FALSE(run.stopped);
        EXPECT_FALSE(reportedElsewhere);
        EXPECT_FALSE(workerShared);
        EXPECT_FALSE(workerOutOfRange);
        // One worker is the calling thread itself; more work beside it.
        EXPECT_EQ(threads.count(caller), workers == 1 ? 1u : 0u) << workers;
    }
}

TEST(OrderedWorkers, AnItemStartsOnlyOnceTheItemsItWaitsForAreDone) {
    // Item 3 waits for 0 (slow) and 2; item 1 waits for nothing and may pass them.
    const ItemOrder order{{-1, -1}, {-1, -1}, {-1, 1}, {0, 2}};
    std::mutex mutex;
    std::vector<int> finished;
    std::vector<std::vector<int>> finishedWhenStarted(4);
    runOrdered(
        4, 3, order,
        [&](int index, int) {
            {
                const std::lock_guard lock(mutex);
                finishedWhenStarted[static_cast<std::size_t>(index)] = finished;
            }
            if (index == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(60));
            const std::lock_guard lock(mutex);
            finished.push_back(index);
        },
        [](int) {});
    const auto has = [&](int item, int before) {
        const std::vector<int>& done = finishedWhenStarted[static_cast<std::size_t>(item)];
        return std::find(done.begin(), done.end(), before) != done.end();
    };
    EXPECT_TRUE(has(2, 1));
    EXPECT_TRUE(has(3, 0));
    EXPECT_TRUE(has(3, 2));
    EXPECT_FALSE(has(1, 0)); // nothing held item 1 back behind the slow item 0
}

TEST(OrderedWorkers, PathsMeetAsTheFilesTheyName) {
    TempFolder folder;
    ASSERT_TRUE(folder.write("a.png", "a"));
    ASSERT_TRUE(QFile::link(folder.file("a.png"), folder.file("link.png")));
    const QStringList sources{folder.file("a.png"), folder.file("b.png"), folder.file("./link.png"),
                              folder.file("c.png")};
    const QStringList targets{folder.file("out/a.jpg"), folder.file("out/b.jpg"), folder.file("out/x.jpg"),
                              folder.file("out/b.jpg")};
    const ItemOrder order = platform::orderBySharedPaths(sources, targets);
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[0], (std::array<int, 2>{-1, -1}));
    EXPECT_EQ(order[1], (std::array<int, 2>{-1, -1}));
    EXPECT_EQ(order[2], (std::array<int, 2>{0, -1})); // the link reads a.png again
    EXPECT_EQ(order[3], (std::array<int, 2>{-1, 1})); // the same output as b.png
}

TEST(OrderedWorkers, StopLeavesTheRestUnstartedAndReportsWhatWasStarted) {
    for (const int workers : {1, 3}) {
        std::atomic<bool> stop{false};
        std::atomic<int> worked{0};
        std::vector<int> reported;
        const platform::OrderedRun run = runOrdered(
            50, workers, {},
            [&](int, int) {
                ++worked;
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            },
            [&](int index) {
                reported.push_back(index);
                stop = true;
            },
            [&] { return stop.load(); });
        EXPECT_TRUE(run.stopped);
        EXPECT_EQ(run.started, worked.load());
        EXPECT_EQ(static_cast<int>(reported.size()), run.started);
        EXPECT_LT(run.started, 50);
        if (workers == 1) {
            EXPECT_EQ(run.started, 1);
        }
    }
}
