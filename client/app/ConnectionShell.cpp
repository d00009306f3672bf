#include "app/ConnectionShell.h"

#include "api/NetworkManager.h"
#include "connection/ConnectWindow.h"
#include "widgets/SystemTray.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QTimer>
#include <QVBoxLayout>

ConnectionShell::ConnectionShell(QWidget* parent) : QWidget(parent), trayIcon(new SystemTray(this))
{
    setWindowTitle(QStringLiteral("Quarnel"));
    setObjectName(QStringLiteral("MainWindowClass"));
    setStyleSheet(QStringLiteral("QWidget#MainWindowClass { background: #ffffff; }"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    screen = new ConnectWindow(this, this);
    layout->addWidget(screen);
    setFixedSize(340, 500);

    connect(trayIcon, &SystemTray::clickShow, this, &ConnectionShell::bringToFront);
    connect(trayIcon, &SystemTray::clickConnect, screen, &ConnectWindow::onClickConnect);
    connect(trayIcon, &SystemTray::clickDisconnect, screen, &ConnectWindow::onClickConnect);
    connect(trayIcon, &SystemTray::clickReconnect, this, &ConnectionShell::reconnect);
    connect(trayIcon, &SystemTray::clickExit, this, &QWidget::close);

    screen->setServers(NetworkManager::instance()->servers());
    screen->applySettings();
}

ConnectionShell::~ConnectionShell() = default;

void ConnectionShell::showConnectionScreen()
{
    screen->show();
    screen->applySettings();
}

void ConnectionShell::bringToFront()
{
    showNormal();
    raise();
    activateWindow();
}

void ConnectionShell::tunnelStateChanged(TunnelState state)
{
    switch (state) {
    case TunnelState::Connected:
        trayIcon->setConnected(false);
        break;
    case TunnelState::Connecting:
        trayIcon->setConnecting();
        break;
    case TunnelState::Disconnected:
        trayIcon->setDisconnected(false);
        break;
    }
}

void ConnectionShell::tunnelEnded()
{
    // Only a tunnel that was up leaves the user unprotected.
    if (trayIcon->currentState() == 2) {
        trayIcon->setDisconnected(true);
    }
}

void ConnectionShell::locationChanged(const QString& id)
{
    trayIcon->setServerName(id);
}

void ConnectionShell::reconnect()
{
    screen->onClickConnect();
    trayIcon->setConnecting();
    QTimer::singleShot(1000, screen, &ConnectWindow::onClickConnect);
}

void ConnectionShell::closeEvent(QCloseEvent* event)
{
    screen->storeLastLocation();
    screen->shutdown();
    trayIcon->icon()->hide();
    event->accept();
    QCoreApplication::quit();
}
