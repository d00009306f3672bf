#include "LabTestMain.h"
#include "TunnelLab.h"

#include "ClientProgram.h"
#include "LabAccount.h"
#include "EchoServer.h"
#include "IsolatedUserDirs.h"
#include "Probe.h"
#include "connection/ServiceRequests.h"
#include "data/LocalSettings.h"
#include "data/PemTable.h"
#include "data/ServerInfo.h"
#include "pipe/ServiceCommand.h"
#include "platform/ConnectionType.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/icmp6.h>
#include <netinet/in.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <map>
#include <memory>
#include <thread>

namespace {

TunnelLab* lab = nullptr;
QString unavailable;

// A host on the provider's link that no tunnel leads to: whatever arrives there from
// the client got out beside the tunnel.
const char outside4[] = "10.99.0.3";
const char outside6[] = "fd00:99::3";
constexpr std::uint16_t echoPort = 7;
constexpr std::uint16_t dnsPort = 53;
const QStringList probeNames{"TCP4", "UDP4", "ICMP4", "DNS4", "TCP6", "UDP6", "ICMP6", "DNS6"};

QByteArray nft(const QString& ns, const QStringList& arguments, bool* ok = nullptr)
{
    QByteArray output;
    const int code = TunnelLab::runIn(ns, QStringLiteral("nft"), arguments, 10000, &output);
    if (ok != nullptr) {
        *ok = code == 0;
    }
    return output;
}

// Counts, in the server namespace, what reaches the outside host over the link, before
// any other rule sees it; and holds the OpenVPN server's port shut while the server is
// to look dead (no answer at all, not even a refusal).
class OutsideCounter
{
public:
    bool install()
    {
        const QString link = TunnelLab::linkName(true);
        QString rules = QStringLiteral("table inet quarnel_leaks {\n"
                                       " chain gate { type filter hook input priority -10; policy accept; }\n"
                                       " chain count {\n"
                                       "  type filter hook prerouting priority -400; policy accept;\n");
        const auto add = [&](const QString& match, const QString& name) {
            rules += QStringLiteral("  iifname \"%1\" %2 counter comment \"%3\"\n").arg(link, match, name);
        };
        for (const bool v6 : {false, true}) {
            const QString daddr = v6 ? QStringLiteral("ip6 daddr ") + outside6 : QStringLiteral("ip daddr ") + outside4;
            const QString suffix = v6 ? QStringLiteral("6") : QStringLiteral("4");
            add(daddr + QStringLiteral(" tcp dport %1").arg(echoPort), "TCP" + suffix);
            add(daddr + QStringLiteral(" udp dport %1").arg(echoPort), "UDP" + suffix);
            add(daddr + (v6 ? " icmpv6 type echo-request" : " icmp type echo-request"), "ICMP" + suffix);
            add(daddr + QStringLiteral(" meta l4proto { tcp, udp } th dport %1").arg(dnsPort), "DNS" + suffix);
        }
        rules += QStringLiteral(" }\n}\n");
        QFile file(lab->path("leaks.nft"));
        if (!file.open(QIODevice::WriteOnly) || file.write(rules.toUtf8()) < 0) {
            return false;
        }
        file.close();
        bool ok = false;
        const QByteArray output = nft(lab->serverNamespace(), {"-f", file.fileName()}, &ok);
        if (!ok) {
            qWarning("nft: %s", output.constData());
        }
        return ok;
    }

    bool shutServer(bool shut)
    {
        bool ok = false;
        if (shut) {
            nft(lab->serverNamespace(),
                {"add", "rule", "inet", "quarnel_leaks", "gate", "udp", "dport", "1194", "drop"}, &ok);
        } else {
            nft(lab->serverNamespace(), {"flush", "chain", "inet", "quarnel_leaks", "gate"}, &ok);
        }
        return ok;
    }

    std::map<QString, quint64> read() const
    {
        std::map<QString, quint64> counts;
        const QByteArray listing = nft(lab->serverNamespace(), {"list", "chain", "inet", "quarnel_leaks", "count"});
        const QRegularExpression rule(QStringLiteral("packets (\\d+) bytes \\d+ comment \"(\\w+)\""));
        for (auto match = rule.globalMatch(QString::fromLatin1(listing)); match.hasNext();) {
            const QRegularExpressionMatch found = match.next();
            counts[found.captured(2)] += found.captured(1).toULongLong();
        }
        return counts;
    }
};

quint16 checksum(const unsigned char* data, std::size_t size)
{
    quint32 sum = 0;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        sum += static_cast<quint32>(data[i] << 8 | data[i + 1]);
    }
    if (size % 2 != 0) {
        sum += static_cast<quint32>(data[size - 1] << 8);
    }
    while (sum >> 16) {
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    return static_cast<quint16>(~sum);
}

// An A query for example.org, as a stub resolver sends it.
const QByteArray dnsQuery = QByteArray::fromHex("1d2e01000001000000000000076578616d706c65036f72670000010001");

// Sends every kind of probe to the outside host, ten rounds a second, from the
// namespace of the thread that starts it, until it is stopped. A probe the local
// firewall drops fails to send; that is the point, so nothing is checked here.
class Prober
{
public:
    Prober()
    {
        thread = std::thread([this] {
            std::uint16_t sequence = 0;
            while (!stopping) {
                for (const char* host : {outside4, outside6}) {
                    probe(host, ++sequence);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
        });
    }
    ~Prober()
    {
        stopping = true;
        thread.join();
    }
    Prober(const Prober&) = delete;
    Prober& operator=(const Prober&) = delete;

private:
    static void probe(const char* host, std::uint16_t sequence)
    {
        const SocketAddress echo = socketAddress(host, echoPort);
        const SocketAddress dns = socketAddress(host, dnsPort);
        const bool v6 = echo.family() == AF_INET6;
        const auto withSocket = [&](int type, int protocol, const auto& use) {
            const int fd = socket(echo.family(), type | SOCK_NONBLOCK | SOCK_CLOEXEC, protocol);
            if (fd >= 0) {
                use(fd);
                close(fd);
            }
        };
        // A connect sends its SYN at once; closing right after abandons the attempt.
        for (const SocketAddress* target : {&echo, &dns}) {
            withSocket(SOCK_STREAM, 0, [&](int fd) { connect(fd, target->address(), target->length()); });
        }
        withSocket(SOCK_DGRAM, 0, [&](int fd) {
            sendto(fd, "probe", 5, 0, echo.address(), echo.length());
            sendto(fd, dnsQuery.constData(), static_cast<std::size_t>(dnsQuery.size()), 0, dns.address(), dns.length());
        });
        withSocket(SOCK_RAW, v6 ? int(IPPROTO_ICMPV6) : int(IPPROTO_ICMP), [&](int fd) {
            unsigned char packet[16] = {};
            packet[0] = static_cast<unsigned char>(v6 ? ICMP6_ECHO_REQUEST : ICMP_ECHO);
            packet[4] = 0x51;
            packet[6] = static_cast<unsigned char>(sequence >> 8);
            packet[7] = static_cast<unsigned char>(sequence);
            if (!v6) {
                // The kernel fills in the ICMPv6 checksum, not the ICMP one.
                const quint16 sum = checksum(packet, sizeof packet);
                packet[2] = static_cast<unsigned char>(sum >> 8);
                packet[3] = static_cast<unsigned char>(sum);
            }
            const SocketAddress target = socketAddress(host, 0);
            sendto(fd, packet, sizeof packet, 0, target.address(), target.length());
        });
    }

    std::atomic<bool> stopping{false};
    std::thread thread;
};

// A web API that takes the connection and never answers: the client stays signed out,
// with its kill switch on, until the test lets it go on.
class StalledApi
{
public:
    StalledApi()
    {
        fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(fd, 16) != 0 ||
            getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
            release();
            return;
        }
        port = ntohs(address.sin_port);
    }
    ~StalledApi() { release(); }
    StalledApi(const StalledApi&) = delete;
    StalledApi& operator=(const StalledApi&) = delete;

    // Whether the client has called: its connection waits to be accepted.
    bool called(int timeoutMs) const
    {
        pollfd waiting{fd, POLLIN, 0};
        return fd >= 0 && poll(&waiting, 1, timeoutMs) == 1;
    }

    // Connections never accepted are reset: the sign-in fails at once.
    void release()
    {
        if (fd >= 0) {
            close(fd);
            fd = -1;
        }
    }

    QString url() const { return QStringLiteral("https://127.0.0.1:%1").arg(port); }
    bool ok() const { return port != 0; }

private:
    int fd = -1;
    quint16 port = 0;
};

// A remembered user who connects at start with the kill switch on, to the lab's server.
bool writeLeakSettings(ClientProgram& client)
{
    if (!client.makeFolders()) {
        return false;
    }
    const ServerInfo server = labServer();
    const QMap<QString, QByteArray> certificates{{TunnelLab::userName, lab->clientCertificate()}};
    const QMap<QString, QByteArray> keys{{TunnelLab::userName, lab->clientKey()}};

    QSettings settings(client.settingsFile(), QSettings::IniFormat);
    settings.setValue(SettingsKey::rememberUser, true);
    settings.setValue(SettingsKey::login, "leak-test@example.org");
    settings.setValue(SettingsKey::password, "secret");
    settings.setValue(SettingsKey::autoConnectOnStart, true);
    settings.setValue(SettingsKey::killConnect, true);
    settings.setValue(SettingsKey::iPv6LeakProtect, false);
    settings.setValue(SettingsKey::allowLocalDevices, false);
    settings.setValue(SettingsKey::changeTimezone, false);
    settings.setValue(SettingsKey::advProtocol, "udp");
    settings.setValue(SettingsKey::vpnLogin, TunnelLab::userName);
    settings.setValue(SettingsKey::lastLocationId, QString(TunnelLab::userName) + "::Lab");
    settings.setValue(SettingsKey::cachedServers, QStringList{server.toCacheLine()});
    settings.setValue(SettingsKey::cachedUsers,
                      QStringList{QString(TunnelLab::userName) + "||" + TunnelLab::password + "||" +
                                  QDateTime::currentDateTime().addYears(1).toString(Qt::ISODate)});
    settings.setValue(SettingsKey::cachedConfig, lab->configText());
    settings.setValue(SettingsKey::cachedCertif, PemTable::toBytes(certificates));
    settings.setValue(SettingsKey::cachedKeys, PemTable::toBytes(keys));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QByteArray killSwitchRules()
{
    bool ok = false;
    const QByteArray rules = nft(QString(), {"list", "table", "inet", "quarnel"}, &ok);
    return ok ? rules : QByteArray();
}

// The far end of the tunnel, over TCP, UDP and ICMP.
QString farSideAnswers()
{
    std::vector<Attempt> attempts(2);
    for (Attempt& attempt : attempts) {
        attempt.remoteAddress = TunnelLab::tunnelServerAddress;
        attempt.remotePort = echoPort;
    }
    attempts[1].tcp = false;
    runAttempts(attempts, std::chrono::milliseconds(5000));
    QStringList missing;
    if (!attempts[0].passed) {
        missing << "TCP";
    }
    if (!attempts[1].passed) {
        missing << "UDP";
    }
    if (!TunnelLab::pings(TunnelLab::tunnelServerAddress)) {
        missing << "ICMP";
    }
    return missing.isEmpty() ? QStringLiteral("yes") : "no " + missing.join('/');
}

struct Phase
{
    QString name;
    std::map<QString, quint64> counts;
    bool asserted = true;
    QString farSide = QStringLiteral("-");
};

// Test messages are cut short: on failure the logs go to the output first.
#define VERIFY_OR_DUMP(condition)                                                                                      \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            dump();                                                                                                    \
            QFAIL(#condition);                                                                                         \
        }                                                                                                              \
    } while (false)

} // namespace

// The real client, service and OpenVPN with the kill switch on, while probes of every
// kind go out to a host beside the tunnel: in no state of the connection may one of
// them arrive there.
class TestLeakE2E : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!unavailable.isEmpty()) {
            QSKIP(qPrintable("SKIP leak suite: " + unavailable));
        }
        QVERIFY2(lab->ok(), qPrintable(lab->failure()));
        for (const QString& program : {QStringLiteral("/usr/sbin/nft"), QStringLiteral(QUARNEL_CLIENT_BIN)}) {
            if (!QFileInfo(program).isExecutable()) {
                QSKIP(qPrintable("SKIP leak suite: no " + program));
            }
        }
        QVERIFY2(lab->addServerAddress(outside4), qPrintable(lab->failure()));
        QVERIFY2(lab->addLinkAddress(false, "fd00:99::1/64"), qPrintable(lab->failure()));
        QVERIFY2(lab->addLinkAddress(true, "fd00:99::2/64"), qPrintable(lab->failure()));
        QVERIFY2(lab->addLinkAddress(true, QString(outside6) + "/64"), qPrintable(lab->failure()));
        QVERIFY(counter.install());
        QVERIFY2(lab->startService(), qPrintable(lab->failure()));
        QVERIFY2(lab->startServer("udp"), qPrintable(lab->failure()));
        const int serverNs = open(QFile::encodeName("/run/netns/" + lab->serverNamespace()).constData(), O_RDONLY);
        QVERIFY(serverNs >= 0);
        const bool listening = echo.listen(serverNs, "0.0.0.0", echoPort);
        close(serverNs);
        QVERIFY(listening);
        echo.start();
    }

    void cleanupTestCase()
    {
        if (lab != nullptr) {
            client.reset();
            lab->stopServer();
        }
    }

    void nothingLeavesBesideTheTunnelInAnyState()
    {
        QVERIFY(api.ok());
        client = std::make_unique<ClientProgram>(lab->path("client"));
        QVERIFY(writeLeakSettings(*client));
        const auto clientLog = [this] { return QString::fromLocal8Bit(client->output()); };
        const auto serviceLog = [] { return QString::fromLocal8Bit(lab->serviceOutput().right(4000)); };
        const auto dump = [&] { qWarning().noquote() << "service:\n" << serviceLog() << "\nclient:\n" << clientLog(); };

        Prober prober;
        std::map<QString, quint64> last = counter.read();
        const auto phase = [&](const QString& name, bool asserted = true, int probingMs = 3000) {
            // Long enough for tens of rounds of every probe on a loaded machine.
            QTest::qWait(probingMs);
            const std::map<QString, quint64> now = counter.read();
            Phase done{name, {}, asserted};
            for (const QString& probe : probeNames) {
                done.counts[probe] = now.count(probe) ? now.at(probe) - (last.count(probe) ? last.at(probe) : 0) : 0;
            }
            last = now;
            phases.push_back(done);
            return &phases.back();
        };

        // No client yet, no kill switch: the probes must get out, or counting proves nothing.
        phase("no client (control)", false);

        QVERIFY(counter.shutServer(true));
        client->start(api.url());
        VERIFY_OR_DUMP(QTest::qWaitFor([] { return !killSwitchRules().isEmpty(); }, 30000));
        phase("client starting (no rules yet)", false, 0);
        VERIFY_OR_DUMP(api.called(30000));
        phase("idle before connecting");

        api.release();
        VERIFY_OR_DUMP(QTest::qWaitFor([] { return !lab->clientProcesses("openvpn").isEmpty(); }, 30000));
        phase("connecting, server silent");

        QVERIFY(counter.shutServer(false));
        VERIFY_OR_DUMP(QTest::qWaitFor([] { return TunnelLab::pings(TunnelLab::tunnelServerAddress); }, 90000));
        phase("connected")->farSide = farSideAnswers();

        const QList<qint64> firstTunnel = lab->clientProcesses("openvpn");
        QCOMPARE(firstTunnel.size(), 1);
        client->kill();
        phase("client killed (SIGKILL)");
        // Nobody took the tunnel down.
        QCOMPARE(lab->clientProcesses("openvpn"), firstTunnel);

        StalledApi again;
        QVERIFY(again.ok());
        client->start(again.url());
        VERIFY_OR_DUMP(again.called(30000));
        phase("client restarted, signing in");
        again.release();
        VERIFY_OR_DUMP(QTest::qWaitFor(
            [&] {
                const QList<qint64> now = lab->clientProcesses("openvpn");
                return !now.isEmpty() && !now.contains(firstTunnel.first());
            },
            60000));
        VERIFY_OR_DUMP(QTest::qWaitFor([] { return TunnelLab::pings(TunnelLab::tunnelServerAddress); }, 90000));
        phase("client restarted")->farSide = farSideAnswers();
        // The service ended the tunnel it had started before it started this one.
        QCOMPARE(lab->clientProcesses("openvpn").size(), 1);
        VERIFY_OR_DUMP(lab->serviceOutput().contains("ending the OpenVPN process started earlier"));

        servicepipe::ServiceReply reply;
        QVERIFY(serviceExchange(servicepipe::ServiceRequest(servicepipe::ServiceCommand::SaveFirewallState), reply));
        QVERIFY(lab->stopService());
        // A stop removes the rules; only the saved list brings them back at the start.
        QTest::qWait(3000);
        QVERIFY2(lab->startService(), qPrintable(lab->failure()));
        QVERIFY(!killSwitchRules().isEmpty());
        phase("service stopped (no rules)", false, 0);
        phase("service restarted")->farSide = farSideAnswers();

        lab->stopServer();
        phase("dropped (server killed)");

        // The tunnel program gives up: the client goes back to idle and blocks everything
        // outside the tunnel, DNS included, until the next connect.
        for (const qint64 pid : lab->clientProcesses("openvpn")) {
            ::kill(static_cast<pid_t>(pid), SIGKILL);
        }
        VERIFY_OR_DUMP(QTest::qWaitFor(
            [] {
                const QByteArray rules = killSwitchRules();
                return !rules.isEmpty() && !rules.contains(TunnelLab::serverAddress);
            },
            30000));
        phase("tunnel ends, until DNS blocked", true, 0);
        phase("after the drop (block-DNS)");

        VERIFY_OR_DUMP(client->quit());
        QVERIFY(killSwitchRules().isEmpty());
        phase("client quit (control)", false);

        printTable();
        for (const Phase& done : phases) {
            for (const auto& [probe, count] : done.counts) {
                if (done.asserted) {
                    QVERIFY2(
                        count == 0,
                        qPrintable(
                            QStringLiteral("%1: %2 %3 packets outside the tunnel").arg(done.name, probe).arg(count)));
                }
            }
            if (done.farSide != QLatin1String("-")) {
                QVERIFY2(done.farSide == QLatin1String("yes"), qPrintable(done.name + ": " + done.farSide));
            }
        }
        // The probes do get out where nothing holds them.
        for (const Phase* control : {&phases.front(), &phases.back()}) {
            for (const auto& [probe, count] : control->counts) {
                QVERIFY2(count > 0, qPrintable(control->name + ": no " + probe + " probe arrived"));
            }
        }
    }

private:
    void printTable() const
    {
        QString table = QStringLiteral("\nPackets that reached the outside host, kill switch on\n");
        table += QStringLiteral("%1").arg("state", -30);
        for (const QString& probe : probeNames) {
            table += QStringLiteral("%1").arg(probe, 7);
        }
        table += QStringLiteral("  tunnel answers\n");
        for (const Phase& done : phases) {
            table += QStringLiteral("%1").arg(done.name, -30);
            for (const QString& probe : probeNames) {
                table += QStringLiteral("%1 ").arg(done.counts.at(probe), 6);
            }
            table += "  " + done.farSide + (done.asserted ? QString() : QStringLiteral("  (not asserted)")) + "\n";
        }
        qInfo().noquote() << table;
    }

    OutsideCounter counter;
    EchoServer echo;
    StalledApi api;
    std::unique_ptr<ClientProgram> client;
    std::vector<Phase> phases;
};

int main(int argc, char* argv[])
{
    IsolatedUserDirs dirs;
    unavailable = TunnelLab::unavailableReason();
    return runLabTest<TestLeakE2E>(argc, argv, unavailable, lab);
}

#include "LeakE2ETest.moc"
