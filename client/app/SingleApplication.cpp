#include "app/SingleApplication.h"

#include "platform/ClientTempDir.h"
#include "platform/SingleInstanceName.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>

namespace {

// A message is a 32-bit big-endian length followed by that many bytes of UTF-8; the
// receiver confirms with one byte once the whole message is in.
constexpr char ackByte = '\x06';
constexpr quint32 maxMessageBytes = 64 * 1024;
constexpr int incompleteMessageTimeoutMs = 5000;

} // namespace

SingleApplication::SingleApplication(const QString& id, int& argc, char** argv)
    : QApplication(argc, argv), instanceId(id), directory(platform::clientTempDirectory())
{
}

SingleApplication::~SingleApplication() = default;

QString SingleApplication::id() const
{
    return instanceId;
}

QString SingleApplication::serverName() const
{
    return platform::singleInstanceServerName(directory, instanceId);
}

bool SingleApplication::isRunning()
{
    if (decided) {
        return otherRunning;
    }
    decided = true;
    if (directory.isEmpty()) {
        // Without a private directory there is nowhere safe to meet another instance.
        return otherRunning = false;
    }

    lock = std::make_unique<QLockFile>(directory + QLatin1Char('/') + instanceId + QStringLiteral(".lock"));
    // Staleness is decided by the owner's process only: a long-running instance's lock
    // must never be taken for stale because of its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        otherRunning = lock->error() == QLockFile::LockFailedError;
        lock.reset();
        return otherRunning;
    }

    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so a socket left at this name belongs to a dead instance.
    QLocalServer::removeServer(serverName());
    if (!server->listen(serverName())) {
        qWarning("Single instance: cannot listen on %s: %s", qPrintable(serverName()),
                 qPrintable(server->errorString()));
    }
    connect(server, &QLocalServer::newConnection, this, &SingleApplication::onNewConnection);
    return otherRunning = false;
}

bool SingleApplication::sendMessage(const QString& message, int timeout)
{
    if (!isRunning()) {
        return false;
    }
    const QByteArray payload = message.toUtf8();
    if (static_cast<quint64>(payload.size()) > maxMessageBytes) {
        return false;
    }
    QDeadlineTimer deadline(timeout);
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(deadline.remainingTime())) {
        return false;
    }
    QByteArray frame;
    QDataStream(&frame, QIODevice::WriteOnly) << static_cast<quint32>(payload.size());
    frame += payload;
    socket.write(frame);
    if (!socket.waitForBytesWritten(deadline.remainingTime())) {
        return false;
    }
    while (socket.bytesAvailable() < 1) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(deadline.remainingTime())) {
            return false;
        }
    }
    char ack = 0;
    return socket.getChar(&ack) && ack == ackByte;
}

void SingleApplication::onNewConnection()
{
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
        // A peer that never completes its message must not hold the connection forever.
        QTimer::singleShot(incompleteMessageTimeoutMs, socket, [socket] { socket->abort(); });
        readMessage(socket);
    }
}

void SingleApplication::readMessage(QLocalSocket* socket)
{
    if (socket->property("done").toBool() || socket->bytesAvailable() < 4) {
        return;
    }
    quint32 size = 0;
    QDataStream(socket->peek(4)) >> size;
    if (size > maxMessageBytes) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < 4 + static_cast<qint64>(size)) {
        return;
    }
    socket->read(4);
    const QString message = QString::fromUtf8(socket->read(size));
    socket->setProperty("done", true);
    socket->putChar(ackByte);
    socket->flush();
    socket->disconnectFromServer();
    emit messageReceived(message);
}
