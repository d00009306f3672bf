#pragma once

#include <QApplication>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

// A QApplication that knows whether another instance of the same identifier runs for
// the same user, and passes text messages to it.
//
// The first instance holds a lock file and listens on a local socket, both in the
// client's private temporary directory. The lock records the owner's process id, so a
// lock left behind by a crashed instance is recognised as stale and taken over.
class SingleApplication : public QApplication
{
    Q_OBJECT

public:
    SingleApplication(const QString& id, int& argc, char** argv);
    ~SingleApplication() override;

    QString id() const;

    // True when another instance holds the identifier. The first call decides: an
    // instance that finds no other one becomes the listening one.
    bool isRunning();

    // Sends a message to the running instance and waits up to `timeout` ms for it to
    // confirm receipt. False when this is the running instance or nothing confirmed.
    bool sendMessage(const QString& message, int timeout = 5000);

signals:
    void messageReceived(const QString& message);

private slots:
    void onNewConnection();

private:
    void readMessage(QLocalSocket* socket);
    QString serverName() const;

    QString instanceId;
    QString directory;
    std::unique_ptr<QLockFile> lock;
    QLocalServer* server = nullptr;
    bool decided = false;
    bool otherRunning = false;
};
