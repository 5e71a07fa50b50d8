#include "app/window/escape_watch.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <exception>
#include <thread>

namespace app {

namespace {

class EscapeWatcher : public QObject {
public:
    explicit EscapeWatcher(const std::function<void()>& onEscape) : onEscape_(onEscape) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
                onEscape_();
            return true;
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Close:
            return true;
        default:
            return false;
        }
    }

private:
    const std::function<void()>& onEscape_;
};

} // namespace

void runWatchingEscape(const std::function<void()>& work, const std::function<void()>& onEscape,
                       int waitCursorAfterMs) {
    EscapeWatcher watcher(onEscape);
    qApp->installEventFilter(&watcher);
    QEventLoop loop;
    bool waitCursor = false;
    QTimer cursorTimer;
    if (waitCursorAfterMs > 0) {
        cursorTimer.setSingleShot(true);
        QObject::connect(&cursorTimer, &QTimer::timeout, [&waitCursor] {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            waitCursor = true;
        });
        cursorTimer.start(waitCursorAfterMs);
    }
    std::exception_ptr error;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            error = std::current_exception();
        }
        // Queued, so that it ends the loop even when the work is done before the loop starts.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    cursorTimer.stop();
    if (waitCursor)
        QApplication::restoreOverrideCursor();
    qApp->removeEventFilter(&watcher);
    if (error)
        std::rethrow_exception(error);
}

} // namespace app
