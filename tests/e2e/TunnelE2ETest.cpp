#include "TunnelLab.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
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
};

int main(int argc, char* argv[])
{
    unavailable = TunnelLab::unavailableReason();
    std::unique_ptr<TunnelLab> owner;
    if (unavailable.isEmpty()) {
        owner = std::make_unique<TunnelLab>();
        lab = owner.get();
        // Everything this process does from here on, its threads included, happens on the
        // client side.
        if (lab->ok()) {
            lab->enterClientNamespace();
        }
    }
    QCoreApplication app(argc, argv);
    TestTunnels test;
    const int result = QTest::qExec(&test, argc, argv);
    owner.reset();
    return result;
}

#include "TunnelE2ETest.moc"
