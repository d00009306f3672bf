#pragma once

#include "connection/ConnectWindowHost.h"

#include <QWidget>

class ConnectWindow;
class SystemTray;

// A plain window around the connection screen, with the tray icon kept in step with the
// tunnel, until the main window with all the screens takes its place.
class ConnectionShell : public QWidget, public ConnectWindowHost
{
    Q_OBJECT

public:
    explicit ConnectionShell(QWidget* parent = nullptr);
    ~ConnectionShell() override;

    ConnectWindow* connectWindow() const { return screen; }
    SystemTray* tray() const { return trayIcon; }

    void showConnectionScreen() override;
    void bringToFront() override;
    void tunnelStateChanged(TunnelState state) override;
    void tunnelEnded() override;
    void locationChanged(const QString& id) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void reconnect();

    SystemTray* trayIcon;
    ConnectWindow* screen;
};
