#pragma once
// A parent window that records the private messages its child controls send or post to it.

#include "platform/messages.h"

#include <QWidget>
#include <vector>

namespace controls_test {

struct Recorded {
    int message;
    platform::WParam wParam;
    platform::LParam lParam;
    int signedWParam() const { return static_cast<int>(static_cast<platform::LParam>(wParam)); }
};

class MessageRecorder : public QWidget, public platform::MessageReceiver {
public:
    std::vector<Recorded> received;

    platform::LResult onMessage(int message, platform::WParam wParam, platform::LParam lParam) override {
        received.push_back({message, wParam, lParam});
        return 0;
    }

protected:
    bool event(QEvent* e) override { return dispatchMessage(e) || QWidget::event(e); }
};

} // namespace controls_test
