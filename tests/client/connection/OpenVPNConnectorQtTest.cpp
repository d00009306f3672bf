#include "connection/OpenVPNConnectorQt.h"

#include "connection/ServiceRequests.h"
#include "platform/ProgramPaths.h"

#include "FakeService.h"
#include "ManagementPeer.h"
#include "ScriptedStandIn.h"
#include "ServiceEndpoint.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace servicepipe;

namespace {

// Every signal of the connector as one text, in arrival order (queued to this thread).
class Recorder : public QObject
{
public:
    explicit Recorder(OpenVPNConnectorQt& connector)
    {
        connect(&connector, &OpenVPNConnectorQt::connected, this, [this] { events << "connected"; });
        connect(&connector, &OpenVPNConnectorQt::disconnected, this, [this] { events << "disconnected"; });
        connect(&connector, &OpenVPNConnectorQt::reconnecting, this, [this] { events << "reconnecting"; });
        connect(&connector, &OpenVPNConnectorQt::stateChanged, this,
                [this](const QString& state) { events << "state:" + state; });
        connect(&connector, &OpenVPNConnectorQt::error, this,
                [this](int code) { events << "error:" + QString::number(code); });
        connect(&connector, &OpenVPNConnectorQt::log, this, [this](const QString& text) { events << "log:" + text; });
        connect(&connector, &OpenVPNConnectorQt::statisticsUpdated, this,
                [this](quint64 in, quint64 out) { events << QStringLiteral("stats:%1,%2").arg(in).arg(out); });
    }

    QStringList events;
};

const QByteArray subscriptions("state on all\nlog on\nbytecount 1\n");

} // namespace

class TestOpenVPNConnectorQt : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        socketPath = testServiceEndpoint(dir.path());
        qputenv("QUARNEL_SERVICE_SOCKET", QFile::encodeName(socketPath));
        setServiceConnectTimeout(std::chrono::milliseconds(300));
        configPath = dir.path() + "/Quarnel.ovpn";
        // The stand-in sing-box is found on the search path (on Linux; Windows starts the
        // one beside the test program).
        QVERIFY(QDir().mkpath(dir.path() + "/bin"));
        qputenv("PATH", QFile::encodeName(dir.path() + "/bin") + ":" + qgetenv("PATH"));
    }

    void init()
    {
        service = std::make_unique<FakeService>(QFile::encodeName(socketPath).toStdString());
        QVERIFY(service->isReady());
    }

    void cleanup() { service.reset(); }

    void fullRun()
    {
        OpenVPNConnectorQt connector;
        Recorder recorder(connector);
        ManagementPeer peer;
        // The password file as the service finds it while it serves the request.
        QByteArray passwordFileContent;
        QString passwordFile;
        service->onRequest([&](const std::vector<std::uint8_t>& bytes) {
            const ServiceRequest request = ServiceRequest::fromBytes(bytes.data(), bytes.size());
            passwordFile = QRegularExpression("\"([^\"]+)\" --management-query-passwords$")
                               .match(QString::fromStdU16String(request.commandLine()))
                               .captured(1);
            QFile file(passwordFile);
            if (file.open(QIODevice::ReadOnly)) {
                passwordFileContent = file.readAll();
            }
        });
        int port = 0;
        connector.startOpenVPN(configPath, "alice", "pa\"ss");
        QVERIFY(launched(port));
        QVERIFY(peer.listen(port));
        QVERIFY(peer.accept());
        QTRY_COMPARE(peer.heard(), subscriptions);

        const ServiceRequest launch = ServiceRequest::fromBytes(service->received()[0].data(), requestSize);
        QCOMPARE(launch.command(), std::int32_t(0));
        QCOMPARE(launch.flag(), std::uint8_t(0));
        QCOMPARE(QString::fromStdU16String(launch.commandLine()),
                 openVpnCommandLine(platform::openVpnProgram(), configPath, port, passwordFile));
        // The first thing OpenVPN hears is the password of the file; the file itself is
        // gone once the service has its copy, and is only its owner's while it exists.
        QVERIFY(QRegularExpression("^[0-9a-f]{32}$").match(QString::fromLatin1(peer.password())).hasMatch());
        QCOMPARE(passwordFileContent, peer.password() + "\n");
        QVERIFY(!QFileInfo::exists(passwordFile));

        peer.say(">INFO:OpenVPN Management Interface Version 5 -- type 'help' for more info\r\n"
                 ">PASSWORD:Need 'Auth' username/password\r\n");
        QTRY_COMPARE(peer.heard(), subscriptions + "username \"Auth\" \"alice\"\n");
        peer.say("SUCCESS: 'Auth' username entered, but not yet verified\r\n");
        QTRY_COMPARE(peer.heard(), subscriptions + "username \"Auth\" \"alice\"\npassword \"Auth\" \"pa\\\"ss\"\n");
        peer.say("SUCCESS: 'Auth' password entered, but not yet verified\r\n"
                 ">STATE:1700000000,WAIT,,,,,,\n"
                 ">STATE:1700000001,CONNECTED,SUCCESS,10.8.0.6,198.51.100.7,1194,,\n"
                 ">BYTECOUNT:1024,2048\n"
                 ">LOG:1700000002,I,Initialization Sequence Completed\n"
                 ">STATE:1700000003,RECONNECTING,ping-restart,,,,,\n"
                 ">STATE:1700000004,CONNECTED,SUCCESS,10.8.0.6,198.51.100.7,1194,,\n");
        const QStringList up{"state:WAIT",
                             "state:CONNECTED",
                             "connected",
                             "stats:1024,2048",
                             "log:>LOG:1700000002,I,Initialization Sequence Completed",
                             "state:RECONNECTING",
                             "reconnecting",
                             "state:CONNECTED",
                             "connected"};
        QTRY_COMPARE(recorder.events, up);

        connector.stop();
        QTRY_COMPARE(peer.heard().right(15), QByteArray("signal SIGTERM\n"));
        peer.say(">SUCCESS: signal SIGTERM thrown\r\n");
        peer.hangUp();
        QVERIFY(connector.wait(10000));
        QTRY_COMPARE(recorder.events, up + QStringList{"disconnected"});
    }

    void managementEndings_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QStringList>("events");

        QTest::newRow("auth failed") << QByteArray(">PASSWORD:Verification Failed: 'Auth' ['AUTH: Received "
                                                   "control message: AUTH_FAILED']\r\n")
                                     << QStringList{"error:0", "disconnected"};
        QTest::newRow("no adapter, once")
            << QByteArray(">LOG:1,F,There are no TAP-Windows adapters on this system\n"
                          ">LOG:2,F,There are no TAP-Windows adapters on this system\n"
                          ">LOG:3,F,Cannot open TUN/TAP dev /dev/net/tun: Operation not permitted (errno=1)\n")
            << QStringList{"error:2", "disconnected"};
        QTest::newRow("proxy, once") << QByteArray(">LOG:1,N,Proxy requires authentication\n"
                                                   ">LOG:2,N,Proxy requires authentication\n")
                                     << QStringList{"error:6", "disconnected"};
        QTest::newRow("UDP write failed")
            << QByteArray(">LOG:1,W,write UDPv4: No buffer space available (WSAENOBUFS) (code=10055)\n")
            << QStringList{"error:7", "log:>LOG:1,W,write UDPv4: No buffer space available (WSAENOBUFS) (code=10055)",
                           "disconnected"};
        // The state is idle after a failed connect, so the close that follows is quiet.
        QTest::newRow("connect error") << QByteArray(">STATE:1,CONNECTED,ERROR,,,,,\n")
                                       << QStringList{"state:CONNECTED", "error:8"};
        QTest::newRow("short state line")
            << QByteArray(">STATE:RECONNECTING\n") << QStringList{"state:", "disconnected"};
        QTest::newRow("overlong line, then the next")
            << (">LOG:1,I," + QByteArray(20000, 'x') + "\n>BYTECOUNT:5,6\n")
            << QStringList{"log:>LOG:1,I," + QString(ManagementLineParserLimit - 9, 'x'), "stats:5,6", "disconnected"};
    }

    void managementEndings()
    {
        QFETCH(QByteArray, lines);
        QFETCH(QStringList, events);
        OpenVPNConnectorQt connector;
        Recorder recorder(connector);
        ManagementPeer peer;
        QVERIFY(connectPeer(connector, peer, "alice", "secret"));
        peer.say(lines);
        peer.hangUp();
        QVERIFY(connector.wait(10000));
        QTRY_COMPARE(recorder.events, events);
    }

    void unsendablePasswordEndsTheRun()
    {
        OpenVPNConnectorQt connector;
        Recorder recorder(connector);
        ManagementPeer peer;
        QVERIFY(connectPeer(connector, peer, "alice", "pass\nsignal SIGHUP"));
        peer.say(">PASSWORD:Need 'Auth' username/password\r\n"
                 "SUCCESS: 'Auth' username entered, but not yet verified\r\n");
        QTRY_COMPARE(peer.heard(), subscriptions + "username \"Auth\" \"alice\"\nsignal SIGTERM\n");
        peer.hangUp();
        QVERIFY(connector.wait(10000));
        QTRY_COMPARE(recorder.events, (QStringList{"error:0", "disconnected"}));
        QCOMPARE(peer.heard(), subscriptions + "username \"Auth\" \"alice\"\nsignal SIGTERM\n");
    }

    void stopBeforeManagementConnection()
    {
        OpenVPNConnectorQt connector;
        Recorder recorder(connector);
        int port = 0;
        connector.startOpenVPN(configPath, "alice", "secret");
        QVERIFY(launched(port));
        connector.stop();
        QVERIFY(connector.wait(10000));
        QTRY_COMPARE(recorder.events, QStringList{"disconnected"});
    }

    // OpenVPN told to end but silent: the run still ends, with its signal.
    void stopWithSilentPeer()
    {
        OpenVPNConnectorQt connector;
        Recorder recorder(connector);
        ManagementPeer peer;
        QVERIFY(connectPeer(connector, peer, "alice", "secret"));
        connector.stop();
        QTRY_COMPARE(peer.heard(), subscriptions + "signal SIGTERM\n");
        QVERIFY(connector.wait(10000));
        QTRY_COMPARE(recorder.events, QStringList{"disconnected"});
    }

    // A stop that comes between two lines still tells OpenVPN to end: left running, it
    // would keep the tunnel up after the run reported its end.
    void stopBetweenLinesTellsOpenVpn()
    {
        OpenVPNConnectorQt connector;
        Recorder recorder(connector);
        ManagementPeer peer;
        // On the connector's thread while the line is applied: the stop is there before
        // the next line is waited for.
        QObject::connect(
            &connector, &OpenVPNConnectorQt::connected, &connector, [&connector] { connector.stop(); },
            Qt::DirectConnection);
        QVERIFY(connectPeer(connector, peer, "alice", "secret"));
        peer.say(">STATE:1,CONNECTED,SUCCESS,10.8.0.6,198.51.100.7,1194,,\n");
        QTRY_COMPARE(peer.heard(), subscriptions + "signal SIGTERM\n");
        peer.hangUp();
        QVERIFY(connector.wait(10000));
        QTRY_COMPARE(recorder.events, (QStringList{"state:CONNECTED", "connected", "disconnected"}));
    }

    void serviceFailures_data()
    {
        QTest::addColumn<bool>("serviceThere");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("service not there") << false << QStringList{"error:3"};
        QTest::newRow("no reply from the service") << true << QStringList{"error:4"};
    }

    void serviceFailures()
    {
        QFETCH(bool, serviceThere);
        QFETCH(QStringList, events);
        if (serviceThere) {
            service->hangUp();
        } else {
            service.reset();
        }
        OpenVPNConnectorQt connector;
        Recorder recorder(connector);
        connector.startOpenVPN(configPath, "alice", "secret");
        QVERIFY(connector.wait(10000));
        QTRY_COMPARE(recorder.events, events);
    }

    // Over 1000 refused connects, 10 ms apart: about ten seconds.
    void managementNeverOpens()
    {
        OpenVPNConnectorQt connector;
        Recorder recorder(connector);
        QElapsedTimer timer;
        timer.start();
        connector.startOpenVPN(configPath, "alice", "secret");
        QVERIFY(connector.wait(60000));
        // Refused local connects return at once: the attempts must be spread out so
        // that a slow OpenVPN still gets reached.
        QVERIFY(timer.elapsed() >= 9000);
        QTRY_COMPARE(recorder.events, QStringList{"error:1"});
    }

    void singBoxStartsAndStops()
    {
        writeSingBox("args {3}.args\n"
                     "say INFO[0000] sing-box started at (0.05s)\n"
                     "hold\n");
        OpenVPNConnectorQt connector;
        Recorder recorder(connector);
        const QString config = dir.path() + "/Quarnel.brume-1.json";
        connector.startSingBox(config);
        QTRY_COMPARE(recorder.events, (QStringList{"log:Connected to Brume", "connected"}));
        QFile args(config + ".args");
        QVERIFY(args.open(QIODevice::ReadOnly));
        QCOMPARE(args.readAll(), "run\n-c\n" + QFile::encodeName(config) + "\n");

        connector.stop();
        QVERIFY(connector.wait(10000));
        QTRY_COMPARE(recorder.events, (QStringList{"log:Connected to Brume", "connected", "disconnected",
                                                   "log:Disconnected from Brume"}));
    }

    void singBoxRuns_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QStringList>("events");

        QTest::newRow("start-up timeout, then started")
            << QByteArray("if {3}.first say started at\n"
                          "if {3}.first hold\n"
                          "touch {3}.first\n"
                          "say start service: take too much time to finish!\n"
                          "hold\n")
            << QStringList{"log:Try to reconnect to Brume 1", "log:Connected to Brume", "connected", "disconnected",
                           "log:Disconnected from Brume"};
        QTest::newRow("both texts in one chunk counts as started")
            << QByteArray("say take too much time to finish!\\nstarted at\nhold\n")
            << QStringList{"log:Connected to Brume", "connected", "disconnected", "log:Disconnected from Brume"};
        QTest::newRow("exits before starting")
            << QByteArray("say FATAL[0000] decode config\nexit 1\n") << QStringList{"error:9"};
        QTest::newRow("does not start") << QByteArray() << QStringList{"error:9"};
        QTest::newRow("stop while starting")
            << QByteArray("hold\n") << QStringList{"disconnected", "log:Disconnected from Brume"};
    }

    void singBoxRuns()
    {
        QFETCH(QByteArray, script);
        QFETCH(QStringList, events);
        if (script.isEmpty()) {
#ifdef Q_OS_WIN
            QSKIP("Windows starts the stand-in beside the test program, which cannot be made unstartable");
#else
            // A program the system cannot start.
            const QString path = dir.path() + "/bin/sing-box";
            QFile::remove(path);
            QVERIFY(QFile::link(dir.path() + "/nonexistent", path));
#endif
        } else {
            writeSingBox(script);
        }
        OpenVPNConnectorQt connector;
        Recorder recorder(connector);
        QTemporaryDir runDir;
        connector.startSingBox(runDir.path() + "/Quarnel.brume.json");
        const bool stopsItself = events.first() == "error:9";
        if (!stopsItself) {
            // Stop once the run has reached its waiting point.
            const int before = events.indexOf("disconnected");
            QTRY_COMPARE(recorder.events, events.mid(0, before));
            if (before == 0) {
                QTRY_VERIFY(QFile::exists(runDir.path() + "/started"));
            }
            connector.stop();
        }
        QVERIFY(connector.wait(20000));
        QTRY_COMPARE(recorder.events, events);
    }

    void singBoxExitsWhileConnected()
    {
        writeSingBox("say started at\n"
                     "wait {3}.quit\n");
        OpenVPNConnectorQt connector;
        Recorder recorder(connector);
        const QString config = dir.path() + "/Quarnel.brume-2.json";
        connector.startSingBox(config);
        QTRY_COMPARE(recorder.events, (QStringList{"log:Connected to Brume", "connected"}));
        QFile quit(config + ".quit");
        QVERIFY(quit.open(QIODevice::WriteOnly));
        quit.close();
        QVERIFY(connector.wait(10000));
        QTRY_COMPARE(recorder.events, (QStringList{"log:Connected to Brume", "connected", "disconnected",
                                                   "log:Disconnected from Brume"}));
    }

private:
    static constexpr int ManagementLineParserLimit = 10000;

    // The launch request has reached the service; port is the management port it names.
    bool launched(int& port)
    {
        if (!QTest::qWaitFor([this] { return !service->received().empty(); }, 10000)) {
            return false;
        }
        const auto bytes = service->received().front();
        const ServiceRequest request = ServiceRequest::fromBytes(bytes.data(), bytes.size());
        const QRegularExpressionMatch match = QRegularExpression(" --management 127\\.0\\.0\\.1 (\\d+) ")
                                                  .match(QString::fromStdU16String(request.commandLine()));
        port = match.captured(1).toInt();
        return match.hasMatch();
    }

    bool connectPeer(OpenVPNConnectorQt& connector, ManagementPeer& peer, const QString& user, const QString& pass)
    {
        int port = 0;
        connector.startOpenVPN(configPath, user, pass);
        return launched(port) && peer.listen(port) && peer.accept() &&
               QTest::qWaitFor([&peer] { return peer.heard() == subscriptions; }, 10000);
    }

    // The stand-in sing-box, marking with "started" the folder of its configuration.
    void writeSingBox(const QByteArray& script)
    {
        QVERIFY(installStandIn(StandIn::SingBox, dir.path() + "/bin", "touch {3:dir}/started\n" + script));
    }

    QTemporaryDir dir;
    QString socketPath;
    QString configPath;
    std::unique_ptr<FakeService> service;
};

QTEST_GUILESS_MAIN(TestOpenVPNConnectorQt)
#include "OpenVPNConnectorQtTest.moc"
