#include "resources/library_lock.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace resources {

namespace {

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

int lockWaiting(int descriptor, bool wait) {
    int result = 0;
    do
        result = ::flock(descriptor, wait ? LOCK_EX : LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    return result;
}

} // namespace

LibraryLock::LibraryLock(QString dataFolder) : dataFolder_(std::move(dataFolder)) {}

LibraryLock::~LibraryLock() {
    if (!held())
        return;
    // Removed while still locked: a process that opens the name afterwards gets a new file.
    ::unlink(QFile::encodeName(dataFolder_ + kLibraryLock).constData());
    ::close(descriptor_);
}

LibraryLock::State LibraryLock::tryTake() {
    return acquire(false);
}

LibraryLock::State LibraryLock::take() {
    return acquire(true);
}

LibraryLock::State LibraryLock::acquire(bool wait) {
    if (held())
        return State::Held;
    const QByteArray path = QFile::encodeName(dataFolder_ + kLibraryLock);
    for (;;) {
        const int descriptor = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (descriptor < 0) {
            problem_ = "the library's lock file cannot be made: " + std::string(std::strerror(errno));
            return State::Failed;
        }
        if (lockWaiting(descriptor, wait) != 0) {
            const int error = errno;
            ::close(descriptor);
            if (error == EWOULDBLOCK)
                return State::Busy;
            problem_ = "the library cannot be locked: " + std::string(std::strerror(error));
            return State::Failed;
        }
        struct stat locked {};
        struct stat current {};
        const bool lockedKnown = ::fstat(descriptor, &locked) == 0;
        const bool stillNamed = lockedKnown && ::stat(path.constData(), &current) == 0;
        const int error = errno;
        if (stillNamed && sameFile(locked, current)) {
            descriptor_ = descriptor;
            return State::Held;
        }
        ::close(descriptor);
        if (!stillNamed && error != ENOENT) {
            problem_ = "the library's lock file cannot be checked: " + std::string(std::strerror(error));
            return State::Failed;
        }
        // The holder before us removed the file as it let go: lock the one now under the name.
    }
}

} // namespace resources
