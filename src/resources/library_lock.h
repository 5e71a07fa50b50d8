#pragma once
// The lock every writer of the resource library holds, across processes: "Res_Lock" in the Data folder,
// locked with flock(). An import, and the roll-back of an interrupted one, happen only under it, so two
// imports never interleave, and a journal found while holding the lock can only belong to an import whose
// process is gone: the system lets go of a dead process's lock, and of no other.
//
// The file is removed when the lock is let go. A holder re-checks after locking that the file it locked is
// still the one of that name, so a waiter woken on a removed file tries again instead of sharing the lock.

#include <QString>
#include <string>

namespace resources {

inline const QString kLibraryLock = QStringLiteral("Res_Lock");

class LibraryLock {
public:
    // `dataFolder` ends in a separator and exists. Nothing is locked yet.
    explicit LibraryLock(QString dataFolder);
    ~LibraryLock();
    LibraryLock(const LibraryLock&) = delete;
    LibraryLock& operator=(const LibraryLock&) = delete;

    enum class State {
        Held,
        Busy,   // another holder has it (only from tryTake)
        Failed, // the lock file cannot be made or locked; problem() says why
    };
    // Takes the lock when nobody holds it.
    State tryTake();
    // Waits until the lock is free, then takes it.
    State take();

    bool held() const { return descriptor_ >= 0; }
    const QString& dataFolder() const { return dataFolder_; }
    const std::string& problem() const { return problem_; }

private:
    State acquire(bool wait);

    QString dataFolder_;
    int descriptor_ = -1;
    std::string problem_;
};

} // namespace resources
