#include "LabTestMain.h"
#include "LabAccount.h"
#include "TunnelLab.h"

#include "IsolatedUserDirs.h"
#include "ui/MainWindow.h"
#include "connection/ConnectWindow.h"
#include "widgets/MessageBoxes.h"
#include "widgets/SystemTray.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QtTest>

#include <memory>

namespace {

TunnelLab* lab = nullptr;
QString unavailable;

// Reachable from the client side only outside any tunnel.
const char outsideHost[] = "10.99.0.3";

} // namespace

// The connection screen as a user drives it: the real service, its nftables kill switch
// and OpenVPN, against an OpenVPN server in a private namespace.
class TestConnectWindowE2E : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!unavailable.isEmpty()) {
            QSKIP(qPrintable("SKIP connection screen end to end: " + unavailable));
        }
        QVERIFY2(lab->ok(), qPrintable(lab->failure()));
        QVERIFY2(lab->startService(), qPrintable(lab->failure()));
        QVERIFY2(lab->addServerAddress(outsideHost), qPrintable(lab->failure()));
        setMessageBoxRunner([](QMessageBox& box) {
            qWarning("message box: %s", qPrintable(box.text()));
            return int(QMessageBox::Ok);
        });
    }

    void cleanupTestCase()
    {
        if (lab != nullptr) {
            lab->stopServer();
        }
    }

    void connectsWithTheKillSwitchOn()
    {
        QVERIFY2(lab->startServer("udp"), qPrintable(lab->failure()));
        QVERIFY(TunnelLab::pings(outsideHost));
        const ServerInfo server = storeLabAccount(*lab);

        MainWindow shell;
        ConnectWindow* screen = shell.connectionScreen();
        screen->setServers({server});
        screen->onServerChanged(ServerIdentif(server.user, server.id));
        screen->applySettings();
        shell.show();
        // The kill switch is on before any tunnel: nothing gets out but to the servers.
        QVERIFY(!TunnelLab::pings(outsideHost));

        screen->onClickConnect();
        QTRY_COMPARE_WITH_TIMEOUT(screen->connectionState(), int(ConnectWindow::Connected), 30000);
        QCOMPARE(shell.systemTray()->menu()->actions().at(2)->text(), QString("Connected to Lab"));
        QVERIFY(TunnelLab::pings(TunnelLab::tunnelServerAddress));
        QVERIFY(!TunnelLab::pings(outsideHost));

        // The tunnel program dies: back to idle, and still nothing leaks.
        lab->stopServer();
        QVERIFY(lab->killServiceChild("openvpn"));
        QTRY_COMPARE_WITH_TIMEOUT(screen->connectionState(), int(ConnectWindow::Idle), 15000);
        QVERIFY(!TunnelLab::pings(outsideHost));
        QCOMPARE(shell.systemTray()->currentState(), 0);

        // Connect again and disconnect by hand.
        QVERIFY2(lab->startServer("udp"), qPrintable(lab->failure()));
        screen->onClickConnect();
        QTRY_COMPARE_WITH_TIMEOUT(screen->connectionState(), int(ConnectWindow::Connected), 30000);
        screen->onClickConnect();
        QCOMPARE(screen->connectionState(), int(ConnectWindow::Idle));
        QTRY_VERIFY_WITH_TIMEOUT(!lab->clientHasDevice("tun0"), 15000);
        screen->shutdown();
        QVERIFY(TunnelLab::pings(outsideHost));
    }
};

int main(int argc, char* argv[])
{
    IsolatedUserDirs dirs;
    qputenv("QUARNEL_API_URL", "https://127.0.0.5:9");
    unavailable = TunnelLab::unavailableReason();
    QCoreApplication::setOrganizationName("CPKV");
    QCoreApplication::setApplicationName("Quarnel");
    qRegisterMetaType<quint64>("quint64");
    return runLabTest<TestConnectWindowE2E, QApplication>(argc, argv, unavailable, lab);
}

#include "ConnectWindowE2ETest.moc"
