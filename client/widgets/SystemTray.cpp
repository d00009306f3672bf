#include "widgets/SystemTray.h"

#include "resources/ClientResources.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMenu>
#include <QStyle>

namespace {

// A tray entry without an icon is not shown at all, and a client started hidden would
// then be out of reach; the style's icon stands in while a picture is missing.
QIcon trayIconFrom(const QString& path)
{
    QIcon icon;
    if (QFile::exists(path)) {
        icon = QIcon(path);
    }
    if (icon.isNull()) {
        icon = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
    }
    return icon;
}

} // namespace

SystemTray::SystemTray(QObject* parent)
    : QObject(parent), trayIcon(new QSystemTrayIcon(this)), trayMenu(new QMenu), showAction(new QAction(this)),
      connectAction(new QAction(this)), reconnectAction(new QAction(this)), disconnectAction(new QAction(this)),
      quitAction(new QAction(this))
{
    initClientResources();
    trayIcon->setIcon(trayIconFrom(QStringLiteral(":/MainWindow/Images/vpnlogo.ico")));

    trayMenu->addAction(showAction);
    trayMenu->addSeparator();
    trayMenu->addAction(connectAction);
    trayMenu->addAction(reconnectAction);
    trayMenu->addAction(disconnectAction);
    trayMenu->addSeparator();
    trayMenu->addAction(quitAction);
    retranslate();
    trayIcon->setContextMenu(trayMenu);

    connect(showAction, &QAction::triggered, this, &SystemTray::clickShow);
    connect(connectAction, &QAction::triggered, this, &SystemTray::clickConnect);
    connect(reconnectAction, &QAction::triggered, this, &SystemTray::clickReconnect);
    connect(disconnectAction, &QAction::triggered, this, &SystemTray::clickDisconnect);
    connect(quitAction, &QAction::triggered, this, &SystemTray::clickExit);
    connect(trayMenu, &QMenu::aboutToShow, this, &SystemTray::menuAboutToShow);
    connect(trayMenu, &QMenu::aboutToHide, this, &SystemTray::menuAboutToHide);
    connect(trayIcon, &QSystemTrayIcon::activated, this, &SystemTray::onTrayActivated);

    trayIcon->show();
    setDisconnected(false);
}

// The menu is a widget and cannot be a child of this object; the icon only watches it.
SystemTray::~SystemTray()
{
    delete trayMenu;
}

void SystemTray::setServerName(const QString& name)
{
    serverName = name;
}

void SystemTray::setConnected(bool notify)
{
    Q_UNUSED(notify)
    connectAction->setText(tr("Connected to %1").arg(serverName));
    connectAction->setEnabled(false);
    reconnectAction->setEnabled(true);
    disconnectAction->setEnabled(true);
    state = 2;
    trayIcon->setIcon(trayIconFrom(QStringLiteral(":/resources/eye-green.svg")));
}

void SystemTray::setConnecting()
{
    connectAction->setText(tr("Connecting to %1").arg(serverName));
    setActionsEnabled(false);
    state = 1;
}

void SystemTray::setDisconnected(bool notify)
{
    if (notify) {
        trayIcon->showMessage(tr("Quarnel"), tr("Your connection is not secured now!"), QSystemTrayIcon::Information,
                              10000);
    }
    connectAction->setText(tr("Connect %1").arg(serverName));
    connectAction->setEnabled(true);
    reconnectAction->setEnabled(false);
    disconnectAction->setEnabled(false);
    state = 0;
    trayIcon->setIcon(trayIconFrom(QStringLiteral(":/resources/eye-gray-dark-win.svg")));
}

void SystemTray::setActionsEnabled(bool enabled)
{
    connectAction->setEnabled(enabled);
    disconnectAction->setEnabled(enabled);
    reconnectAction->setEnabled(enabled);
}

// The connection text follows the state rather than which actions are enabled: while a
// sign-in or an update has disabled them all, an idle client must not turn into
// "Connecting to" when the language changes.
void SystemTray::retranslate()
{
    showAction->setText(tr("Quarnel"));
    switch (state) {
    case 2:
        connectAction->setText(tr("Connected to %1").arg(serverName));
        break;
    case 1:
        connectAction->setText(tr("Connecting to %1").arg(serverName));
        break;
    default:
        connectAction->setText(tr("Connect %1").arg(serverName));
        break;
    }
    reconnectAction->setText(tr("Reconnect"));
    disconnectAction->setText(tr("Disconnect"));
    quitAction->setText(tr("Quit"));
}

void SystemTray::onTrayActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger) {
        emit clickShow();
    }
}

void SystemTray::menuAboutToShow()
{
    menuVisible = true;
}

void SystemTray::menuAboutToHide()
{
    menuVisible = false;
}
