#include "platform/manual_reset_event.h"

#include <gtest/gtest.h>
#include <thread>

using platform::ManualResetEvent;
using namespace std::chrono_literals;

TEST(ManualResetEvent, StaysSignalledUntilReset) {
    ManualResetEvent event;
    EXPECT_FALSE(event.isSet());
    EXPECT_FALSE(event.wait(1ms));
    event.set();
    EXPECT_TRUE(event.wait(0ms));
    EXPECT_TRUE(event.wait(0ms)); // a second waiter passes too: nothing consumes the signal
    event.reset();
    EXPECT_FALSE(event.isSet());
    EXPECT_TRUE(ManualResetEvent(true).isSet());
}

TEST(ManualResetEvent, WakesEveryWaiterOnOtherThreads) {
    ManualResetEvent event;
    std::atomic<int> woken = 0;
    std::thread a([&] { woken += event.wait(5s) ? 1 : 0; });
    std::thread b([&] {
        event.wait();
        ++woken;
    });
    std::this_thread::sleep_for(20ms);
    event.set();
    a.join();
    b.join();
    EXPECT_EQ(woken, 2);
}
