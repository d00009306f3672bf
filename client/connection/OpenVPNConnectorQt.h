#pragma once

#include "connection/ConnectorError.h"

#include <QByteArray>
#include <QString>
#include <QThread>
#include <QtGlobal>

#include <atomic>

class ManagementLineParser;
class QProcess;
class QTcpSocket;

// Runs one tunnel program at a time on its own thread and turns what it says into
// signals: OpenVPN (started by the service, driven over its management interface) or
// sing-box (started here as a child process). Every run that ends after a start ends
// with a signal, so the caller never waits for nothing.
class OpenVPNConnectorQt : public QThread
{
    Q_OBJECT

public:
    explicit OpenVPNConnectorQt(QObject* parent = nullptr);
    ~OpenVPNConnectorQt() override;

    // Both return at once; a start while a run is still going is ignored.
    void startOpenVPN(const QString& configPath, const QString& userName, const QString& password);
    void startSingBox(const QString& configPath);
    // OpenVPN is told "signal SIGTERM" when the management connection exists; the run
    // then ends by itself with disconnected().
    void stop();

signals:
    void connected();
    void disconnected();
    void reconnecting();
    void stateChanged(QString state);
    // A ConnectorError as its number.
    void error(int err);
    void log(QString logStr);
    void statisticsUpdated(quint64, quint64);

protected:
    void run() override;

private:
    void emitError(ConnectorError code);

    void runOpenVpn();
    bool launchOpenVpn();
    bool connectManagement(QTcpSocket& socket);
    bool sendCommand(QTcpSocket& socket, const QByteArray& command);
    bool readLine(QTcpSocket& socket, ManagementLineParser& parser, QByteArray& line);
    bool apply(QTcpSocket& socket, ManagementLineParser& parser, const QByteArray& line);

    void runSingBox();
    bool startSingBoxProcess(QProcess& process);
    bool waitForSingBoxStart(QProcess& process);
    void endSingBox(QProcess& process);

    std::atomic<int> state{0};
    QString configPath;
    QString userName;
    QString password;
    bool singBoxMode = false;
    std::atomic<bool> stopRequested{false};
    std::atomic<bool> managementConnected{false};
    bool sigtermSent = false;
    int managementPort = -1;
    // What the management interface of this run asks for first (ManagementPasswordFile).
    QByteArray managementPassword;
};
