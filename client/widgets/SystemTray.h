#pragma once

#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

class QAction;
class QMenu;

// The tray icon with its menu: show the window, connect, reconnect, disconnect, quit.
// Its state follows the connection (0 disconnected, 1 connecting, 2 connected) and
// names the selected location.
class SystemTray : public QObject
{
    Q_OBJECT

public:
    explicit SystemTray(QObject* parent = nullptr);
    ~SystemTray() override;

    void setServerName(const QString& name);
    void setConnected(bool notify);
    void setConnecting();
    void setDisconnected(bool notify);
    void setActionsEnabled(bool enabled);
    // Texts again after a language change, keeping what the menu says about the state.
    void retranslate();

    int currentState() const { return state; }
    QSystemTrayIcon* icon() const { return trayIcon; }
    QMenu* menu() const { return trayMenu; }

signals:
    void clickShow();
    void clickConnect();
    void clickReconnect();
    void clickDisconnect();
    void clickExit();

public slots:
    void onTrayActivated(QSystemTrayIcon::ActivationReason reason);
    void menuAboutToShow();
    void menuAboutToHide();

private:
    QSystemTrayIcon* trayIcon;
    QMenu* trayMenu;
    QAction* showAction;
    QAction* connectAction;
    QAction* reconnectAction;
    QAction* disconnectAction;
    QAction* quitAction;
    bool menuVisible = false;
    int state = 0;
    QString serverName;
};
