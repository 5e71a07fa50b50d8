#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace platform {

// An event that stays signalled until reset; any number of threads may wait on it.
class ManualResetEvent {
public:
    explicit ManualResetEvent(bool initiallySet = false) : set_(initiallySet) {}

    void set();
    void reset();
    bool isSet() const;
    // Waits until signalled or the timeout passes; true when signalled.
    bool wait(std::chrono::milliseconds timeout) const;
    void wait() const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool set_;
};

} // namespace platform
