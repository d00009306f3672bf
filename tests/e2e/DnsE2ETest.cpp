#include "LabTestMain.h"
#include "TunnelLab.h"

#include "IsolatedUserDirs.h"
#include "connection/MakeOVPNFile.h"
#include "connection/OpenVPNConnectorQt.h"
#include "data/ConfigServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

#include <csignal>
#include <memory>
#include <unistd.h>

namespace {

TunnelLab* lab = nullptr;
QString unavailable;

// The machine's resolver before any tunnel: a server on the outside link, so that a
// query that misses the tunnel shows on the outside interface.
const QByteArray machineResolver = "# the machine's own resolver, outside every tunnel\n"
                                   "nameserver 10.99.0.2\n"
                                   "options timeout:1 attempts:1\n";
// A name that only the DNS server behind the tunnel knows.
const QString secretName = QStringLiteral("secret.quarnel.test");
const QString secretAddress = QStringLiteral("10.77.0.7");

QString outsideInterface()
{
    return QStringLiteral("qe%1c").arg(getpid());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

} // namespace

// The tunnel's DNS on a real tunnel: the VPN server pushes a DNS server (dnsmasq behind
// the tunnel), and the machine's resolver is a private /etc/resolv.conf in a mount
// namespace of the test's own, which the service, its OpenVPN and the lookups share.
class TestTunnelDns : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!unavailable.isEmpty()) {
            QSKIP(qPrintable("SKIP tunnel DNS tests: " + unavailable));
        }
        QVERIFY2(lab->ok(), qPrintable(lab->failure()));
        if (!startPrivateMounts()) {
            QSKIP(qPrintable("SKIP tunnel DNS tests: " + problem));
        }
        QVERIFY2(lab->startServer("udp", "push \"dhcp-option DNS 10.8.0.1\"\n"
                                         "push \"dhcp-option DOMAIN quarnel.test\"\n"),
                 qPrintable(lab->failure()));
        QVERIFY2(startDnsServer(), qPrintable(problem));
        QVERIFY2(startLeakCounter(), qPrintable(problem));
        QVERIFY2(lab->startService(throughPrivateMounts()), qPrintable(lab->failure()));

        // The counter sees a query that leaves outside the tunnel: without a tunnel, the
        // lookup goes to the machine's resolver on the outside link (and fails).
        const qint64 before = leakedQueries();
        QVERIFY(before >= 0);
        QString answer;
        QVERIFY(!lookUp(secretName, answer));
        QVERIFY2(leakedQueries() > before, "the leak counter does not count");
    }

    void cleanupTestCase()
    {
        if (holder != nullptr && holder->state() != QProcess::NotRunning) {
            holder->kill();
            holder->waitForFinished(5000);
        }
        if (dnsServer != nullptr && dnsServer->state() != QProcess::NotRunning) {
            dnsServer->terminate();
            dnsServer->waitForFinished(5000);
        }
    }

    // Each way a tunnel ends gives back the machine's resolver file byte for byte.
    void resolverComesBackWhenTheTunnelEnds_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::newRow("disconnect") << "disconnect";
        // The down hook has lost root's rights: the service restores when OpenVPN ends.
        QTest::newRow("disconnect after dropping to nobody") << "nobody";
        QTest::newRow("OpenVPN killed") << "kill";
        QTest::newRow("service stopped") << "stop";
        // The service and its OpenVPN die at once; the next start restores.
        QTest::newRow("service crashed, then restarted") << "crash";
        // The server goes away: OpenVPN closes the device when its ping times out. Last,
        // since the server is not started again.
        QTest::newRow("tunnel dropped") << "drop";
    }

    void resolverComesBackWhenTheTunnelEnds()
    {
        QFETCH(QString, ending);
        QCOMPARE(resolverFile(), machineResolver);

        MakeOVPNFile writer;
        ConfigServer server = configFor(ending == "nobody" ? "user nobody\ngroup nogroup\n" : "");
        QVERIFY(writer.makeFile(server));
        OpenVPNConnectorQt connector;
        QSignalSpy connected(&connector, &OpenVPNConnectorQt::connected);
        QSignalSpy errors(&connector, &OpenVPNConnectorQt::error);
        connector.startOpenVPN(writer.path(), TunnelLab::userName, TunnelLab::password);
        QVERIFY2(connected.wait(30000) || connected.count() == 1,
                 qPrintable(QString("errors: %1").arg(errors.isEmpty() ? -1 : errors.first().first().toInt())));

        // Every lookup goes to the pushed server through the tunnel, the search domain
        // included, and none leaves by the outside interface.
        const QByteArray during = resolverFile();
        QVERIFY2(during.contains("\nnameserver 10.8.0.1\n") && !during.contains("10.99.0.2"), during.constData());
        const qint64 before = leakedQueries();
        QString answer;
        QVERIFY(lookUp(secretName, answer));
        QCOMPARE(answer, secretAddress);
        QVERIFY(lookUp(QStringLiteral("secret"), answer));
        QCOMPARE(answer, secretAddress);
        QCOMPARE(leakedQueries(), before);

        if (ending == "disconnect" || ending == "nobody") {
            connector.stop();
            QVERIFY(connector.wait(15000));
            QTRY_COMPARE_WITH_TIMEOUT(resolverFile(), machineResolver, 15000);
        } else if (ending == "kill") {
            QVERIFY(lab->killServiceChild("openvpn"));
            QTRY_COMPARE_WITH_TIMEOUT(resolverFile(), machineResolver, 15000);
            connector.stop();
            QVERIFY(connector.wait(15000));
        } else if (ending == "stop") {
            QVERIFY(lab->stopService());
            QCOMPARE(resolverFile(), machineResolver);
            connector.stop();
            QVERIFY(connector.wait(15000));
            QVERIFY2(lab->startService(throughPrivateMounts()), qPrintable(lab->failure()));
        } else if (ending == "drop") {
            lab->stopServer();
            QTRY_COMPARE_WITH_TIMEOUT(resolverFile(), machineResolver, 40000);
            connector.stop();
            QVERIFY(connector.wait(15000));
        } else {
            QVERIFY(lab->stopService(true));
            QVERIFY(killClientPrograms("openvpn"));
            connector.stop();
            QVERIFY(connector.wait(15000));
            // Nobody was left to restore it.
            QCOMPARE(resolverFile(), during);
            QVERIFY2(lab->startService(throughPrivateMounts()), qPrintable(lab->failure()));
            QCOMPARE(resolverFile(), machineResolver);
        }
        QTRY_VERIFY_WITH_TIMEOUT(!lab->clientHasDevice("tun0"), 10000);
        QCOMPARE(resolverFile(), machineResolver);
    }

private:
    ConfigServer configFor(const QByteArray& extra)
    {
        ConfigServer server;
        server.ports = QStringList{"1194"};
        server.protocol = "udp";
        server.host = TunnelLab::serverAddress;
        server.certificate = lab->clientCertificate();
        server.key = lab->clientKey();
        server.config = lab->configText() + extra;
        server.localPort = 1194;
        return server;
    }

    // A process in the client namespace with a mount namespace of its own, where /etc is
    // an overlay of the host's (the host's files stay as they are) holding the test's
    // resolver file, and systemd-resolved's directory is hidden, so that the resolver-file
    // path is the one taken.
    bool startPrivateMounts()
    {
        QDir().mkpath(lab->path("etc-upper"));
        QDir().mkpath(lab->path("etc-work"));
        QFile original(lab->path("machine-resolv.conf"));
        if (!original.open(QIODevice::WriteOnly) || original.write(machineResolver) != machineResolver.size()) {
            problem = "cannot write the resolver file";
            return false;
        }
        original.close();
        const QString script =
            QStringLiteral("set -e\n"
                           "mount -t overlay overlay -o lowerdir=/etc,upperdir=%1,workdir=%2 /etc\n"
                           "if [ -d /run/systemd/resolve ]; then mount -t tmpfs tmpfs /run/systemd/resolve; fi\n"
                           "rm -f /etc/resolv.conf\n"
                           "cp %3 /etc/resolv.conf\n"
                           "printf 'passwd: files\\ngroup: files\\nhosts: files dns\\n' > /etc/nsswitch.conf\n"
                           "echo ready\n"
                           "exec sleep infinity\n")
                .arg(lab->path("etc-upper"), lab->path("etc-work"), original.fileName());
        holder = std::make_unique<QProcess>();
        holder->setProcessChannelMode(QProcess::MergedChannels);
        holder->start("ip", {"netns", "exec", lab->clientNamespace(), "unshare", "--mount", "--propagation", "private",
                             "sh", "-c", script});
        QByteArray seen;
        QElapsedTimer clock;
        clock.start();
        while (!seen.contains("ready\n") && !clock.hasExpired(10000) && holder->state() != QProcess::NotRunning) {
            holder->waitForReadyRead(100);
            seen += holder->readAll();
        }
        if (!seen.contains("ready\n")) {
            problem = "no private mount namespace with an overlay on /etc here: " + QString::fromLocal8Bit(seen);
            return false;
        }
        return true;
    }

    QStringList throughPrivateMounts() const
    {
        return {"nsenter", "--target", QString::number(holder->processId()), "--mount", "--"};
    }

    QByteArray resolverFile() const
    {
        return readFile(QStringLiteral("/proc/%1/root/etc/resolv.conf").arg(holder->processId()));
    }

    // The first IPv4 address the system resolver of the private namespaces gives for name.
    bool lookUp(const QString& name, QString& address) const
    {
        QByteArray output;
        const int status = TunnelLab::runIn(
            QString(), "nsenter",
            {"--target", QString::number(holder->processId()), "--mount", "--net", "--", "getent", "ahostsv4", name},
            20000, &output);
        address = QString::fromLatin1(output.split(' ').first());
        return status == 0;
    }

    bool startDnsServer()
    {
        dnsServer = std::make_unique<QProcess>();
        dnsServer->setProcessChannelMode(QProcess::MergedChannels);
        dnsServer->start("ip", {"netns", "exec", lab->serverNamespace(), "/usr/sbin/dnsmasq", "--keep-in-foreground",
                                "--conf-file=/dev/null", "--no-resolv", "--no-hosts", "--no-poll",
                                "--listen-address=" + QString(TunnelLab::tunnelServerAddress), "--bind-interfaces",
                                "--user=nobody", "--group=nogroup", "--pid-file=" + lab->path("dnsmasq.pid"),
                                "--log-facility=-", "--address=/" + secretName + "/" + secretAddress});
        QByteArray seen;
        QElapsedTimer clock;
        clock.start();
        while (!seen.contains("started") && !clock.hasExpired(10000) && dnsServer->state() != QProcess::NotRunning) {
            dnsServer->waitForReadyRead(100);
            seen += dnsServer->readAll();
        }
        if (!seen.contains("started")) {
            problem = "dnsmasq did not start: " + QString::fromLocal8Bit(seen);
            return false;
        }
        return true;
    }

    // Counts DNS packets the client namespace sends out of its outside interface.
    bool startLeakCounter()
    {
        const QString rules = QStringLiteral("table inet qdnsleak {\n"
                                             "  chain out {\n"
                                             "    type filter hook output priority 0; policy accept;\n"
                                             "    oifname \"%1\" meta l4proto { tcp, udp } th dport 53 counter\n"
                                             "  }\n"
                                             "}\n")
                                  .arg(outsideInterface());
        QFile file(lab->path("leak.nft"));
        if (!file.open(QIODevice::WriteOnly) || file.write(rules.toLatin1()) < 0) {
            problem = "cannot write the counter's rules";
            return false;
        }
        file.close();
        QByteArray output;
        if (TunnelLab::runIn(lab->clientNamespace(), "nft", {"-f", file.fileName()}, 10000, &output) != 0) {
            problem = "nft: " + QString::fromLocal8Bit(output);
            return false;
        }
        return true;
    }

    qint64 leakedQueries() const
    {
        QByteArray output;
        if (TunnelLab::runIn(lab->clientNamespace(), "nft", {"list", "chain", "inet", "qdnsleak", "out"}, 10000,
                             &output) != 0) {
            return -1;
        }
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("counter packets (\\d+)")).match(QString::fromLatin1(output));
        return match.hasMatch() ? match.captured(1).toLongLong() : -1;
    }

    // Kills the client side's programs of that name, whoever their parent is now.
    bool killClientPrograms(const QString& name) const
    {
        QByteArray pids;
        TunnelLab::runIn(QString(), "ip", {"netns", "pids", lab->clientNamespace()}, 5000, &pids);
        bool killed = false;
        for (const QByteArray& line : pids.split('\n')) {
            const int pid = line.trimmed().toInt();
            if (pid > 0 && readFile(QStringLiteral("/proc/%1/comm").arg(pid)).trimmed() == name.toLatin1()) {
                killed = kill(pid, SIGKILL) == 0 || killed;
            }
        }
        return killed;
    }

    std::unique_ptr<QProcess> holder;
    std::unique_ptr<QProcess> dnsServer;
    QString problem;
};

int main(int argc, char* argv[])
{
    IsolatedUserDirs dirs;
    unavailable = TunnelLab::unavailableReason();
    for (const char* program : {"/usr/sbin/dnsmasq", "/usr/bin/nsenter", "/usr/bin/unshare", "/usr/sbin/nft"}) {
        if (unavailable.isEmpty() && !QFileInfo(QLatin1String(program)).isExecutable()) {
            unavailable = QStringLiteral("%1 is not installed").arg(QLatin1String(program));
        }
    }
    return runLabTest<TestTunnelDns>(argc, argv, unavailable, lab);
}

#include "DnsE2ETest.moc"
