#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

// OpenVPN's side of the management interface, played by the test.
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

    // Everything the connector has sent so far.
    QByteArray heard()
    {
        if (socket != nullptr) {
            received += socket->readAll();
        }
        return received;
    }

    void hangUp() { socket->disconnectFromHost(); }

private:
    QTcpServer server;
    QTcpSocket* socket = nullptr;
    QByteArray received;
};
