#include "controls/worker_dialog.h"

#include "platform/dialogs.h"

namespace controls {

WorkerDialog::WorkerDialog(QWidget* parent, platform::Dialogs& dialogs, QString stopQuestion)
    : SkinDialog(parent), dialogs_(dialogs), stopQuestion_(std::move(stopQuestion)) {
    closeTimer_.setInterval(10);
    connect(&closeTimer_, &QTimer::timeout, this, &WorkerDialog::closeWhenIdle);
}

void WorkerDialog::startRun(std::function<std::function<void()>()> work) {
    if (worker_.joinable())
        worker_.join();
    stop_.reset();
    busy_ = true;
    worker_ = std::thread([this, work = std::move(work)] {
        // Idle only on the window's thread, together with what ends the run: a close waiting for the
        // worker can never come between the two.
        QMetaObject::invokeMethod(
            this,
            [this, finished = work()] {
                busy_ = false;
                finished();
            },
            Qt::QueuedConnection);
    });
}

void WorkerDialog::stopAndJoin() {
    stop_.set();
    if (worker_.joinable())
        worker_.join();
}

void WorkerDialog::reject() {
    if (!busy_) {
        closeTimer_.stop();
        QDialog::reject();
        return;
    }
    if (closing_)
        return;
    if (!dialogs_.askYesNoTitled(this, QStringLiteral("Confirm"), stopQuestion_))
        return;
    closing_ = true;
    stop_.set();
    // What is in hand is finished first; the window closes as soon as the worker is idle.
    closeTimer_.start();
}

void WorkerDialog::closeWhenIdle() {
    if (busy_)
        return;
    closeTimer_.stop();
    closing_ = false;
    QDialog::reject();
}

} // namespace controls
