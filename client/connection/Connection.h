#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

class OpenVPNConnectorQt;
class ServerInfo;

// The one tunnel front the connection controller talks to. OpenVPN records (UDP or TCP
// connection type) go to the process-wide OpenVPN connector, whose signals are relayed
// here in a uniform form; other types are dialled with the Windows RAS dialer (PPTP,
// L2TP), which other systems do not have.
class Connection : public QObject
{
    Q_OBJECT

public:
    // What the RAS notification posts to the front (handled on its thread).
    enum RasEvent
    {
        RasConnectedEvent = 1001,
        RasFailedEvent = 1002
    };

    explicit Connection(QObject* parent = nullptr);
    ~Connection() override;

    void connect(const ServerInfo& server, const QString& userName, const QString& password, const QString& configPath);
    // Hangs up a RAS connection (waiting until RAS has released it) and in every case
    // stops the OpenVPN connector.
    void disconnect();
    // Whether a RAS connection is held (dialled or up).
    bool isRasConnected() const { return rasHandle != nullptr; }

    // The process-wide connector; null when no Connection exists.
    static OpenVPNConnectorQt* connector();
    // The text shown for a connector error code (a ConnectorError's number); a code the
    // connector does not know is shown as its number.
    static QString errorMessage(int code);

    // The RAS dial status: the last state name with its result.
    static QString rasStatus();
    // Called on the RAS thread for every dial notification: keeps the status text, writes
    // it to the log file and posts `event` (a RasEvent, or 0 for none) to the front.
    static void rasNotified(const QString& status, int event);

signals:
    void connected();
    void disconnected(bool);
    void error(QString error);
    void statisticsChanged(double download, double upload, double totalDownload, double totalUpload);
    void logUpdate(QString);

public slots:
    void onOvpnConnected();
    void onOvpnError(int);
    void onOvpnDisconnected();
    void onStatisticsUpdate(quint64, quint64);
    void onOvpnLogUpdate(QString);

protected:
    void customEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // Per system (win/ConnectionRas.cpp, linux/ConnectionRas.cpp).
    void dialRas(const ServerInfo& server, const QString& userName, const QString& password);
    void hangUpRas();
    void sampleRasStatistics();

    void rasSample(quint32 received, quint32 sent);
    void rasConnectionGone();
    void emitStatistics(quint32 received, quint32 sent);
    void stopStatisticsTimer();

    void* rasHandle = nullptr;
    int statisticsTimerId = 0;
    bool firstSample = true;
    quint32 previousReceived = 0;
    quint32 previousSent = 0;
};
