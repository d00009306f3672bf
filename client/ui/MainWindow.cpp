#include "ui/MainWindow.h"

#include "ui_MainWindow.h"

#include "api/ReachabilityQt.h"
#include "connection/ConnectWindow.h"
#include "data/LocalSettings.h"
#include "data/VpnProtocol.h"
#include "platform/ClientTempDir.h"
#include "resources/ClientResources.h"
#include "servers/ServerListWindow.h"
#include "ui/AccountWindow.h"
#include "ui/LoginWindow.h"
#include "ui/SelectionAccountWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/SubscriptionPurchaseWindow.h"
#include "update/ProgressDlg.h"
#include "update/SoftwareUpdater.h"
#include "update/UpdateBackoff.h"
#include "widgets/MessageBoxes.h"
#include "widgets/SystemTray.h"

#include "Version.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString title = QStringLiteral("Quarnel");

QString stored(const char* key)
{
    return LocalSettings::instance()->value(QLatin1String(key)).toString();
}

void store(const char* key, const QVariant& value)
{
    LocalSettings::instance()->setValue(QLatin1String(key), value);
}

} // namespace

MainWindow::MainWindow(QWidget* parent, NetworkManager* network, Environment environment)
    : QMainWindow(parent), ui(std::make_unique<Ui::MainWindowClass>()),
      network(network != nullptr ? network : NetworkManager::instance()), environment(std::move(environment)),
      updateBackoff(std::make_unique<UpdateBackoff>())
{
    if (!this->environment.trayAvailable)
        this->environment.trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    if (!this->environment.quit)
        this->environment.quit = [] { QCoreApplication::quit(); };

    QCoreApplication::setOrganizationName(QStringLiteral("CPKV"));
    QCoreApplication::setApplicationName(QStringLiteral("Quarnel"));
    initClientResources();
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);

    tray = new SystemTray(this);
    connect(tray, &SystemTray::clickShow, this, &MainWindow::onTrayShow);
    connect(tray, &SystemTray::clickConnect, this, &MainWindow::onTrayConnect);
    connect(tray, &SystemTray::clickReconnect, this, &MainWindow::onTrayReconnect);
    connect(tray, &SystemTray::clickDisconnect, this, &MainWindow::onTrayDisconnect);
    connect(tray, &SystemTray::clickExit, this, &MainWindow::onExit);

    QWidget* central = ui->mainCentralWidget;
    loginWindow = new LoginWindow(central);
    settingsWindow = new SettingsWindow(central);
    connectWindow = new ConnectWindow(central, this, this->network);
    serverListWindow = new ServerListWindow(central);
    purchaseWindow = new SubscriptionPurchaseWindow(central, this->network);
    accountWindow = new AccountWindow(central, this->network);
    selectionWindow = new SelectionAccountWindow(central);
    for (QWidget* screen : screens()) {
        ui->verticalLayout->addWidget(screen);
        screen->hide();
    }

    connect(loginWindow, &LoginWindow::signedIn, this, &MainWindow::onSignIn);
    connect(settingsWindow, &SettingsWindow::back, this, &MainWindow::onBack);
    connect(settingsWindow, &SettingsWindow::changed, this, &MainWindow::onSettingsChanged);
    connect(connectWindow, &ConnectWindow::settings, this, &MainWindow::onSettings);
    connect(connectWindow, &ConnectWindow::account, this, &MainWindow::onAccount);
    connect(connectWindow, &ConnectWindow::serverList, this, &MainWindow::onServerList);
    connect(connectWindow, &ConnectWindow::connected, this, &MainWindow::onConnected);
    connect(serverListWindow, &ServerListWindow::back, this, &MainWindow::onBack);
    connect(serverListWindow, &ServerListWindow::serverSelected, this, &MainWindow::onChangeServer);
    connect(serverListWindow, &ServerListWindow::serverUpdate, this, &MainWindow::onServerListUpdateRequest);
    connect(purchaseWindow, &SubscriptionPurchaseWindow::returnToSignUp, this, &MainWindow::onReturnToSignUp);
    connect(accountWindow, &AccountWindow::back, this, &MainWindow::onBack);
    connect(accountWindow, &AccountWindow::returnToSignUp, this, &MainWindow::onReturnToSignUp);
    connect(accountWindow, &AccountWindow::accountChanged, this, &MainWindow::onSubscriptionChange);
    connect(selectionWindow, &SelectionAccountWindow::continueAuth, this, &MainWindow::onSubscriptionSelected);

    settingsWindow->setAppVersion(QString::fromLatin1(clientVersion));
    // Installs the stored (or the system's) language for the whole client.
    settingsWindow->selectLanguage();

    // Nothing in the background before the first frame.
    this->network->holdLatencyBatches();
    whenOnScreen([this] { this->network->releaseLatencyBatches(); });
    connect(this->network, &NetworkManager::serverUpdated, this, &MainWindow::onServerUpdateFinished);
    connect(this->network, &NetworkManager::auth, this, &MainWindow::onAuthRequest);
    reachability = new ReachabilityQt(this);
    connect(reachability, &ReachabilityQt::statusChangeWifi, this, &MainWindow::onStatusChangeWifi);

    // Left-overs and the log files of earlier runs.
    removeTemporaryFiles({QStringLiteral("Quarnel*.txt"), QStringLiteral("Quarnel.*")});
}

MainWindow::~MainWindow()
{
    removeTemporaryFiles({QStringLiteral("Quarnel.*")});
    // The progress dialog and the timers go before the screens they refer to.
    progressDialog.reset();
    updateTimer.reset();
    retryTimer.reset();
    updater.reset();
}

void MainWindow::removeTemporaryFiles(const QStringList& patterns)
{
    const QString path = platform::clientTempDirectory();
    if (path.isEmpty())
        return;
    QDir dir(path);
    for (const QString& name : dir.entryList(patterns, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot))
        dir.remove(name);
}

std::array<QWidget*, 7> MainWindow::screens() const
{
    return {loginWindow,    settingsWindow, connectWindow,  serverListWindow,
            purchaseWindow, accountWindow,  selectionWindow};
}

bool MainWindow::hasTray() const
{
    return environment.trayAvailable();
}

QWidget* MainWindow::currentScreen() const
{
    for (QWidget* screen : screens()) {
        if (!screen->isHidden())
            return screen;
    }
    return nullptr;
}

void MainWindow::showOnly(QWidget* screen)
{
    for (QWidget* other : screens()) {
        if (other != screen)
            other->hide();
    }
    screen->show();
    fixSize();
}

void MainWindow::fixSize()
{
    adjustSize();
    setFixedSize(340, 500);
}

void MainWindow::beginSession()
{
    const auto settings = LocalSettings::instance();
    const QString login = stored(SettingsKey::login);
    const QString password = stored(SettingsKey::password);
    if (settings->value(QLatin1String(SettingsKey::rememberUser)).toBool() && !login.isEmpty() && !password.isEmpty()) {
        autoSignIn = true;
        loginWindow->hide();
        connectWindow->show();
        connectWindow->setServers(network->servers());
        signIn(login, password);
    } else {
        loginWindow->show();
        settings->resetToDefaults();
        tray->setActionsEnabled(false);
        show();
    }
    fixSize();
}

void MainWindow::signIn(const QString& login, const QString& password)
{
    store(SettingsKey::login, login);
    store(SettingsKey::password, password);
    liteAccount = LocalSettings::instance()->isLiteAccount();
    tray->setActionsEnabled(false);
    connectWindow->setCredentials(login, password);
    connectWindow->applySettings();
    // At start the request, which parses the system's certificate store, waits for the
    // cached catalogue to be on screen.
    whenOnScreen([this, login, password] { network->authRequest(login, password); });
    fixSize();
}

void MainWindow::whenOnScreen(std::function<void()> work)
{
    if (firstFrameShown) {
        work();
        return;
    }
    afterFirstFrame.push_back(std::move(work));
    if (firstFrameDeadline != nullptr)
        return;
    ui->mainCentralWidget->installEventFilter(this);
    firstFrameDeadline = new QTimer(this);
    firstFrameDeadline->setSingleShot(true);
    connect(firstFrameDeadline, &QTimer::timeout, this, &MainWindow::runWorkAfterFirstFrame);
    firstFrameDeadline->start(environment.firstFrameDeadlineMs);
}

void MainWindow::runWorkAfterFirstFrame()
{
    if (firstFrameShown)
        return;
    firstFrameShown = true;
    ui->mainCentralWidget->removeEventFilter(this);
    firstFrameDeadline->deleteLater();
    firstFrameDeadline = nullptr;
    const std::vector<std::function<void()>> pending = std::move(afterFirstFrame);
    afterFirstFrame.clear();
    for (const auto& work : pending)
        work();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The frame reaches the screen when this paint is done: the work goes after it.
    if (watched == ui->mainCentralWidget && event->type() == QEvent::Paint && !firstFrameShown)
        QTimer::singleShot(0, this, &MainWindow::runWorkAfterFirstFrame);
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::onSignIn(QString login, QString password)
{
    LocalSettings::instance()->resetToDefaults();
    signIn(login, password);
}

void MainWindow::onAuthRequest(NetworkManager::ApiError code, QString message)
{
    Q_UNUSED(message)
    loginWindow->setEnabled(true);
    QApplication::restoreOverrideCursor();
    switch (code) {
    case NetworkManager::NoError:
    case NetworkManager::LiteAccount:
        liteAccount = code == NetworkManager::LiteAccount;
        LocalSettings::instance()->setLiteAccount(liteAccount);
        if (liteAccount)
            store(SettingsKey::killConnect, false);
        if (purchaseWindow->isVisible())
            purchaseWindow->hide();
        chooseVpnLogin();
        return;
    case NetworkManager::WrongCredentials:
        showWarning(this, title, tr("Wrong Login/Password."));
        return;
    case NetworkManager::UnsupportedVersion:
        showOutdated();
        return;
    case NetworkManager::NoSubscription:
        showOnly(purchaseWindow);
        return;
    default:
        break;
    }

    liteAccount = LocalSettings::instance()->isLiteAccount();
    if (autoSignIn) {
        // The remembered user goes on with the cached catalogue, without a word.
        autoSignIn = false;
        scheduleUpdateCheck();
        connectWindow->setServers(network->servers());
        connectWindow->tryAutoConnect();
        showTrayState();
        return;
    }
    showOnly(loginWindow);
    if (code == NetworkManager::RequestFailed) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        loginWindow->setEnabled(false);
        const bool internet = network->checkInternet();
        loginWindow->setEnabled(true);
        QApplication::restoreOverrideCursor();
        showWarning(this, title,
                    internet ? tr("Application has no access to Orvessa")
                             : tr("Application has no access to network."));
    }
}

void MainWindow::chooseVpnLogin()
{
    const QStringList logins = network->vpnLogins();
    const bool remember = LocalSettings::instance()->value(QLatin1String(SettingsKey::rememberUser)).toBool();
    if (logins.size() == 1 && !remember) {
        store(SettingsKey::vpnLogin, logins.first());
        proceedAfterSignIn();
        return;
    }
    if (logins.size() >= 2 && !remember) {
        selectionWindow->setUsers(logins);
        showOnly(selectionWindow);
        return;
    }
    const QString current = stored(SettingsKey::vpnLogin);
    if (current.isEmpty() || !logins.contains(current))
        store(SettingsKey::vpnLogin, logins.isEmpty() ? QString() : logins.first());
    proceedAfterSignIn();
}

void MainWindow::onSubscriptionSelected(QString login)
{
    store(SettingsKey::vpnLogin, login);
    proceedAfterSignIn();
}

void MainWindow::proceedAfterSignIn()
{
    store(SettingsKey::rememberUser, true);
    if (loginWindow->isVisible() || selectionWindow->isVisible())
        showOnly(connectWindow);
    const QList<ServerInfo> servers = network->servers();
    if (serverListWindow->isVisible())
        serverListWindow->setServers(servers.toVector(), VpnProtocol::currentProtocolId(), true);
    connectWindow->setServers(servers);
    connectWindow->tryAutoConnect();
    showTrayState();
    scheduleUpdateCheck();
}

void MainWindow::showTrayState()
{
    // Signed in: the tray's connection actions follow the tunnel again.
    if (connectWindow->isConnected())
        tray->setConnected(false);
    else if (tray->currentState() != 1)
        tray->setDisconnected(false);
}

void MainWindow::onServerUpdateFinished(NetworkManager::ApiError code, QString message)
{
    Q_UNUSED(message)
    if (loginWindow->isVisible() || connectWindow->isConnected())
        return;
    switch (code) {
    case NetworkManager::NoError: {
        const QList<ServerInfo> servers = network->servers();
        connectWindow->setServers(servers);
        if (serverListWindow->isVisible()) {
            serverListWindow->setServers(servers.toVector(), -1, true);
        } else if (connectWindow->isVisible()) {
            show();
            connectWindow->tryAutoConnect();
            connectWindow->show();
            fixSize();
        }
        return;
    }
    case NetworkManager::UnsupportedVersion:
        showOutdated();
        return;
    default:
        retryTimer = QSharedPointer<QTimer>::create();
        retryTimer->setSingleShot(true);
        retryTimer->setInterval(environment.serverRetryMs);
        connect(retryTimer.data(), &QTimer::timeout, this, &MainWindow::onServerListUpdateRequest);
        retryTimer->start();
        return;
    }
}

void MainWindow::onServerListUpdateRequest()
{
    network->serverListRequest();
    network->pingDoubleServerRequest();
}

void MainWindow::showOutdated()
{
    showInformation(this, title, tr("Your version is outdated. Please, download new Quarnel app on Orvessa"));
    environment.quit();
}

void MainWindow::onSettings()
{
    connectWindow->storeLastLocation();
    connectWindow->hide();
    settingsWindow->load(VpnProtocol::availableProtocolIds(network->servers()));
    settingsWindow->showForAccount(!liteAccount);
    fixSize();
}

void MainWindow::onAccount()
{
    connectWindow->storeLastLocation();
    showOnly(accountWindow);
}

void MainWindow::onStatus()
{
    settingsWindow->hide();
    connectWindow->show();
}

void MainWindow::onConnected() {}

void MainWindow::onWakeUp()
{
    activateWindow();
}

void MainWindow::onBack()
{
    settingsWindow->hide();
    serverListWindow->hide();
    accountWindow->hide();
    connectWindow->applySettings();
    connectWindow->show();
    fixSize();
}

void MainWindow::onServerList(int protocol)
{
    onServerListUpdateRequest();
    connectWindow->storeLastLocation();
    connectWindow->hide();
    settingsWindow->hide();
    serverListWindow->setServers(network->servers().toVector(), protocol, false);
    serverListWindow->show();
    fixSize();
}

void MainWindow::onChangeServer(ServerIdentif server)
{
    serverListWindow->hide();
    settingsWindow->hide();
    connectWindow->show();
    fixSize();
    connectWindow->onServerChanged(server);
    connectWindow->onClickConnect();
}

void MainWindow::onTrayConnect()
{
    connectWindow->onClickConnect();
}

void MainWindow::onTrayDisconnect()
{
    connectWindow->onClickConnect();
}

void MainWindow::onTrayReconnect()
{
    connectWindow->onClickConnect();
    tray->setConnecting();
    QTimer::singleShot(environment.reconnectMs, connectWindow, &ConnectWindow::onClickConnect);
}

void MainWindow::onTrayShow()
{
    onShow();
}

void MainWindow::onSettingsChanged() {}

void MainWindow::showConnectionScreen()
{
    showOnly(connectWindow);
    connectWindow->applySettings();
}

void MainWindow::bringToFront()
{
    onShow();
}

void MainWindow::tunnelStateChanged(TunnelState state)
{
    switch (state) {
    case TunnelState::Connected:
        tray->setConnected(false);
        break;
    case TunnelState::Connecting:
        tray->setConnecting();
        break;
    case TunnelState::Disconnected:
        tray->setDisconnected(false);
        break;
    }
}

void MainWindow::tunnelEnded()
{
    // Only a tunnel that was up leaves the user unprotected.
    if (tray->currentState() == 2)
        tray->setDisconnected(true);
}

void MainWindow::locationChanged(const QString& id)
{
    tray->setServerName(id);
}

void MainWindow::onStatusChangeWifi(bool connected, bool unsecured, QString ssid)
{
    Q_UNUSED(unsecured)
    if (!loginWindow->isVisible() && connected)
        connectWindow->onWirelessConnectionChanged(true, ssid);
}

void MainWindow::onShow()
{
    tray->icon()->hide();
    show();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    activateWindow();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + area.width() / 2 - width() / 2, area.top() + area.height() / 2 - height() / 2);
    }
    raise();
}

void MainWindow::onHide()
{
    // Without a tray there would be no way back to a hidden window.
    if (!hasTray()) {
        onShow();
        return;
    }
    tray->icon()->show();
    hide();
    // No frame is coming.
    if (!firstFrameShown)
        QTimer::singleShot(0, this, &MainWindow::runWorkAfterFirstFrame);
}

void MainWindow::scheduleUpdateCheck()
{
    updateTimer = QSharedPointer<QTimer>::create();
    updateTimer->setSingleShot(true);
    updateTimer->setInterval(static_cast<int>(updateBackoff->nextDelayMs() * environment.updateDelayScale));
    connect(updateTimer.data(), &QTimer::timeout, this, &MainWindow::onCheckSoftwareUpdateScheduled);
    updateTimer->start();
}

void MainWindow::onCheckSoftwareUpdateScheduled()
{
    updateTimer.reset();
    updater = QSharedPointer<SoftwareUpdater>::create(network);
    connect(updater.data(), &SoftwareUpdater::newUpdate, this, &MainWindow::onCheckSoftwareUpdateNewVersion);
    connect(updater.data(), &SoftwareUpdater::versionError, this, &MainWindow::onCheckSoftwareFailed);
    // Any answer ends the back-off: the next failure waits a second again.
    connect(updater.data(), &SoftwareUpdater::remoteVersion, this, [this] { updateBackoff->reset(); });
    updater->check();
}

void MainWindow::onCheckSoftwareFailed()
{
    scheduleUpdateCheck();
}

void MainWindow::onCheckSoftwareUpdateNewVersion()
{
    onShow();
    if (showQuestion(this, tr("Quarnel Update"), tr("Available new update. Download it?"),
                     QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes)
        onConfirmNewUpdate();
}

void MainWindow::onConfirmNewUpdate()
{
    if (!updater)
        return;
    progressDialog = QSharedPointer<ProgressDlg>::create(this);
    connect(progressDialog.data(), &ProgressDlg::cancel, this, &MainWindow::onCancelDownloadNewUpdate);
    connect(updater.data(), &SoftwareUpdater::progressDownload, progressDialog.data(), &ProgressDlg::setProgress);
    connect(updater.data(), &SoftwareUpdater::downloadFailed, this, &MainWindow::onFailDownloadNewUpdate);
    connect(updater.data(), &SoftwareUpdater::installFailed, this, &MainWindow::onFailInstallNewUpdate);
    connect(updater.data(), &SoftwareUpdater::downloadComplited, this, &MainWindow::onDownloadNewUpdateComplited);
    updater->downloadUpdate();
    progressDialog->setWindowModality(Qt::WindowModal);
    progressDialog->show();
    tray->setActionsEnabled(false);
}

void MainWindow::endDownload()
{
    if (connectWindow->isConnected())
        tray->setConnected(false);
    else
        tray->setDisconnected(false);
    progressDialog.reset();
    if (updater)
        updater->cancelDownloadUpdate();
}

void MainWindow::onCancelDownloadNewUpdate()
{
    endDownload();
}

void MainWindow::onFailDownloadNewUpdate()
{
    endDownload();
    showWarning(this, title, tr("Error during downloading update."));
}

void MainWindow::onFailInstallNewUpdate()
{
    endDownload();
    showWarning(this, title, tr("Error during installing update."));
}

void MainWindow::onDownloadNewUpdateComplited(QString updatePathName)
{
    Q_UNUSED(updatePathName)
    progressDialog.reset();
    onExit();
}

void MainWindow::onReturnToSignUp()
{
    reauthSuppressed = true;
    const bool connected = connectWindow->isConnected();
    const QString question =
        connected ? tr("VPN connection is active. \nDisconnect and logout?") : tr("Do you want to logout?");
    if (showQuestion(this, tr("Logout"), question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) !=
        QMessageBox::Yes)
        return;
    if (connected)
        connectWindow->onClickConnect();
    LocalSettings::instance()->resetToDefaults();
    retryTimer.reset();
    autoSignIn = false;
    liteAccount = true;
    tray->setActionsEnabled(false);
    connectWindow->setFirewall(false);
    loginWindow->clear();
    showOnly(loginWindow);
    network->clearCatalogue();
    fixSize();
}

void MainWindow::onSubscriptionChange()
{
    if (connectWindow->isConnected()) {
        if (showQuestion(this, tr("Logout"), tr("VPN connection is active. \nDisconnect and logout?"),
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
            return;
        connectWindow->onClickConnect();
    }
    connectWindow->setFirewall(false);
    selectionWindow->setUsers(network->vpnLogins());
    showOnly(selectionWindow);
}

void MainWindow::onExit()
{
    tray->icon()->hide();
    showNormal();
    activateWindow();
    exiting = true;
    const bool closed = close();
    exiting = false;
    exitConfirmed = false;
    if (closed) {
        connectWindow->shutdown();
        environment.quit();
    }
}

void MainWindow::endSession()
{
    connectWindow->storeLastLocation();
    tray->icon()->hide();
    hide();
    connectWindow->shutdown();
    environment.quit();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!(exiting && exitConfirmed)) {
        connectWindow->storeLastLocation();
        if (connectWindow->isConnected()) {
            show();
            if (showQuestion(this, tr("Exit"), tr("VPN connection is active. Disconnect and exit?"),
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
                event->ignore();
                return;
            }
        }
    }
    if (exiting) {
        event->accept();
        return;
    }
    // The close button: leave through the exit path, which closes the window again once
    // this close has returned (Qt refuses a close from inside a close).
    event->ignore();
    exitConfirmed = true;
    QTimer::singleShot(0, this, &MainWindow::onExit);
}

void MainWindow::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowStateChange:
        QMainWindow::changeEvent(event);
        if (windowState() & Qt::WindowMinimized) {
            // Without a tray the window stays minimised in the task bar.
            if (hasTray()) {
                tray->icon()->show();
                QTimer::singleShot(0, this, &QWidget::hide);
            }
        } else {
            tray->icon()->hide();
            QTimer::singleShot(0, this, &QWidget::show);
        }
        event->ignore();
        return;
    case QEvent::ActivationChange:
        if (isActiveWindow() && purchaseWindow->isVisible() && !reauthSuppressed)
            network->authRequest(stored(SettingsKey::login), stored(SettingsKey::password));
        reauthSuppressed = false;
        break;
    case QEvent::LanguageChange:
        ui->retranslateUi(this);
        tray->retranslate();
        break;
    default:
        break;
    }
    QMainWindow::changeEvent(event);
}
