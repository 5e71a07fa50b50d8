#pragma once

#include <QApplication>

namespace app {

// Operations on large photos show the wait cursor while they run.
class WaitCursor {
public:
    explicit WaitCursor(bool show) : shown_(show) {
        if (shown_)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor() {
        if (shown_)
            QApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool shown_;
};

} // namespace app
