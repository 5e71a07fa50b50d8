#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

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

QString baseName() {
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray(kSingleInstanceIdentifier), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QStringLiteral("pictovance-%1-%2").arg(QString::fromLatin1(hash), userTag());
}

constexpr char kReceipt = '1';
// A command line longer than this is not a command line; refuse it rather than buffer it.
constexpr quint32 kMaxCommandLineBytes = 1 << 20;

} // namespace

QString singleInstanceServerName() {
    return baseName();
}

QString singleInstanceLockPath() {
    return QDir::temp().filePath(baseName() + QStringLiteral(".lock"));
}

InstanceLock::InstanceLock() : lock_(std::make_unique<QLockFile>(singleInstanceLockPath())) {
    lock_->setStaleLockTime(0); // only a dead owner makes the lock stale, never its age
}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::tryAcquire() {
    return lock_->tryLock(0);
}

bool handOffToRunningInstance(const QString& commandLine, int timeoutMs) {
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
