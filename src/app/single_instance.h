#pragma once
// One running editor per user: a lock file marks that an instance exists, and a local server, opened
// once the main window is ready, takes the command line of a second start.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QLocalServer;
class QLockFile;

namespace app {

// The fixed single-instance identifier.
inline constexpr char kSingleInstanceIdentifier[] =
    "0xa8eb9757, 0x1751, 0x4fea, 0xa7, 0x6d, 0x7d, 0xa6, 0x93, 0x9f, 0xac, 0x4a";

// The folder of the lock and the socket: the user's runtime folder (XDG_RUNTIME_DIR) when it is the user's
// own and closed to others, else a folder only the user may enter in the user's cache folder, so another
// local user can never take the names first. Empty when neither can be had.
QString singleInstanceFolder();
// The name derived from the identifier and the user, and from it the names in that folder (the server
// name is the socket's path).
QString singleInstanceBaseName();
QString singleInstanceServerName();
QString singleInstanceLockPath();

// The existence marker. A lock left behind by a crashed run is recognised as stale and taken over.
class InstanceLock {
public:
    InstanceLock();
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    enum class State {
        Acquired,      // this process is the first instance
        HeldElsewhere, // a running editor holds the lock
        Unavailable,   // the lock cannot be made: no private folder, or it cannot be written
    };
    State tryAcquire();
    // Why the lock is unavailable, for the message.
    QString problem() const { return problem_; }

private:
    std::unique_ptr<QLockFile> lock_;
    QString problem_;
};

// What a second start hands over: its command line as Windows would give it (the "PIF" rule reads it),
// and the pictures it was asked to open, as absolute paths.
struct HandOff {
    QString commandLine;
    QStringList pictures;
    bool operator==(const HandOff&) const = default;
};

// The message on the socket: the command line's byte count (32-bit, big-endian) and its UTF-8 bytes, then
// the pictures' byte count and their UTF-8 paths, each ended by a NUL byte.
QByteArray encodeHandOff(const HandOff& handOff);
// The bytes received so far: a whole message (and how many bytes it took), a message still arriving, or
// bytes that are no hand-off (a part over 1 MiB, a picture list not ended by NUL, an empty path).
struct HandOffReading {
    enum class State { Incomplete, Complete, Invalid };
    State state = State::Incomplete;
    HandOff handOff;
    qsizetype consumed = 0;
};
HandOffReading decodeHandOff(const QByteArray& bytes);

// Second start: hands the command line over to the running instance and waits briefly for its receipt.
// False when no running window takes it (it may still be starting, or be gone).
bool handOffToRunningInstance(const HandOff& handOff, int timeoutMs = 1500);

// First instance: receives the command lines of later starts.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(QObject* parent = nullptr);
    ~InstanceServer() override;
    bool listen();

signals:
    void handOffReceived(const QString& commandLine, const QStringList& pictures);

private:
    void acceptConnection();
    std::unique_ptr<QLocalServer> server_;
};

} // namespace app
