#pragma once
// Numbers what the user does to a control as gestures: a drag, a key press, or a burst of wheel steps
// less than half a second apart each get a number of their own, so that the window can make one undo
// step of all the changes a gesture makes. Numbers are never reused, so two controls never share one.

#include <QElapsedTimer>
#include <cstdint>

namespace controls {

class GestureCounter {
public:
    // Wheel steps further apart than this start a new burst.
    static constexpr qint64 kWheelBurstMs = 500;

    // A press or a key starts a gesture of its own.
    void begin();
    // A wheel step continues the burst the previous wheel step belongs to, if that was recent enough.
    void wheel();
    // The gesture of the latest change; 0 before the first.
    std::uint64_t current() const { return current_; }

private:
    std::uint64_t current_ = 0;
    QElapsedTimer lastWheel_; // running only while the current gesture is a wheel burst
};

} // namespace controls
