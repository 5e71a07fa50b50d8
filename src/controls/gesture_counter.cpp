#include "controls/gesture_counter.h"

#include <atomic>

namespace controls {

namespace {

std::uint64_t nextGesture() {
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

} // namespace

void GestureCounter::begin() {
    current_ = nextGesture();
    lastWheel_.invalidate();
}

void GestureCounter::wheel() {
    if (!lastWheel_.isValid() || lastWheel_.elapsed() >= kWheelBurstMs)
        current_ = nextGesture();
    lastWheel_.start();
}

} // namespace controls
