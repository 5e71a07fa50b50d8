#include "imaging/filters/shared_work.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace imaging::detail {

namespace {

// One call's tasks. Whoever is free takes the next number; the last to finish a task says so. A kept
// thread may still hold the group after the call has returned, but then finds no task left to take.
struct Group {
    int count;
    const std::function<void(int)>* task;
    std::atomic<int> next{0};
    std::atomic<int> unfinished;
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;

    Group(int taskCount, const std::function<void(int)>* run)
        : count(taskCount), task(run), unfinished(taskCount) {}

    void work() {
        for (int index = next.fetch_add(1); index < count; index = next.fetch_add(1)) {
            (*task)(index);
            if (unfinished.fetch_sub(1) == 1) {
                const std::lock_guard lock(mutex);
                done = true;
                finished.notify_all();
            }
        }
    }
};

class KeptThreads {
public:
    KeptThreads() {
        const unsigned count = std::min(3u, std::max(1u, std::thread::hardware_concurrency()) - 1);
        for (unsigned i = 0; i < count; ++i)
            threads_.emplace_back([this] { serve(); });
    }
    ~KeptThreads() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        for (std::thread& thread : threads_)
            thread.join();
    }
    KeptThreads(const KeptThreads&) = delete;
    KeptThreads& operator=(const KeptThreads&) = delete;

    // Asks up to `helpers` threads to join in the group's work.
    void offer(const std::shared_ptr<Group>& group, int helpers) {
        {
            const std::lock_guard lock(mutex_);
            for (int i = 0; i < helpers; ++i)
                offers_.push_back(group);
        }
        for (int i = 0; i < helpers; ++i)
            wake_.notify_one();
    }

private:
    void serve() {
        for (;;) {
            std::shared_ptr<Group> group;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return stopping_ || !offers_.empty(); });
                if (offers_.empty())
                    return;
                group = std::move(offers_.front());
                offers_.pop_front();
            }
            group->work();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::shared_ptr<Group>> offers_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace

void shareWork(int count, int helpers, const std::function<void(int task)>& task) {
    if (count <= 0)
        return;
    static KeptThreads kept;
    auto group = std::make_shared<Group>(count, &task);
    if (helpers > 0)
        kept.offer(group, std::min(helpers, count - 1));
    group->work();
    std::unique_lock lock(group->mutex);
    group->finished.wait(lock, [&] { return group->done; });
}

} // namespace imaging::detail
