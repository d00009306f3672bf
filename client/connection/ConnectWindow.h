#pragma once

#include "connection/ConnectWindowHost.h"
#include "connection/Connection.h"
#include "connection/MakeOVPNFile.h"
#include "data/ServerIdentif.h"
#include "data/ServerInfo.h"
#include "pipe/FirewallOptions.h"

#include <QFutureWatcher>
#include <QList>
#include <QMap>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class NetworkManager;
class QTemporaryFile;
class QTimer;
class RotateWidget;
class ShowLog;
class StunnelManager;

namespace Ui {
class ConnectWindow;
}

// The main screen of the signed-in client and the owner of the connection logic: holds
// the selected location, prepares each attempt (OpenVPN file, stunnel, sing-box JSON),
// starts and stops the tunnel through its Connection, retries failures, switches the
// service's firewall and time zone, and shows the subscription notice.
class ConnectWindow : public QWidget
{
    Q_OBJECT

public:
    // The connection state.
    enum State
    {
        Connected = 0,
        Idle = 1,
        Preparing = 2,
        Writing = 3,
        Starting = 4,
        Failed = 5
    };

    // host may be null (nothing is told); network null means NetworkManager::instance().
    explicit ConnectWindow(QWidget* parent = nullptr, ConnectWindowHost* host = nullptr,
                           NetworkManager* network = nullptr);
    ~ConnectWindow() override;

    void setServers(const QList<ServerInfo>& servers);
    void setCredentials(const QString& login, const QString& password);
    void applySettings();
    void tryAutoConnect();
    void storeLastLocation();
    void shutdown();
    bool isConnected() const;

    // Switches the service's firewall on or off (nothing when it already is).
    void setFirewall(bool enabled);
    // "127.0.0.1", the servers' addresses in map order, then the extra addresses.
    QString addressList() const;

    int connectionState() const { return state; }
    const ServerInfo& selectedServer() const { return selected; }
    ShowLog* logWindow() const { return showLog.data(); }
    StunnelManager* stunnelManager() const { return stunnel.data(); }

signals:
    void serverList(int);
    void connected();
    void settings();
    void account();
    void support();
    void faq();

public slots:
    void onServerChanged(ServerIdentif server);
    void onClickConnect();
    void onConnected();
    void onWirelessConnectionChanged(bool connected, QString ssid);
    void doUpdateClient(QString updatePathName);
    void onDisconnected();
    void onConnectionError(QString msg);
    void onShowLog();
    void onMyIpUpdated(bool connected, QString myIp, QString countryCode);
    void onSelectLocation();
    void onConnectionUpdateLog(QString);
    void onSettings();
    void onAccount();
    void onAsyncFinished();
    void doFirewall(bool blockDNS);
    void doFirewall();
    void doTimezone(bool restore, QString timezoneIANA);
    void doTimezone(bool restore);
    void onChangeTimezone(QString timezoneIANA, bool success);
    void onRenewButtonClicked();
    void doUpdateSubscriptionInfo();
    void goBuyLink(QString url);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void connectSequence();
    bool loadCredentialsOrWarn(QByteArray& config, QByteArray& certificate, QByteArray& key);
    void startBrume();
    void startOpenVpn(int protocolId, const QByteArray& config, const QByteArray& certificate, const QByteArray& key);
    void performStep();
    void stopStunnelIfStealth();
    void setInterfaceState(int interfaceState);
    void showSpinner();
    void releaseSpinner();
    void clearSelectedServer();
    void readFirewallFlags();
    void sendFirewall(bool enable);
    // Waits ms milliseconds, processing events in slices of at most 100 ms; false when
    // the window went away meanwhile.
    bool waitProcessingEvents(int ms);
    void resolveApiHost();
    void tell(ConnectWindowHost::TunnelState tunnelState);
    void retranslate();
    void onTunnelRunEnded();

    Ui::ConnectWindow* ui;
    int state = Idle;
    bool brumeMode = false;
    std::unique_ptr<QTemporaryFile> brumeConfigFile;
    Connection connection;
    int attempts = 0;
    QMap<ServerIdentif, ServerInfo> servers;
    QString password;
    QString login;
    bool autoConnectPending = false;
    bool cancelRequested = false;
    // A retry waits for the failed run to end: until then its late signals would be
    // taken for the next attempt's, and the tunnel driver takes one run at a time.
    bool retryWhenRunEnds = false;
    bool firewallActive = false;
    bool shuttingDown = false;
    servicepipe::FirewallOptions firewallFlags;
    QStringList extraAddresses;
    ConnectWindowHost* host;
    NetworkManager* network;
    MakeOVPNFile ovpnFile;
    ServerInfo selected;
    QSharedPointer<RotateWidget> spinner;
    QSharedPointer<ShowLog> showLog;
    QSharedPointer<StunnelManager> stunnel;
    QSharedPointer<QTimer> subscriptionTimer;
    QFutureWatcher<bool>* writeWatcher = nullptr;
};
