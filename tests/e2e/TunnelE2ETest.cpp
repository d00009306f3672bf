#include "LabTestMain.h"
#include "TunnelLab.h"

#include "IsolatedUserDirs.h"
#include "connection/Connection.h"
#include "connection/MakeOVPNFile.h"
#include "connection/OpenVPNConnectorQt.h"
#include "connection/StunnelManager.h"
#include "data/ConfigServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

namespace {

TunnelLab* lab = nullptr;
QString unavailable;

// A client configuration as the client writes it, for the plain OpenVPN runs that show
// the lab itself works (and are the peer of the connect-time benchmark).
QByteArray plainClientConfig(const QByteArray& remote, const QByteArray& protocol)
{
    QByteArray config = lab->configText();
    config.replace("\n#" + protocol + " ", "\n");
    return remote + config + "\r\n<cert>\r\n" + lab->clientCertificate() + "\r\n</cert>\r\n\r\n<key>\r\n" +
           lab->clientKey() + "\r\n</key>\r\n";
}

// The record the connection controller hands the configuration writer.
ConfigServer configFor(const QString& mode)
{
    ConfigServer server;
    server.ports = QStringList{"1194"};
    server.protocol = mode;
    server.host = TunnelLab::serverAddress;
    server.certificate = lab->clientCertificate();
    server.key = lab->clientKey();
    server.config = lab->configText();
    server.localPort = 1194;
    return server;
}

// Sums the byte counts the connector reported so far.
quint64 bytesSeen(const QSignalSpy& statistics)
{
    if (statistics.isEmpty()) {
        return 0;
    }
    const QList<QVariant>& last = statistics.last();
    return last.at(0).toULongLong() + last.at(1).toULongLong();
}

} // namespace

// Real tunnels: OpenVPN and stunnel servers in one private namespace, the client side in
// another; nothing of the machine's own network is used.
class TestTunnels : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        if (!unavailable.isEmpty()) {
            QSKIP(qPrintable("SKIP real tunnel tests: " + unavailable));
        }
        QVERIFY2(lab->ok(), qPrintable(lab->failure()));
    }

    void initTestCase()
    {
        if (unavailable.isEmpty() && lab->ok()) {
            qRegisterMetaType<quint64>("quint64");
            QVERIFY2(lab->startService(), qPrintable(lab->failure()));
        }
    }

    void cleanup()
    {
        if (lab != nullptr) {
            lab->stopServer();
        }
    }

    // The lab's own check: the system OpenVPN, started by hand, reaches the server and
    // carries traffic, so that a failure further on is the client's.
    void plainOpenVpnCarriesTraffic_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("udp") << "udp";
        QTest::newRow("tcp") << "tcp";
    }

    void plainOpenVpnCarriesTraffic()
    {
        QFETCH(QString, mode);
        QVERIFY2(lab->startServer(mode), qPrintable(lab->failure()));
        QFile config(lab->path("plain.ovpn"));
        QVERIFY(config.open(QIODevice::WriteOnly | QIODevice::Truncate));
        config.write(plainClientConfig(
            "remote " + QByteArray(TunnelLab::serverAddress) + " 1194 " + mode.toLatin1() + "\r\n", mode.toLatin1()));
        config.close();
        QFile credentials(lab->path("plain.pass"));
        QVERIFY(credentials.open(QIODevice::WriteOnly | QIODevice::Truncate));
        credentials.write(QByteArray(TunnelLab::userName) + "\n" + TunnelLab::password + "\n");
        credentials.close();

        QProcess client;
        client.setProcessChannelMode(QProcess::MergedChannels);
        client.start("/usr/sbin/openvpn",
                     {"--config", config.fileName(), "--auth-user-pass", credentials.fileName(), "--dev", "tun7"});
        QByteArray seen;
        QElapsedTimer clock;
        clock.start();
        while (!seen.contains("Initialization Sequence Completed") && !clock.hasExpired(20000) &&
               client.state() != QProcess::NotRunning) {
            client.waitForReadyRead(100);
            seen += client.readAll();
        }
        QVERIFY2(seen.contains("Initialization Sequence Completed"), seen.right(3000).constData());
        QVERIFY(lab->clientHasDevice("tun7"));
        QCOMPARE(TunnelLab::runIn(QString(), "ping",
                                  {"-n", "-c", "2", "-i", "0.2", "-W", "2", TunnelLab::tunnelServerAddress}),
                 0);
        client.terminate();
        QVERIFY(client.waitForFinished(10000));
        QTRY_VERIFY(!lab->clientHasDevice("tun7"));
    }

    // The client's own path: configuration file, the service starting OpenVPN, the
    // management dialogue answering the credentials, traffic, and stop.
    void connectorBuildsATunnel_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("udp") << "udp";
        QTest::newRow("tcp") << "tcp";
        QTest::newRow("stealth") << "stealth";
    }

    void connectorBuildsATunnel()
    {
        QFETCH(QString, mode);
        const bool stealth = mode == "stealth";
        QVERIFY2(lab->startServer(mode), qPrintable(lab->failure()));

        StunnelManager stunnel("/usr/bin/stunnel4");
        if (stealth) {
            stunnel.start(TunnelLab::serverAddress, 443, "vpn.example");
            QVERIFY(waitForLocalPort(stunnel.localPort()));
        }
        MakeOVPNFile writer;
        QVERIFY(stealth ? writer.makeStealthFile(configFor(mode)) : writer.makeFile(configFor(mode)));

        OpenVPNConnectorQt connector;
        QSignalSpy connected(&connector, &OpenVPNConnectorQt::connected);
        QSignalSpy disconnected(&connector, &OpenVPNConnectorQt::disconnected);
        QSignalSpy errors(&connector, &OpenVPNConnectorQt::error);
        QSignalSpy statistics(&connector, &OpenVPNConnectorQt::statisticsUpdated);
        connector.startOpenVPN(writer.path(), TunnelLab::userName, TunnelLab::password);

        QVERIFY2(connected.wait(30000) || connected.count() == 1,
                 qPrintable(QString("errors: %1").arg(errors.isEmpty() ? -1 : errors.first().first().toInt())));
        QVERIFY(errors.isEmpty());
        QVERIFY(lab->clientHasDevice("tun0"));

        QTRY_VERIFY_WITH_TIMEOUT(!statistics.isEmpty(), 5000);
        const quint64 before = bytesSeen(statistics);
        QCOMPARE(
            TunnelLab::runIn(QString(), "ping",
                             {"-n", "-c", "20", "-i", "0.05", "-s", "1000", "-W", "2", TunnelLab::tunnelServerAddress}),
            0);
        // 20 echo requests and replies of a kilobyte each have crossed the tunnel.
        QTRY_VERIFY_WITH_TIMEOUT(bytesSeen(statistics) >= before + 40000, 5000);

        connector.stop();
        QVERIFY(disconnected.wait(15000) || disconnected.count() == 1);
        QVERIFY(connector.wait(15000));
        QTRY_VERIFY_WITH_TIMEOUT(!lab->clientHasDevice("tun0"), 10000);
        stunnel.stop();
    }

    void wrongPasswordIsReported()
    {
        QVERIFY2(lab->startServer("udp"), qPrintable(lab->failure()));
        MakeOVPNFile writer;
        QVERIFY(writer.makeFile(configFor("udp")));
        OpenVPNConnectorQt connector;
        QSignalSpy errors(&connector, &OpenVPNConnectorQt::error);
        QSignalSpy connected(&connector, &OpenVPNConnectorQt::connected);
        connector.startOpenVPN(writer.path(), TunnelLab::userName, "not the password");
        QVERIFY(errors.wait(30000) || !errors.isEmpty());
        QCOMPARE(errors.first().first().toInt(), 0);
        QCOMPARE(Connection::errorMessage(0), QStringLiteral("Invalid username or password"));
        QVERIFY(connected.isEmpty());
        connector.stop();
        QVERIFY(connector.wait(15000));
        QTRY_VERIFY_WITH_TIMEOUT(!lab->clientHasDevice("tun0"), 10000);
    }

private:
    static bool waitForLocalPort(int port)
    {
        QElapsedTimer clock;
        clock.start();
        while (!clock.hasExpired(10000)) {
            QTcpSocket probe;
            probe.connectToHost("127.0.0.1", static_cast<quint16>(port));
            if (probe.waitForConnected(200)) {
                return true;
            }
            QTest::qWait(50);
        }
        return false;
    }
};

int main(int argc, char* argv[])
{
    // The client's temporary directory (configuration files) and settings stay private.
    IsolatedUserDirs dirs;
    unavailable = TunnelLab::unavailableReason();
    return runLabTest<TestTunnels>(argc, argv, unavailable, lab);
}

#include "TunnelE2ETest.moc"
