#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace app {

namespace {

QString userTag() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

constexpr char kReceipt = '1';
// A part of a hand-off longer than this is no command line; refuse it rather than buffer it.
constexpr quint32 kMaxCommandLineBytes = 1 << 20;

#ifdef Q_OS_UNIX
// A folder of the user's own that nobody else may write in.
bool privateFolder(const QString& path) {
    const QFileInfo info(path);
    return info.isDir() && info.ownerId() == ::getuid() &&
           !(info.permissions() & (QFileDevice::WriteGroup | QFileDevice::WriteOther));
}
#endif

} // namespace

QString singleInstanceBaseName() {
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray(kSingleInstanceIdentifier), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QStringLiteral("pictovance-%1-%2").arg(QString::fromLatin1(hash), userTag());
}

QString singleInstanceFolder() {
#ifdef Q_OS_UNIX
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && privateFolder(runtime))
        return QDir::cleanPath(runtime);
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty())
        return {};
    const QString folder = cache + QStringLiteral("/pictovance");
    if (!QDir().mkpath(folder))
        return {};
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return privateFolder(folder) ? folder : QString();
#else
    // Named pipes and the temporary folder are per user already.
    return QDir::tempPath();
#endif
}

QString singleInstanceServerName() {
#ifdef Q_OS_UNIX
    const QString folder = singleInstanceFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + singleInstanceBaseName();
#else
    return singleInstanceBaseName();
#endif
}

QString singleInstanceLockPath() {
    const QString folder = singleInstanceFolder();
    return folder.isEmpty() ? QString()
                            : folder + QLatin1Char('/') + singleInstanceBaseName() + QStringLiteral(".lock");
}

InstanceLock::InstanceLock() {
    const QString path = singleInstanceLockPath();
    if (path.isEmpty()) {
        problem_ =
            QStringLiteral("no private folder for it: XDG_RUNTIME_DIR is not set to a folder of yours, and "
                           "none can be made in your cache folder");
        return;
    }
    lock_ = std::make_unique<QLockFile>(path);
    lock_->setStaleLockTime(0); // only a dead owner makes the lock stale, never its age
}

InstanceLock::~InstanceLock() = default;

InstanceLock::State InstanceLock::tryAcquire() {
    if (!lock_)
        return State::Unavailable;
    if (lock_->tryLock(0))
        return State::Acquired;
    if (lock_->error() == QLockFile::LockFailedError)
        return State::HeldElsewhere;
    problem_ = QStringLiteral("%1 cannot be written").arg(QDir::toNativeSeparators(singleInstanceLockPath()));
    return State::Unavailable;
}

namespace {

void appendPart(QByteArray& message, const QByteArray& part) {
    QDataStream(&message, QIODevice::Append) << static_cast<quint32>(part.size());
    message += part;
}

// One length-prefixed part at `offset`; false while it has not all arrived. `invalid` is set for a
// length over the limit.
bool readPart(const QByteArray& bytes, qsizetype& offset, QByteArray& part, bool& invalid) {
    if (bytes.size() - offset < 4)
        return false;
    quint32 length = 0;
    QDataStream(bytes.mid(offset, 4)) >> length;
    if (length > kMaxCommandLineBytes) {
        invalid = true;
        return false;
    }
    if (bytes.size() - offset - 4 < static_cast<qsizetype>(length))
        return false;
    part = bytes.mid(offset + 4, length);
    offset += 4 + static_cast<qsizetype>(length);
    return true;
}

} // namespace

QByteArray encodeHandOff(const HandOff& handOff) {
    QByteArray pictures;
    for (const QString& picture : handOff.pictures)
        pictures += picture.toUtf8() + '\0';
    QByteArray message;
    appendPart(message, handOff.commandLine.toUtf8());
    appendPart(message, pictures);
    return message;
}

HandOffReading decodeHandOff(const QByteArray& bytes) {
    HandOffReading reading;
    qsizetype offset = 0;
    QByteArray commandLine;
    QByteArray pictures;
    bool invalid = false;
    if (!readPart(bytes, offset, commandLine, invalid) || !readPart(bytes, offset, pictures, invalid)) {
        reading.state = invalid ? HandOffReading::State::Invalid : HandOffReading::State::Incomplete;
        return reading;
    }
    if (!pictures.isEmpty() && !pictures.endsWith('\0')) {
        reading.state = HandOffReading::State::Invalid;
        return reading;
    }
    pictures.chop(1);
    if (!pictures.isEmpty()) {
        for (const QByteArray& picture : pictures.split('\0')) {
            if (picture.isEmpty()) // refused whole: none of its pictures is handed on
                return {HandOffReading::State::Invalid, {}, 0};
            reading.handOff.pictures << QString::fromUtf8(picture);
        }
    }
    reading.handOff.commandLine = QString::fromUtf8(commandLine);
    reading.state = HandOffReading::State::Complete;
    reading.consumed = offset;
    return reading;
}

bool handOffToRunningInstance(const HandOff& handOff, int timeoutMs) {
    if (singleInstanceServerName().isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(singleInstanceServerName());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(encodeHandOff(handOff));
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    if (!socket.waitForReadyRead(timeoutMs))
        return false;
    return socket.read(1) == QByteArray(1, kReceipt);
}

InstanceServer::InstanceServer(QObject* parent) : QObject(parent), server_(std::make_unique<QLocalServer>()) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_.get(), &QLocalServer::newConnection, this, &InstanceServer::acceptConnection);
}

InstanceServer::~InstanceServer() = default;

bool InstanceServer::listen() {
    // We hold the instance lock, so a socket file of that name is a leftover of a crashed run.
    QLocalServer::removeServer(singleInstanceServerName());
    return server_->listen(singleInstanceServerName());
}

void InstanceServer::acceptConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            const HandOffReading reading = decodeHandOff(socket->peek(socket->bytesAvailable()));
            if (reading.state == HandOffReading::State::Invalid) {
                socket->abort();
                return;
            }
            if (reading.state == HandOffReading::State::Incomplete)
                return;
            socket->skip(reading.consumed);
            // Handled before the receipt goes back, so the second start ends only once all is done.
            emit handOffReceived(reading.handOff.commandLine, reading.handOff.pictures);
            socket->write(QByteArray(1, kReceipt));
            socket->flush();
            socket->disconnectFromServer();
        });
    }
}

} // namespace app
