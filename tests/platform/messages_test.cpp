#include "platform/messages.h"

#include <QCoreApplication>
#include <QObject>
#include <QThread>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace platform;

namespace {

class Receiver : public QObject, public MessageReceiver {
public:
    struct Received {
        int message;
        WParam wParam;
        LParam lParam;
        bool onOwnThread;
    };
    std::vector<Received> received;

    LResult onMessage(int message, WParam wParam, LParam lParam) override {
        received.push_back({message, wParam, lParam, QThread::currentThread() == thread()});
        return static_cast<LResult>(wParam) + lParam;
    }

protected:
    bool event(QEvent* e) override { return dispatchMessage(e) || QObject::event(e); }
};

} // namespace

TEST(Messages, NumbersAreTheEditorsFixedOnes) {
    EXPECT_EQ(UM_TEXTCHANGED, 1080);
    EXPECT_EQ(UM_PREVIEWEND, 1142);
    EXPECT_EQ(UM_CROPENTERED, 1144);
    EXPECT_EQ(UM_COLOURADJUST, 1145);
    EXPECT_EQ(UM_OBJECTSELECTED, 1146);
    EXPECT_EQ(UM_UNDOSTATE, 1149);
    EXPECT_EQ(UM_SHOWTOOLPANEL, 1150);
    EXPECT_EQ(UM_COLOURPICKED, 0x400 + 1004);
}

TEST(Messages, SendDeliversAtOnceAndReturnsTheResult) {
    Receiver receiver;
    EXPECT_EQ(sendMessage(&receiver, UM_SHOWTOOLPANEL, 5, -2), 3);
    ASSERT_EQ(receiver.received.size(), 1u);
    EXPECT_EQ(receiver.received[0].message, UM_SHOWTOOLPANEL);
    EXPECT_EQ(sendMessage(nullptr, UM_UNDOSTATE), 0);
}

TEST(Messages, PostWaitsForTheEventLoop) {
    Receiver receiver;
    postMessage(&receiver, UM_BRUSHVALUE, 1, 2);
    EXPECT_TRUE(receiver.received.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(receiver.received.size(), 1u);
    EXPECT_EQ(receiver.received[0].lParam, 2);
}

TEST(Messages, BlockingSendFromAWorkerRunsOnTheReceiversThreadAndWaits) {
    Receiver receiver;
    LResult result = -1;
    bool finished = false;
    std::thread worker([&] {
        result = sendMessageBlocking(&receiver, UM_PHOTOIMPORTED, 40, 2);
        finished = true;
    });
    // The worker cannot finish before this thread handles the call.
    while (receiver.received.empty())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    EXPECT_TRUE(finished);
    EXPECT_EQ(result, 42);
    EXPECT_TRUE(receiver.received[0].onOwnThread);
}

TEST(Messages, BlockingSendOnTheSameThreadDoesNotDeadlock) {
    Receiver receiver;
    EXPECT_EQ(sendMessageBlocking(&receiver, UM_ADDTEXT, 1, 1), 2);
}
