#include "platform/termination_requests.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <array>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace platform {

#ifdef Q_OS_UNIX
namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};
// The handler may only write: the byte wakes the notifier on the event loop's side of the pair.
int wakeFds[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeFds[0], &byte, 1);
}

} // namespace

TerminationRequests::TerminationRequests(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, wakeFds) != 0) {
        wakeFds[0] = wakeFds[1] = -1;
        return; // the signals keep their default effect
    }
    notifier_ = std::make_unique<QSocketNotifier>(wakeFds[1], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationRequests::drain);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

TerminationRequests::~TerminationRequests() {
    if (!notifier_)
        return;
    for (const int signal : kSignals)
        std::signal(signal, SIG_DFL);
    notifier_.reset();
    ::close(wakeFds[0]);
    ::close(wakeFds[1]);
    wakeFds[0] = wakeFds[1] = -1;
}

void TerminationRequests::drain() {
    char bytes[16];
    bool any = false;
    while (::read(wakeFds[1], bytes, sizeof bytes) > 0)
        any = true;
    if (any)
        emit requested();
}
#else
TerminationRequests::TerminationRequests(QObject* parent) : QObject(parent) {}
TerminationRequests::~TerminationRequests() = default;
void TerminationRequests::drain() {}
#endif

} // namespace platform
