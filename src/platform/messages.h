#pragma once
// Private window messages between the editor's windows. The numbers are fixed: panels, the workspace
// and the main window agree on them, and they stay stable for anything that records them.

#include <QEvent>
#include <QtGlobal>

class QObject;

namespace platform {

using WParam = quintptr;
using LParam = qintptr;
using LResult = qintptr;

constexpr int WM_USER = 0x0400;

enum Message : int {
    UM_TEXTSTYLE = 0x433,
    UM_CROPASPECT = 0x434,
    UM_APPLYCROP = 0x436,
    UM_TEXTCHANGED = 0x438,
    UM_RESOURCESELECTION = 0x467,
    UM_LISTSCROLL = 0x468, // photo list's own vertical scroll bar: wParam request code, lParam position
    UM_BRUSHVALUE = 0x46A,
    UM_OPENLISTPHOTO = 0x46F,
    UM_PHOTOIMPORTED = 0x470,
    UM_IMPORTCANCEL = 0x471,
    UM_RESOURCEPICKED = 0x473,
    UM_OBJECTTRANSFORM = 0x474,
    UM_DIALCHANGED = 0x475,
    UM_PREVIEWEND = 0x476,
    UM_CROPENTERED = 0x478,
    UM_COLOURADJUST = 0x479,
    UM_OBJECTSELECTED = 0x47A,
    UM_ADDTEXT = 0x47C,
    UM_UNDOSTATE = 0x47D,
    UM_SHOWTOOLPANEL = 0x47E,
    // The colour picker's notifications to its parent.
    UM_COLOURCHANGE = WM_USER + 1001,
    UM_COLOURDROPDOWN = WM_USER + 1002,
    UM_COLOURCLOSEUP = WM_USER + 1003,
    UM_COLOURPICKED = WM_USER + 1004,
    UM_COLOURCANCEL = WM_USER + 1005,
};

// The event that carries one message; `result` is filled in by the receiver.
class MessageEvent : public QEvent {
public:
    MessageEvent(int message, WParam wParam, LParam lParam);
    static QEvent::Type eventType();

    int message;
    WParam wParam;
    LParam lParam;
    LResult result = 0;
};

// Mixed into a window that takes messages: its event() override calls dispatchMessage first.
class MessageReceiver {
public:
    virtual LResult onMessage(int message, WParam wParam, LParam lParam) = 0;

protected:
    ~MessageReceiver() = default;
    // True when `event` was a message (then it has been handled by onMessage).
    bool dispatchMessage(QEvent* event);
};

// Delivers the message now, on the calling thread, and returns the receiver's result.
LResult sendMessage(QObject* target, int message, WParam wParam = 0, LParam lParam = 0);
// Queues the message for the receiver's thread and returns at once.
void postMessage(QObject* target, int message, WParam wParam = 0, LParam lParam = 0);
// From a worker thread: delivers on the receiver's thread and waits until it has been handled. Called on
// the receiver's own thread it is the same as sendMessage. Returns 0 when the receiver is gone.
LResult sendMessageBlocking(QObject* target, int message, WParam wParam = 0, LParam lParam = 0);

} // namespace platform
