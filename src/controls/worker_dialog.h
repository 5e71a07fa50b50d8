#pragma once
// A skin window whose runs go on a worker thread, as Batch Convert's and Apply Recipe's do, so that it
// stays responsive. Closing it during a run asks first, then asks the run to stop and closes once the
// worker is idle, so that every file the run wrote is whole.

#include "controls/skin_dialog.h"
#include "platform/manual_reset_event.h"

#include <QTimer>
#include <atomic>
#include <functional>
#include <thread>

namespace platform {
class Dialogs;
}

namespace controls {

// It adds no signals or slots of its own (reject() is QDialog's slot), so it needs no meta-object.
class WorkerDialog : public SkinDialog {
public:
    bool busy() const { return busy_.load(); }

    // The close button, Escape and the window manager's close: a run first asks `stopQuestion`.
    void reject() override;

protected:
    WorkerDialog(QWidget* parent, platform::Dialogs& dialogs, QString stopQuestion);

    // Runs `work` on the worker thread, once the previous run's thread is gone; when it returns, the window
    // is idle again and what it returned runs, both on the window's thread. `work` may touch the window
    // only through atomics, the stop event and queued calls.
    void startRun(std::function<std::function<void()>()> work);
    // Asks the run to stop and waits for the worker. Each subclass calls it first in its destructor, while
    // the members the run uses are still there.
    void stopAndJoin();
    platform::ManualResetEvent& stopEvent() { return stop_; }
    // Whether the run ending now was stopped by closing the window: it ends without a report.
    bool closing() const { return closing_; }

    platform::Dialogs& dialogs_;

private:
    void closeWhenIdle();

    QString stopQuestion_;
    std::atomic<bool> busy_{false};
    platform::ManualResetEvent stop_;
    std::thread worker_;
    bool closing_ = false;
    QTimer closeTimer_;
};

} // namespace controls
