#pragma once

#include <QByteArray>
#include <QList>
#include <QSslCertificate>
#include <QSslKey>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

// A loopback HTTP(S) server that answers each request with the next scripted
// step, so a test decides exactly when a request fails, hangs or answers. One
// request per connection ("Connection: close").
class ScriptedHttpServer : public QTcpServer
{
    Q_OBJECT

public:
    struct Step
    {
        enum Kind
        {
            Answer,
            Silent,
            Close
        };
        Kind kind = Answer;
        int status = 200;
        QByteArray body;
        // The body goes out in this many parts, `interval` ms apart, like a slow
        // network delivers it.
        int parts = 1;
        int interval = 0;
        // With a value > 0, only that many body bytes are sent, and then nothing.
        int stallAfter = 0;
    };

    static Step answer(int status, const QByteArray& body) { return Step{Step::Answer, status, body, 1, 0, 0}; }
    static Step trickle(const QByteArray& body, int parts, int interval)
    {
        return Step{Step::Answer, 200, body, parts, interval, 0};
    }
    static Step stall(const QByteArray& body, int stallAfter)
    {
        return Step{Step::Answer, 200, body, 1, 0, stallAfter};
    }
    static Step silent() { return Step{Step::Silent, 0, {}, 1, 0, 0}; }
    static Step hangUp() { return Step{Step::Close, 0, {}, 1, 0, 0}; }

    // Plain HTTP unless a certificate is given.
    void useTls(const QList<QSslCertificate>& chain, const QSslKey& key);
    bool listenOnLoopback();
    QString baseUrl() const;

    // Steps for the coming requests; when they run out, `fallback` answers.
    void script(const QList<Step>& steps, const Step& fallback = silent());
    int connections = 0;
    int requests = 0;
    int disconnects = 0;
    QStringList targets;

signals:
    void requestReceived();
    void clientDisconnected();

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    void onReadyRead(QTcpSocket* socket);
    void act(QTcpSocket* socket, const Step& step);
    void sendParts(QTcpSocket* socket, const QList<QByteArray>& parts, int interval);

    bool tls = false;
    QList<QSslCertificate> chain;
    QSslKey key;
    QList<Step> steps;
    Step fallback = silent();
};
