#include "LabAccount.h"
#include "LabTestMain.h"
#include "TunnelLab.h"

#include "IsolatedUserDirs.h"
#include "connection/ConnectWindow.h"
#include "connection/ServiceRequests.h"
#include "pipe/PipeClient.h"
#include "ui/MainWindow.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QtTest>

#include <memory>

namespace {

TunnelLab* lab = nullptr;
QString unavailable;

// Reachable from the client side only outside any tunnel.
const char outsideHost[] = "10.99.0.3";

// How many OpenVPN processes the service has started so far, by its log.
int launches()
{
    return lab->serviceOutput().count("RunProcess: started ");
}

} // namespace

// Things going wrong under the connection screen, with the real service, its nftables
// kill switch and OpenVPN against a server in a private namespace: the tunnel program
// or the service dies, the server refuses. The kill switch holds throughout, the user
// hears what went wrong once, and the next connect works.
class TestFaultE2E : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!unavailable.isEmpty()) {
            QSKIP(qPrintable("SKIP faults end to end: " + unavailable));
        }
        QVERIFY2(lab->ok(), qPrintable(lab->failure()));
        QVERIFY2(lab->startService(), qPrintable(lab->failure()));
        QVERIFY2(lab->addServerAddress(outsideHost), qPrintable(lab->failure()));
        setMessageBoxRunner([this](QMessageBox& box) {
            messages << box.text();
            return int(QMessageBox::Ok);
        });
    }

    void cleanup()
    {
        if (shell != nullptr) {
            screen->shutdown();
            shell.reset();
        }
        lab->stopServer();
        messages.clear();
        setServiceConnectTimeout(servicepipe::PipeClient::defaultConnectTimeout);
    }

    void openVpnKilledWhileConnectingIsADrop()
    {
        // No server: OpenVPN keeps trying to reach it.
        openScreen(storeLabAccount(*lab));
        const int before = launches();
        screen->onClickConnect();
        QTRY_COMPARE_WITH_TIMEOUT(launches(), before + 1, 15000);
        // Long enough for the connector to be on OpenVPN's management interface.
        QTest::qWait(2000);
        QCOMPARE(screen->connectionState(), int(ConnectWindow::Starting));
        QVERIFY(lab->killServiceChild("openvpn"));

        // Back to idle without a word, and not tried again: a tunnel program that ends
        // is a dropped tunnel, not a failed attempt.
        QTRY_COMPARE_WITH_TIMEOUT(screen->connectionState(), int(ConnectWindow::Idle), 15000);
        QTest::qWait(2000);
        QCOMPARE(launches(), before + 1);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QVERIFY(!TunnelLab::pings(outsideHost));

        QVERIFY2(lab->startServer("udp"), qPrintable(lab->failure()));
        connectAndCheckTheTunnel();
    }

    void refusedCredentialsAreTriedThreeTimesThenShown()
    {
        QVERIFY2(lab->startServer("udp"), qPrintable(lab->failure()));
        openScreen(storeLabAccount(*lab, QStringLiteral("not the password")));
        const int before = launches();
        screen->onClickConnect();
        QTRY_COMPARE_WITH_TIMEOUT(messages.size(), 1, 45000);
        QCOMPARE(messages.first(), QString("Invalid username or password"));
        QCOMPARE(screen->connectionState(), int(ConnectWindow::Idle));
        QCOMPARE(launches(), before + 3);
        QVERIFY(!TunnelLab::pings(outsideHost));
        QTRY_VERIFY_WITH_TIMEOUT(lab->clientProcesses("openvpn").isEmpty(), 10000);
    }

    void serviceKilledWhileConnected()
    {
        QVERIFY2(lab->startServer("udp"), qPrintable(lab->failure()));
        openScreen(storeLabAccount(*lab));
        connectAndCheckTheTunnel();

        // The service crashes: its rules stay in the kernel, and the tunnel, which OpenVPN
        // and the client run between them, goes on.
        QVERIFY(lab->stopService(true));
        QVERIFY(!TunnelLab::pings(outsideHost));
        QVERIFY(TunnelLab::pings(TunnelLab::tunnelServerAddress));
        QCOMPARE(screen->connectionState(), int(ConnectWindow::Connected));

        // Started again, the service takes over; the user disconnects and connects anew.
        QVERIFY2(lab->startService(), qPrintable(lab->failure()));
        screen->onClickConnect();
        QCOMPARE(screen->connectionState(), int(ConnectWindow::Idle));
        QTRY_VERIFY_WITH_TIMEOUT(!lab->clientHasDevice("tun0"), 15000);
        QVERIFY(!TunnelLab::pings(outsideHost));
        connectAndCheckTheTunnel();
        QCOMPARE(lab->clientProcesses("openvpn").size(), 1);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    }

    void serviceDownWhenConnectingIsReportedThenWaitedFor()
    {
        QVERIFY2(lab->startServer("udp"), qPrintable(lab->failure()));
        openScreen(storeLabAccount(*lab));
        QVERIFY(lab->stopService(true));
        // Each request waits this long for the service to come back.
        setServiceConnectTimeout(std::chrono::milliseconds(1000));
        screen->onClickConnect();
        QTRY_COMPARE_WITH_TIMEOUT(messages.size(), 1, 45000);
        QCOMPARE(messages.first(), QString("Can not connect to helper"));
        QCOMPARE(screen->connectionState(), int(ConnectWindow::Idle));
        QVERIFY(lab->clientProcesses("openvpn").isEmpty());
        QVERIFY(!TunnelLab::pings(outsideHost));

        // Back while the next attempt waits for it (each request waits up to 10 s): the
        // attempt goes through, with nothing more to say.
        setServiceConnectTimeout(servicepipe::PipeClient::defaultConnectTimeout);
        QVERIFY2(lab->startService({"sh", "-c", "sleep 2; exec \"$0\" \"$@\""}, false), qPrintable(lab->failure()));
        connectAndCheckTheTunnel();
        QCOMPARE(messages.size(), 1);
    }

private:
    void openScreen(const ServerInfo& server)
    {
        shell = std::make_unique<MainWindow>();
        screen = shell->connectionScreen();
        screen->setServers({server});
        screen->onServerChanged(ServerIdentif(server.user, server.id));
        screen->applySettings();
        shell->show();
    }

    void connectAndCheckTheTunnel()
    {
        QCOMPARE(screen->connectionState(), int(ConnectWindow::Idle));
        screen->onClickConnect();
        QTRY_COMPARE_WITH_TIMEOUT(screen->connectionState(), int(ConnectWindow::Connected), 30000);
        QVERIFY(TunnelLab::pings(TunnelLab::tunnelServerAddress));
        QVERIFY(!TunnelLab::pings(outsideHost));
    }

    std::unique_ptr<MainWindow> shell;
    ConnectWindow* screen = nullptr;
    QStringList messages;
};

int main(int argc, char* argv[])
{
    IsolatedUserDirs dirs;
    qputenv("QUARNEL_API_URL", "https://127.0.0.5:9");
    unavailable = TunnelLab::unavailableReason();
    QCoreApplication::setOrganizationName("CPKV");
    QCoreApplication::setApplicationName("Quarnel");
    qRegisterMetaType<quint64>("quint64");
    return runLabTest<TestFaultE2E, QApplication>(argc, argv, unavailable, lab);
}

#include "FaultE2ETest.moc"
