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
// A command line longer than this is not a command line; refuse it rather than buffer it.
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

bool handOffToRunningInstance(const QString& commandLine, int timeoutMs) {
    if (singleInstanceServerName().isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(singleInstanceServerName());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    const QByteArray text = commandLine.toUtf8();
    QByteArray message;
    QDataStream(&message, QIODevice::WriteOnly) << static_cast<quint32>(text.size());
    message += text;
    socket.write(message);
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
            if (socket->bytesAvailable() < 4)
                return;
            quint32 length = 0;
            QDataStream(socket->peek(4)) >> length;
            if (length > kMaxCommandLineBytes) {
                socket->abort();
                return;
            }
            if (socket->bytesAvailable() < 4 + static_cast<qint64>(length))
                return;
            socket->skip(4);
            const QString commandLine = QString::fromUtf8(socket->read(length));
            // Handled before the receipt goes back, so the second start ends only once all is done.
            emit commandLineReceived(commandLine);
            socket->write(QByteArray(1, kReceipt));
            socket->flush();
            socket->disconnectFromServer();
        });
    }
}

} // namespace app
