#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

// OpenVPN's side of the management interface, played by the test. Like OpenVPN with a
// password file, it takes the first line it hears as the management password.
class ManagementPeer
{
public:
    bool listen(int port) { return server.listen(QHostAddress::LocalHost, static_cast<quint16>(port)); }

    bool accept()
    {
        if (!QTest::qWaitFor([this] { return server.hasPendingConnections(); }, 10000)) {
            return false;
        }
        socket = server.nextPendingConnection();
        return socket != nullptr;
    }

    void say(const QByteArray& lines)
    {
        socket->write(lines);
        socket->flush();
    }

    // Everything the connector has sent so far after the password line.
    QByteArray heard()
    {
        if (socket != nullptr) {
            received += socket->readAll();
        }
        if (!passwordTaken) {
            const int feed = received.indexOf('\n');
            if (feed < 0) {
                return QByteArray();
            }
            passwordLine = received.left(feed);
            received.remove(0, feed + 1);
            passwordTaken = true;
        }
        return received;
    }

    // The first line the connector sent, once heard() has seen it.
    QByteArray password() const { return passwordLine; }

    void hangUp() { socket->disconnectFromHost(); }

private:
    QTcpServer server;
    QTcpSocket* socket = nullptr;
    QByteArray received;
    QByteArray passwordLine;
    bool passwordTaken = false;
};
