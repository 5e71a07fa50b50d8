#include "platform/messages.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <QThread>

namespace platform {

MessageEvent::MessageEvent(int message_, WParam wParam_, LParam lParam_)
    : QEvent(eventType()), message(message_), wParam(wParam_), lParam(lParam_) {}

QEvent::Type MessageEvent::eventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool MessageReceiver::dispatchMessage(QEvent* event) {
    if (event->type() != MessageEvent::eventType())
        return false;
    auto* message = static_cast<MessageEvent*>(event);
    message->result = onMessage(message->message, message->wParam, message->lParam);
    return true;
}

LResult sendMessage(QObject* target, int message, WParam wParam, LParam lParam) {
    if (!target)
        return 0;
    MessageEvent event(message, wParam, lParam);
    QCoreApplication::sendEvent(target, &event);
    return event.result;
}

void postMessage(QObject* target, int message, WParam wParam, LParam lParam) {
    if (target)
        QCoreApplication::postEvent(target, new MessageEvent(message, wParam, lParam));
}

LResult sendMessageBlocking(QObject* target, int message, WParam wParam, LParam lParam) {
    if (!target)
        return 0;
    if (target->thread() == QThread::currentThread())
        return sendMessage(target, message, wParam, lParam);
    LResult result = 0;
    QPointer<QObject> guard(target);
    QMetaObject::invokeMethod(
        target,
        [&] {
            if (guard)
                result = sendMessage(guard, message, wParam, lParam);
        },
        Qt::BlockingQueuedConnection);
    return result;
}

} // namespace platform
