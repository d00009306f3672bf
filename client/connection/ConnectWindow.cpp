#include "connection/ConnectWindow.h"
#include "ui_ConnectWindow.h"

#include "api/ApiSettings.h"
#include "api/NetworkManager.h"
#include "connection/BrumeConfig.h"
#include "connection/ConnectWindowHost.h"
#include "connection/OpenVPNConnectorQt.h"
#include "connection/ServiceRequests.h"
#include "connection/StunnelManager.h"
#include "data/ConfigServer.h"
#include "data/LocalSettings.h"
#include "data/VpnProtocol.h"
#include "log/Log.h"
#include "platform/ClientTempDir.h"
#include "resources/ClientResources.h"
#include "widgets/MessageBoxes.h"
#include "widgets/RotateWidget.h"
#include "widgets/ShowLog.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QPointer>
#include <QSettings>
#include <QTemporaryFile>
#include <QTimer>
#include <QUrl>

namespace {

const QString title = QStringLiteral("Quarnel");

// How long construction waits for the web API host's address: with the kill switch
// already on at start, DNS may be blocked and a lookup would otherwise hang the screen.
constexpr int apiHostWaitMs = 2000;

QString colourSheet(const char* colour)
{
    return QStringLiteral("color: %1;").arg(QLatin1String(colour));
}

bool settingFlag(const char* key)
{
    return LocalSettings::instance()->value(QLatin1String(key)).toBool();
}

} // namespace

ConnectWindow::ConnectWindow(QWidget* parent, ConnectWindowHost* host, NetworkManager* network)
    : QWidget(parent), ui(new Ui::ConnectWindow), host(host),
      network(network != nullptr ? network : NetworkManager::instance())
{
    initClientResources();
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    ui->btnAccount->setIcon(QIcon(QStringLiteral(":/resources/account.svg")));
    ui->btnSettings->setIcon(QIcon(QStringLiteral(":/resources/settings.svg")));
    ui->btnLog->setIcon(QIcon(QStringLiteral(":/resources/log.svg")));
    ui->lbRing->setStyleSheet(
        QStringLiteral("QLabel{background-color:transparent; image: url(:/resources/ring-green.svg);}"));
    // The pictures lie over the connect button; clicks must reach it.
    ui->lbRing->setAttribute(Qt::WA_TransparentForMouseEvents);
    ui->lbSpinner->setAttribute(Qt::WA_TransparentForMouseEvents);
    ui->lbRing->raise();
    ui->lbSpinner->raise();

    showLog = QSharedPointer<ShowLog>::create(this);
    autoConnectPending =
        QSettings().value(QLatin1String(SettingsKey::autoConnectOnStart)).toString() == QLatin1String("true");
    stunnel = QSharedPointer<StunnelManager>::create();
    readFirewallFlags();
    resolveApiHost();
    subscriptionTimer = QSharedPointer<QTimer>::create();
    subscriptionTimer->setInterval(10000);

    QObject::connect(ui->btnSettings, &QPushButton::clicked, this, &ConnectWindow::onSettings);
    QObject::connect(ui->btnAccount, &QPushButton::clicked, this, &ConnectWindow::onAccount);
    QObject::connect(ui->btnConnect, &QPushButton::clicked, this, &ConnectWindow::onClickConnect);
    QObject::connect(ui->btnLocation, &QPushButton::clicked, this, &ConnectWindow::onSelectLocation);
    QObject::connect(ui->btnRenew, &QPushButton::clicked, this, &ConnectWindow::onRenewButtonClicked);
    QObject::connect(ui->btnLog, &QPushButton::clicked, this, &ConnectWindow::onShowLog);
    QObject::connect(&connection, &Connection::connected, this, &ConnectWindow::onConnected);
    QObject::connect(&connection, &Connection::disconnected, this, &ConnectWindow::onDisconnected);
    QObject::connect(&connection, &Connection::error, this, &ConnectWindow::onConnectionError);
    QObject::connect(Connection::connector(), &QThread::finished, this, &ConnectWindow::onTunnelRunEnded);
    QObject::connect(&connection, &Connection::logUpdate, this, &ConnectWindow::onConnectionUpdateLog);
    QObject::connect(this->network, &NetworkManager::gotIpTimezone, this, &ConnectWindow::onChangeTimezone);
    QObject::connect(this->network, &NetworkManager::gotBuyLink, this, &ConnectWindow::goBuyLink);
    QObject::connect(subscriptionTimer.data(), &QTimer::timeout, this, &ConnectWindow::doUpdateSubscriptionInfo);

    ui->lbSubscription->hide();
    ui->lbSubscriptionNote->hide();
    ui->btnRenew->hide();
    setInterfaceState(Idle);
}

ConnectWindow::~ConnectWindow()
{
    if (!shuttingDown) {
        shutdown();
    }
    // A write still running reports to a watcher that must not reach a half-destroyed window.
    delete writeWatcher;
    writeWatcher = nullptr;
    releaseSpinner();
    delete ui;
}

void ConnectWindow::resolveApiHost()
{
    const QString hostName = QUrl(api::apiBaseUrl()).host();
    if (hostName.isEmpty()) {
        return;
    }
    const QHostAddress literal(hostName);
    if (!literal.isNull()) {
        extraAddresses.append(literal.toString());
        return;
    }
    // An answer after the wait still counts for the requests that follow it.
    QEventLoop loop;
    QPointer<QEventLoop> waiting(&loop);
    QHostInfo::lookupHost(hostName, this, [this, waiting](const QHostInfo& info) {
        const QList<QHostAddress> addresses = info.addresses();
        if (!addresses.isEmpty() && !extraAddresses.contains(addresses.first().toString())) {
            extraAddresses.append(addresses.first().toString());
        }
        if (waiting) {
            waiting->quit();
        }
    });
    QTimer::singleShot(apiHostWaitMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void ConnectWindow::setServers(const QList<ServerInfo>& list)
{
    servers.clear();
    for (const ServerInfo& server : list) {
        servers.insert(ServerIdentif(server.user, server.id), server);
    }
    const QStringList parts = LocalSettings::instance()
                                  ->value(QLatin1String(SettingsKey::lastLocationId))
                                  .toString()
                                  .split(QStringLiteral("::"));
    const ServerIdentif last = parts.size() >= 2 ? ServerIdentif(parts.at(0), parts.at(1)) : ServerIdentif();
    if (servers.contains(last)) {
        onServerChanged(last);
    } else {
        clearSelectedServer();
    }
}

void ConnectWindow::setCredentials(const QString& newLogin, const QString& newPassword)
{
    login = newLogin;
    password = newPassword;
}

void ConnectWindow::applySettings()
{
    const QSharedPointer<LocalSettings> store = LocalSettings::instance();
    login = store->value(QLatin1String(SettingsKey::login)).toString();
    password = store->value(QLatin1String(SettingsKey::password)).toString();
    autoConnectPending = settingFlag(SettingsKey::autoConnectOnStart);
    if (!VpnProtocol::serverOffers(selected, VpnProtocol::currentProtocolId(*store))) {
        clearSelectedServer();
        store->setValue(QLatin1String(SettingsKey::lastLocationId), QString());
    }
    const servicepipe::FirewallOptions before = firewallFlags;
    readFirewallFlags();
    if (before.killConnect != firewallFlags.killConnect || before.iPv6LeakProtect != firewallFlags.iPv6LeakProtect ||
        before.allowLocalDevices != firewallFlags.allowLocalDevices) {
        doFirewall(true);
    }
    setFirewall(firewallFlags.killConnect != 0);
}

void ConnectWindow::tryAutoConnect()
{
    // Only from idle: an attempt under way is what the connect at start asked for. The
    // connection screen re-reads the settings when an attempt begins, which sets the
    // pending mark again, and a second call (the sign-in answering after the cached
    // catalogue started the attempt) would otherwise act as a click that calls it off.
    if (state == Idle && !selected.ip.isEmpty() && !selected.flag.isEmpty() && autoConnectPending) {
        autoConnectPending = false;
        onClickConnect();
    }
}

void ConnectWindow::storeLastLocation()
{
    LocalSettings::instance()->setValue(QLatin1String(SettingsKey::lastLocationId),
                                        ServerIdentif(selected.user, selected.id).toText());
}

void ConnectWindow::shutdown()
{
    if (shuttingDown) {
        return;
    }
    shuttingDown = true;
    connection.disconnect();
    onAsyncFinished();
    disableFirewall();
    brumeConfigFile.reset();
}

bool ConnectWindow::isConnected() const
{
    return state == Connected;
}

void ConnectWindow::readFirewallFlags()
{
    firewallFlags.killConnect = settingFlag(SettingsKey::killConnect) ? 1 : 0;
    firewallFlags.iPv6LeakProtect = settingFlag(SettingsKey::iPv6LeakProtect) ? 1 : 0;
    firewallFlags.allowLocalDevices = settingFlag(SettingsKey::allowLocalDevices) ? 1 : 0;
    firewallFlags.changeTimezone = settingFlag(SettingsKey::changeTimezone) ? 1 : 0;
}

QString ConnectWindow::addressList() const
{
    QStringList addresses{QStringLiteral("127.0.0.1")};
    for (const ServerInfo& server : servers) {
        if (!server.ip.isEmpty() && !addresses.contains(server.ip)) {
            addresses.append(server.ip);
        }
    }
    addresses += extraAddresses;
    return addresses.join(QLatin1Char(';'));
}

void ConnectWindow::setFirewall(bool enabled)
{
    if (firewallActive == enabled) {
        return;
    }
    if (!isFirewallSupported()) {
        showInformation(this, title, tr("Firewall does not support on your system."));
        return;
    }
    sendFirewall(enabled);
}

void ConnectWindow::sendFirewall(bool enable)
{
    bool ok = false;
    if (enable) {
        firewallFlags.blockDNS = autoConnectPending ? 0 : 1;
        ok = enableFirewall(addressList(), firewallFlags);
    } else {
        ok = disableFirewall();
    }
    if (ok) {
        firewallActive = !firewallActive;
    }
}

void ConnectWindow::doFirewall(bool blockDNS)
{
    if (!firewallActive) {
        return;
    }
    firewallFlags.blockDNS = blockDNS ? 1 : 0;
    updateFirewall(addressList(), firewallFlags);
}

void ConnectWindow::doFirewall()
{
    doFirewall(true);
}

void ConnectWindow::doTimezone(bool restore, QString timezoneIANA)
{
    changeTimezoneRequest(restore, timezoneIANA);
}

void ConnectWindow::doTimezone(bool restore)
{
    doTimezone(restore, QString());
}

void ConnectWindow::onServerChanged(ServerIdentif server)
{
    const auto found = servers.constFind(server);
    if (found == servers.constEnd()) {
        return;
    }
    LocalSettings::instance()->setValue(QLatin1String(SettingsKey::lastLocationId),
                                        QStringLiteral("%1::%2").arg(server.first, server.second));
    selected = found.value();
    ui->lbLocation->setText(selected.id);
    if (host != nullptr) {
        host->locationChanged(selected.id);
    }
}

void ConnectWindow::clearSelectedServer()
{
    selected = ServerInfo();
    ui->lbLocation->clear();
}

void ConnectWindow::onClickConnect()
{
    switch (state) {
    case Writing:
        cancelRequested = true;
        return;
    case Starting:
        // The tunnel program is already on its way: stop it, or it would come up after
        // the user called the attempt off.
        cancelRequested = true;
        state = Idle;
        connection.disconnect();
        stopStunnelIfStealth();
        setInterfaceState(Idle);
        return;
    case Connected:
        state = Idle;
        setInterfaceState(Idle);
        connection.disconnect();
        return;
    case Idle:
        connectSequence();
        return;
    case Preparing:
        if (!brumeMode) {
            state = Idle;
            QTimer::singleShot(500, this, [this] { connection.disconnect(); });
            setInterfaceState(Idle);
        }
        return;
    default:
        return;
    }
}

void ConnectWindow::connectSequence()
{
    ++attempts;
    cancelRequested = false;
    if (host != nullptr) {
        host->showConnectionScreen();
    }
    if (selected.ip.isEmpty() || selected.flag.isEmpty()) {
        onSelectLocation();
        return;
    }
    if (connection.isRasConnected()) {
        appendLog(QStringLiteral("connection_.isConnected()"));
        return;
    }

    state = Preparing;
    QByteArray config;
    QByteArray certificate;
    QByteArray key;
    if (!loadCredentialsOrWarn(config, certificate, key)) {
        return;
    }
    setInterfaceState(Preparing);
    doFirewall(false);
    if (!waitProcessingEvents(800)) {
        return;
    }
    // A click during the wait called the attempt off (and the window may be closing).
    if (state != Preparing || shuttingDown) {
        return;
    }

    const int protocolId = VpnProtocol::currentProtocolId();
    if (protocolId == VpnProtocol::Brume) {
        startBrume();
    } else {
        startOpenVpn(protocolId, config, certificate, key);
    }
}

bool ConnectWindow::loadCredentialsOrWarn(QByteArray& config, QByteArray& certificate, QByteArray& key)
{
    config = network->config();
    if (config.isEmpty()) {
        showWarning(this, title, tr("Error of loading of the config."));
        return false;
    }
    certificate = network->certificate(selected.user);
    if (certificate.isEmpty()) {
        showWarning(this, title, tr("Error of loading of the certificate."));
        return false;
    }
    key = network->privateKey(selected.user);
    if (key.isEmpty()) {
        showWarning(this, title, tr("Error of loading of the key."));
        return false;
    }
    return true;
}

void ConnectWindow::startBrume()
{
    showLog->clear();
    autoConnectPending = false;
    brumeMode = true;
    // The previous attempt's file goes; the new one lives in the client's private
    // directory, never in the shared temporary one.
    brumeConfigFile.reset();
    const QString dir = platform::clientTempDirectory();
    if (!dir.isEmpty()) {
        brumeConfigFile = std::make_unique<QTemporaryFile>(dir + QStringLiteral("/Quarnel.brume-XXXXXX.json"));
    }
    if (brumeConfigFile == nullptr || !brumeConfigFile->open()) {
        brumeConfigFile.reset();
        showLog->appendText(QStringLiteral("Failed to create temporary file for config"));
        return;
    }
    const QString json = BrumeConfig::build(selected.brume);
    brumeConfigFile->write(json.toUtf8());
    brumeConfigFile->close();
    if (!waitProcessingEvents(300) || state != Preparing || shuttingDown) {
        return;
    }
    showLog->appendText(QStringLiteral("Connect to Brume"));
    showLog->appendText(json);
    state = Starting;
    onAsyncFinished();
}

void ConnectWindow::startOpenVpn(int protocolId, const QByteArray& config, const QByteArray& certificate,
                                 const QByteArray& key)
{
    state = Writing;
    brumeMode = false;
    ConfigServer record;
    record.protocol =
        VpnProtocol::fromKey(LocalSettings::instance()->value(QLatin1String(SettingsKey::advProtocol)).toString()).key;
    record.host = selected.ip;
    record.certificate = certificate;
    record.key = key;
    record.config = config;
    if (protocolId == VpnProtocol::Stealth) {
        stunnel->start(selected.ip, selected.sslPort, selected.sni);
        record.localPort = stunnel->localPort();
    } else if (protocolId == VpnProtocol::Udp) {
        record.ports = selected.udpPorts;
    } else {
        record.ports = selected.tcpPorts;
    }
    delete writeWatcher;
    writeWatcher = new QFutureWatcher<bool>(this);
    QObject::connect(writeWatcher, &QFutureWatcher<bool>::finished, this, &ConnectWindow::onAsyncFinished);
    writeWatcher->setFuture(ovpnFile.startWrite(record, VpnProtocol::isStealth()));
}

void ConnectWindow::performStep()
{
    if (state == Writing) {
        showLog->clear();
        state = Starting;
        performStep();
        return;
    }
    if (state != Starting) {
        return;
    }
    if (brumeMode) {
        if (brumeConfigFile != nullptr) {
            Connection::connector()->startSingBox(brumeConfigFile->fileName());
        }
        return;
    }
    autoConnectPending = false;
    if (writeWatcher != nullptr && writeWatcher->isFinished() && !writeWatcher->result()) {
        showLog->appendText(tr("The OpenVPN configuration could not be written."));
    }
    connection.connect(selected, selected.user, selected.password, ovpnFile.path());
}

void ConnectWindow::onAsyncFinished()
{
    if (state == Writing || state == Starting) {
        if (!cancelRequested) {
            performStep();
        } else {
            state = Idle;
            stopStunnelIfStealth();
            setInterfaceState(Idle);
        }
    } else if (state == Failed) {
        stopStunnelIfStealth();
        ui->btnConnect->setEnabled(true);
        state = Idle;
    }
}

void ConnectWindow::onConnected()
{
    // A tunnel that comes up after the user called the attempt off is taken down again.
    if (state != Starting && state != Connected) {
        connection.disconnect();
        return;
    }
    state = Connected;
    attempts = 0;
    if (firewallFlags.changeTimezone != 0) {
        if (isTimezoneSupported()) {
            network->ipTimezoneRequest();
        } else {
            showInformation(this, title, tr("Timezone changes does not support on your system."));
            LocalSettings::instance()->setValue(QLatin1String(SettingsKey::changeTimezone), false);
            readFirewallFlags();
        }
    }
    setInterfaceState(state);
    emit connected();
}

void ConnectWindow::onChangeTimezone(QString timezoneIANA, bool success)
{
    if (success && !timezoneIANA.isEmpty()) {
        changeTimezoneRequest(false, timezoneIANA);
    } else {
        showInformation(this, title, tr("Timezone is not changed because of no data."));
    }
}

void ConnectWindow::onDisconnected()
{
    // Sent by the previous run after its error while the next attempt is prepared: there
    // is no tunnel of this attempt yet to have gone down.
    if (state == Preparing || state == Writing) {
        return;
    }
    state = Failed;
    if (host != nullptr) {
        host->tunnelEnded();
    }
    setInterfaceState(Failed);
    ui->btnConnect->setEnabled(false);
    repaint();
    onAsyncFinished();
    doFirewall(true);
    if (firewallFlags.changeTimezone != 0) {
        changeTimezoneRequest(true, QString());
    }
}

void ConnectWindow::onConnectionError(QString msg)
{
    // Only a running tunnel fails; anything else is late news of an attempt already over.
    if (state != Starting && state != Connected) {
        appendLog(QStringLiteral("Ignored a tunnel error after the attempt ended: ") + msg);
        return;
    }
    state = Failed;
    setInterfaceState(Failed);
    if (host != nullptr) {
        host->tunnelEnded();
    }
    if (attempts < 3) {
        if (Connection::connector()->isRunning()) {
            // OpenVPN may still be saying goodbye to the server after its error. The
            // attempt shows as under way; a click meanwhile calls it off as usual.
            state = Preparing;
            setInterfaceState(Preparing);
            retryWhenRunEnds = true;
            connection.disconnect();
            return;
        }
        state = Idle;
        onClickConnect();
        return;
    }
    attempts = 0;
    if (!msg.isEmpty()) {
        appendLog(QStringLiteral("onConnectionError()"));
        if (host != nullptr) {
            host->bringToFront();
        }
        showInformation(this, title, msg);
    }
    stopStunnelIfStealth();
    state = Idle;
    setInterfaceState(Idle);
}

void ConnectWindow::onTunnelRunEnded()
{
    if (!retryWhenRunEnds) {
        return;
    }
    retryWhenRunEnds = false;
    if (state != Preparing || shuttingDown) {
        return;
    }
    state = Idle;
    onClickConnect();
}

void ConnectWindow::stopStunnelIfStealth()
{
    if (VpnProtocol::isStealth()) {
        stunnel->stop();
    }
}

void ConnectWindow::onWirelessConnectionChanged(bool isConnected, QString ssid)
{
    Q_UNUSED(ssid)
    if (isConnected) {
        QTimer::singleShot(2000, this, [this] { doFirewall(); });
    }
}

void ConnectWindow::doUpdateClient(QString updatePathName)
{
    Q_UNUSED(updatePathName)
}

void ConnectWindow::onMyIpUpdated(bool isConnected, QString myIp, QString countryCode)
{
    Q_UNUSED(isConnected)
    Q_UNUSED(myIp)
    Q_UNUSED(countryCode)
}

void ConnectWindow::onShowLog()
{
    showLog->show();
    showLog->raise();
}

void ConnectWindow::onSelectLocation()
{
    switch (state) {
    case Connected:
    case Preparing:
    case Writing:
    case Starting:
        onShowLog();
        return;
    case Idle:
        emit serverList(VpnProtocol::currentProtocolId());
        return;
    default:
        return;
    }
}

void ConnectWindow::onConnectionUpdateLog(QString text)
{
    showLog->onUpdateLog(text);
}

void ConnectWindow::onSettings()
{
    emit settings();
}

void ConnectWindow::onAccount()
{
    emit account();
}

void ConnectWindow::onRenewButtonClicked()
{
    network->getBuyLinkRequest(LocalSettings::instance()->value(QLatin1String(SettingsKey::vpnLogin)).toString());
    ui->btnRenew->setEnabled(false);
}

void ConnectWindow::doUpdateSubscriptionInfo()
{
    if (!isVisible()) {
        return;
    }
    const QString vpnLogin = LocalSettings::instance()->value(QLatin1String(SettingsKey::vpnLogin)).toString();
    const QDateTime end = network->account(vpnLogin).expires;
    const bool near = end.isValid() && qAbs(QDateTime::currentDateTime().daysTo(end)) <= 7;
    if (near) {
        ui->lbSubscription->setText(tr("VPN subscription expires: %1").arg(end.toString(QStringLiteral("dd.MM.yyyy"))));
    }
    ui->lbSubscription->setVisible(near);
    ui->lbSubscriptionNote->setVisible(near);
    ui->btnRenew->setVisible(near);
}

void ConnectWindow::goBuyLink(QString url)
{
    if (isVisible()) {
        QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
    }
    ui->btnRenew->setEnabled(true);
}

void ConnectWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    subscriptionTimer->start();
    doUpdateSubscriptionInfo();
}

void ConnectWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    subscriptionTimer->stop();
}

void ConnectWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        retranslate();
    }
    QWidget::changeEvent(event);
}

void ConnectWindow::retranslate()
{
    // The form's texts are back to their defaults; put back what the state says.
    setInterfaceState(state == Failed ? Idle : state);
    doUpdateSubscriptionInfo();
}

bool ConnectWindow::waitProcessingEvents(int ms)
{
    QPointer<ConnectWindow> alive(this);
    QElapsedTimer clock;
    clock.start();
    for (qint64 left = ms; alive && left > 0; left = ms - clock.elapsed()) {
        QEventLoop slice;
        QTimer::singleShot(static_cast<int>(qMin<qint64>(100, left)), &slice, &QEventLoop::quit);
        slice.exec();
    }
    return !alive.isNull();
}

void ConnectWindow::tell(ConnectWindowHost::TunnelState tunnelState)
{
    if (host != nullptr) {
        host->tunnelStateChanged(tunnelState);
    }
}

void ConnectWindow::setInterfaceState(int interfaceState)
{
    switch (interfaceState) {
    case Connected:
        ui->btnConnect->setIcon(QIcon(QStringLiteral(":/resources/connect-red.svg")));
        ui->lbShield->setStyleSheet(QStringLiteral("image: url(:/resources/shield-green.svg);"));
        ui->lbLocation->setStyleSheet(colourSheet("#7ed321"));
        ui->lbStatus->setText(tr("You are protected"));
        ui->lbRing->show();
        ui->lbSpinner->hide();
        releaseSpinner();
        tell(ConnectWindowHost::TunnelState::Connected);
        break;
    case Idle:
    case Failed:
        ui->btnConnect->setIcon(QIcon(QStringLiteral(":/resources/connect-green.svg")));
        ui->btnLocation->setIcon(QIcon(QStringLiteral(":/resources/location-blue.svg")));
        ui->btnLocation->setIconSize(QSize(15, 15));
        ui->btnLocation->setText(tr("Select VPN Location"));
        ui->btnLocation->setStyleSheet(colourSheet("#33a5db"));
        ui->lbShield->setStyleSheet(QStringLiteral("image: url(:/resources/shield-grey.svg);"));
        ui->lbLocation->setStyleSheet(colourSheet("#4a4a4a"));
        ui->lbStatus->setText(tr("You are not protected"));
        ui->btnSettings->setEnabled(true);
        ui->lbRing->hide();
        ui->lbSpinner->show();
        ui->lbSpinner->setStyleSheet(
            QStringLiteral("QLabel{background-color:transparent; image: url(:/resources/rotator-orange.png);}"));
        releaseSpinner();
        tell(ConnectWindowHost::TunnelState::Disconnected);
        break;
    case Preparing:
        ui->btnConnect->setIcon(QIcon(QStringLiteral(":/resources/connect-orange.svg")));
        ui->btnLocation->setIcon(QIcon(QStringLiteral(":/resources/location-info.svg")));
        ui->btnLocation->setIconSize(QSize(15, 15));
        ui->btnLocation->setText(tr("Show connection"));
        ui->btnLocation->setStyleSheet(colourSheet("#9b9b9b"));
        ui->lbStatus->setText(tr("Connecting..."));
        ui->btnSettings->setEnabled(false);
        ui->lbRing->hide();
        showSpinner();
        ui->lbLocation->setStyleSheet(colourSheet("#ff9600"));
        tell(ConnectWindowHost::TunnelState::Connecting);
        break;
    default:
        return;
    }
    // Painted now: the caller may go on to block (a message box, a pipe request).
    repaint();
}

void ConnectWindow::showSpinner()
{
    ui->lbSpinner->show();
    ui->lbSpinner->clear();
    ui->lbSpinner->setStyleSheet(QStringLiteral("QLabel{background-color:transparent; image: none;}"));
    releaseSpinner();
    spinner = QSharedPointer<RotateWidget>::create(QStringLiteral(":/resources/rotator-orange.png"), ui->lbSpinner);
}

void ConnectWindow::releaseSpinner()
{
    spinner.reset();
}
