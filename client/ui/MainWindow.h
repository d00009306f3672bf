#pragma once

#include "api/NetworkManager.h"
#include "connection/ConnectWindowHost.h"
#include "data/ServerIdentif.h"

#include <QMainWindow>
#include <QPointer>
#include <QSharedPointer>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class AccountWindow;
class ConnectWindow;
class LoginWindow;
class ProgressDlg;
class QTimer;
class ReachabilityQt;
class SelectionAccountWindow;
class ServerListWindow;
class SettingsWindow;
class SoftwareUpdater;
class SubscriptionPurchaseWindow;
class SystemTray;
class UpdateBackoff;

namespace Ui {
class MainWindowClass;
}

// What tests replace in the main window: the delays (so no test sleeps through them),
// whether the desktop has a tray, and how the application is ended.
struct MainWindowEnvironment
{
    int serverRetryMs = 8000;
    int reconnectMs = 1000;
    // How long work that waits for the window's first frame waits at most (a window
    // manager may keep the window unmapped).
    int firstFrameDeadlineMs = 1000;
    // Multiplies every update-check delay.
    double updateDelayScale = 1.0;
    std::function<bool()> trayAvailable;
    std::function<void()> quit;
};

// The client's only top-level window. It owns one of each screen and shows one at a
// time, drives the sign-in, reacts to every answer of the web API, keeps the tray icon
// and the window's visibility in step, runs the update check and download, and handles
// log-out, account change and exit with their questions.
class MainWindow : public QMainWindow, public ConnectWindowHost
{
    Q_OBJECT

public:
    using Environment = MainWindowEnvironment;

    // network null means NetworkManager::instance().
    explicit MainWindow(QWidget* parent = nullptr, NetworkManager* network = nullptr,
                        Environment environment = Environment());
    ~MainWindow() override;

    // The start step: the automatic sign-in of a remembered user, else the login screen.
    void beginSession();
    void signIn(const QString& login, const QString& password);
    void proceedAfterSignIn();
    void scheduleUpdateCheck();
    void fixSize();
    void showOutdated();

    SystemTray* systemTray() const { return tray; }
    ConnectWindow* connectionScreen() const { return connectWindow; }
    // The one screen shown now (null before the first).
    QWidget* currentScreen() const;
    bool isAutoSignIn() const { return autoSignIn; }
    bool hasTray() const;

    // ConnectWindowHost
    void showConnectionScreen() override;
    void bringToFront() override;
    void tunnelStateChanged(TunnelState state) override;
    void tunnelEnded() override;
    void locationChanged(const QString& id) override;

public slots:
    void onSettings();
    void onAccount();
    void onShow();
    void onHide();
    void onExit();
    // The system ends the client (a termination signal, the session's end): the exit's
    // shutdown without its question, since nobody may be there to answer it.
    void endSession();
    void onStatus();
    void onConnected();
    void onWakeUp();
    void onBack();
    void onSignIn(QString login, QString password);
    void onReturnToSignUp();
    void onServerList(int protocol);
    void onChangeServer(ServerIdentif server);
    void onServerUpdateFinished(NetworkManager::ApiError code, QString message);
    void onServerListUpdateRequest();
    void onAuthRequest(NetworkManager::ApiError code, QString message);
    void onTrayConnect();
    void onTrayDisconnect();
    void onTrayReconnect();
    void onTrayShow();
    void onSettingsChanged();
    void onCheckSoftwareUpdateScheduled();
    void onCheckSoftwareUpdateNewVersion();
    void onCheckSoftwareFailed();
    void onConfirmNewUpdate();
    void onCancelDownloadNewUpdate();
    void onFailDownloadNewUpdate();
    void onFailInstallNewUpdate();
    void onDownloadNewUpdateComplited(QString updatePathName);
    void onStatusChangeWifi(bool connected, bool unsecured, QString ssid);
    void onSubscriptionSelected(QString login);
    void onSubscriptionChange();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The seven screens, in construction order.
    std::array<QWidget*, 7> screens() const;
    // Hides every screen but `screen`, shows it and fixes the size.
    void showOnly(QWidget* screen);
    void chooseVpnLogin();
    void endDownload();
    void showTrayState();
    static void removeTemporaryFiles(const QStringList& patterns);
    // Runs `work` once the window's first frame is on screen: at once after that, or
    // when the window is hidden to the tray instead, or after a second at the latest.
    void whenOnScreen(std::function<void()> work);
    void runWorkAfterFirstFrame();

    std::unique_ptr<Ui::MainWindowClass> ui;
    NetworkManager* network;
    Environment environment;
    SystemTray* tray;
    LoginWindow* loginWindow;
    SettingsWindow* settingsWindow;
    ConnectWindow* connectWindow;
    ServerListWindow* serverListWindow;
    SubscriptionPurchaseWindow* purchaseWindow;
    AccountWindow* accountWindow;
    SelectionAccountWindow* selectionWindow;
    ReachabilityQt* reachability;
    bool autoSignIn = false;
    bool liteAccount = true;
    bool reauthSuppressed = false;
    // Set while onExit closes the window; exitConfirmed when the close button's close
    // event already asked, so the exit path does not ask again.
    bool exiting = false;
    bool exitConfirmed = false;
    QSharedPointer<SoftwareUpdater> updater;
    QSharedPointer<ProgressDlg> progressDialog;
    QSharedPointer<QTimer> updateTimer;
    QSharedPointer<QTimer> retryTimer;
    std::unique_ptr<UpdateBackoff> updateBackoff;
    bool firstFrameShown = false;
    std::vector<std::function<void()>> afterFirstFrame;
    QTimer* firstFrameDeadline = nullptr;
};
