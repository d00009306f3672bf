#include "ScriptedHttpServer.h"

#include <QHostAddress>
#include <QPointer>
#include <QSslSocket>
#include <QTimer>

void ScriptedHttpServer::useTls(const QList<QSslCertificate>& certificates, const QSslKey& privateKey)
{
    tls = true;
    chain = certificates;
    key = privateKey;
}

bool ScriptedHttpServer::listenOnLoopback()
{
    return listen(QHostAddress::LocalHost, 0);
}

QString ScriptedHttpServer::baseUrl() const
{
    return QStringLiteral("%1://127.0.0.1:%2").arg(tls ? "https" : "http").arg(serverPort());
}

void ScriptedHttpServer::script(const QList<Step>& next, const Step& otherwise)
{
    steps = next;
    fallback = otherwise;
}

void ScriptedHttpServer::incomingConnection(qintptr descriptor)
{
    ++connections;
    QTcpSocket* socket = nullptr;
    if (tls) {
        auto* ssl = new QSslSocket(this);
        ssl->setSocketDescriptor(descriptor);
        ssl->setLocalCertificateChain(chain);
        ssl->setPrivateKey(key);
        ssl->setPeerVerifyMode(QSslSocket::VerifyNone);
        ssl->startServerEncryption();
        socket = ssl;
    } else {
        socket = new QTcpSocket(this);
        socket->setSocketDescriptor(descriptor);
    }
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        ++disconnects;
        socket->deleteLater();
        emit clientDisconnected();
    });
}

void ScriptedHttpServer::onReadyRead(QTcpSocket* socket)
{
    QByteArray head = socket->property("head").toByteArray() + socket->readAll();
    socket->setProperty("head", head);
    if (!head.contains("\r\n\r\n") || socket->property("served").toBool())
        return;
    socket->setProperty("served", true);
    ++requests;
    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    targets << QString::fromLatin1(requestLine.value(1));
    act(socket, steps.isEmpty() ? fallback : steps.takeFirst());
    emit requestReceived();
}

void ScriptedHttpServer::act(QTcpSocket* socket, const Step& step)
{
    switch (step.kind) {
    case Step::Silent:
        return;
    case Step::Close:
        socket->abort();
        return;
    case Step::Answer:
        break;
    }
    QByteArray answer =
        QByteArray("HTTP/1.1 ") + QByteArray::number(step.status) + " Scripted\r\n" +
        "Content-Type: application/octet-stream\r\nContent-Length: " + QByteArray::number(step.body.size()) +
        "\r\nConnection: close\r\n\r\n";
    if (step.stallAfter > 0) {
        socket->write(answer + step.body.left(step.stallAfter));
        return;
    }
    QList<QByteArray> parts{answer};
    const int size = (step.body.size() + step.parts - 1) / qMax(step.parts, 1);
    for (int offset = 0; offset < step.body.size(); offset += size)
        parts << step.body.mid(offset, size);
    sendParts(socket, parts, step.interval);
}

void ScriptedHttpServer::sendParts(QTcpSocket* socket, const QList<QByteArray>& parts, int interval)
{
    // Header and first part together, then one part per interval.
    QList<QByteArray> rest = parts;
    QByteArray now = rest.takeFirst();
    if (!rest.isEmpty() && now.startsWith("HTTP/"))
        now += rest.takeFirst();
    socket->write(now);
    if (rest.isEmpty()) {
        socket->disconnectFromHost();
        return;
    }
    QPointer<QTcpSocket> guarded(socket);
    QTimer::singleShot(interval, this, [this, guarded, rest, interval] {
        if (guarded)
            sendParts(guarded, rest, interval);
    });
}
