#pragma once
// The system asking the editor to end (SIGTERM at logout or from `kill`, SIGINT from Ctrl+C in a terminal,
// SIGHUP when that terminal goes): handed to the event loop as a signal, so the editor can end as its
// Close button ends it, keeping the photo list, instead of dying on the spot.

#include <QObject>
#include <memory>

class QSocketNotifier;

namespace platform {

class TerminationRequests : public QObject {
    Q_OBJECT
public:
    // Takes over the three signals until destroyed; one object at a time.
    explicit TerminationRequests(QObject* parent = nullptr);
    ~TerminationRequests() override;
    TerminationRequests(const TerminationRequests&) = delete;
    TerminationRequests& operator=(const TerminationRequests&) = delete;

signals:
    // On the thread of the object; requests that arrive together come as one.
    void requested();

private:
    void drain();
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace platform
