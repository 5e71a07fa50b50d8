#include "work_pool.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace starter {

void forEachIndex(std::size_t count, const std::function<void(std::size_t)>& body) {
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < count; i = next++)
            body(i);
    };
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    std::vector<std::jthread> helpers;
    for (unsigned i = 1; i < threads; ++i)
        helpers.emplace_back(work);
    work();
}

} // namespace starter
