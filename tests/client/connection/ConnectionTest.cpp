#include "connection/Connection.h"

#include "log/Log.h"
#include "connection/ConnectorError.h"
#include "connection/OpenVPNConnectorQt.h"
#include "connection/ServiceRequests.h"
#include "data/ServerInfo.h"
#include "pipe/ServiceRequest.h"
#include "platform/ConnectionType.h"
#include "platform/ProgramPaths.h"
#include "ServiceEndpoint.h"

#include "FakeService.h"
#include "IsolatedUserDirs.h"
#include "ManagementPeer.h"
#include "ScriptedStandIn.h"
#include "UnderWine.h"

#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// Stands in for sing-box: reports that it started, then runs until it is stopped.
const char singBoxStandIn[] = "say INFO sing-box started at 0.02s\n"
                              "hold\n";

ServerInfo serverOfType(int type)
{
    ServerInfo server;
    server.id = QStringLiteral("7");
    server.ip = QStringLiteral("127.0.0.1");
    server.connectionType = type;
    return server;
}

struct AllSignals
{
    explicit AllSignals(Connection* connection)
        : connected(connection, &Connection::connected), disconnected(connection, &Connection::disconnected),
          error(connection, &Connection::error), statistics(connection, &Connection::statisticsChanged),
          log(connection, &Connection::logUpdate)
    {
    }

    int total() const
    {
        return connected.count() + disconnected.count() + error.count() + statistics.count() + log.count();
    }

    QSignalSpy connected;
    QSignalSpy disconnected;
    QSignalSpy error;
    QSignalSpy statistics;
    QSignalSpy log;
};

} // namespace

class TestConnection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void everyConnectorErrorHasAUserText_data();
    void everyConnectorErrorHasAUserText();
    void unknownErrorCodesShowTheirNumber_data();
    void unknownErrorCodesShowTheirNumber();
    void statisticsUseTheLow32BitsAndDeltas();
    void openVpnTypesGoToTheConnector_data();
    void openVpnTypesGoToTheConnector();
    void dialUpTypesAreRefusedOnThisSystem_data();
    void dialUpTypesAreRefusedOnThisSystem();
    void disconnectWithoutRasHandleOnlyStopsTheConnector();
    void rasFailureDisconnectsAndReportsTheStatusOnce();
    void rasConnectedEventReportsConnected();
    void connectorLivesAndDiesWithTheFront();

private:
    QTemporaryDir dir;
    std::unique_ptr<Connection> connection;
};

void TestConnection::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY(installStandIn(StandIn::SingBox, dir.path(), singBoxStandIn));
    qputenv("PATH", QFile::encodeName(dir.path()) + ':' + qgetenv("PATH"));
    // Only the test that starts OpenVPN puts a stand-in service here.
    qputenv("QUARNEL_SERVICE_SOCKET", QFile::encodeName(testServiceEndpoint(dir.path())));
    setServiceConnectTimeout(std::chrono::milliseconds(100));
}

void TestConnection::init()
{
    connection = std::make_unique<Connection>();
}

void TestConnection::cleanup()
{
    connection.reset();
}

// Every code the connector emits, with the number its signal carries: each reaches the
// user as a text of its own, never as its number.
void TestConnection::everyConnectorErrorHasAUserText_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("message");
    const auto row = [](const char* name, ConnectorError code, int number, const char* message) {
        QTest::newRow(name) << static_cast<int>(code) << number << QString::fromLatin1(message);
    };
    row("AuthFailed", ConnectorError::AuthFailed, 0, "Invalid username or password");
    row("ManagementUnreachable", ConnectorError::ManagementUnreachable, 1, "Not open openvpn socket");
    row("NoTunAdapter", ConnectorError::NoTunAdapter, 2, "Can not alocate TUN");
    row("ServiceUnreachable", ConnectorError::ServiceUnreachable, 3, "Can not connect to helper");
    row("ServiceExchangeFailed", ConnectorError::ServiceExchangeFailed, 4, "Can not write to helper");
    row("NoFreePort", ConnectorError::NoFreePort, 5, "Can not find a free local port for OpenVPN");
    row("ProxyAuthRequired", ConnectorError::ProxyAuthRequired, 6, "Proxy requires authentication");
    row("NetworkWriteFailed", ConnectorError::NetworkWriteFailed, 7, "Can not send data to the VPN server");
    row("ConnectFailed", ConnectorError::ConnectFailed, 8, "Can not complete the connection to the VPN server");
    row("BrumeFailed", ConnectorError::BrumeFailed, 9, "Can not start Brume");
}

void TestConnection::everyConnectorErrorHasAUserText()
{
    QFETCH(int, code);
    QFETCH(int, number);
    QFETCH(QString, message);
    QCOMPARE(code, number);
    QVERIFY(!Connection::errorMessage(code).contains(QLatin1String("Code error")));

    AllSignals spies(connection.get());
    connection->onOvpnError(code);
    QCOMPARE(spies.error.count(), 1);
    QCOMPARE(spies.error.first().first().toString(), message);
    QCOMPARE(spies.total(), 1);
}

void TestConnection::unknownErrorCodesShowTheirNumber_data()
{
    QTest::addColumn<int>("code");
    for (int code : {-1, 10, 1000}) {
        QTest::addRow("%d", code) << code;
    }
}

void TestConnection::unknownErrorCodesShowTheirNumber()
{
    QFETCH(int, code);
    AllSignals spies(connection.get());
    connection->onOvpnError(code);
    QCOMPARE(spies.error.count(), 1);
    QCOMPARE(spies.error.first().first().toString(), QStringLiteral("Code error: %1").arg(code));
}

void TestConnection::statisticsUseTheLow32BitsAndDeltas()
{
    struct Step
    {
        quint64 in;
        quint64 out;
        double download;
        double upload;
        double totalDownload;
        double totalUpload;
    };
    const quint64 wrap = Q_UINT64_C(1) << 32;
    const Step steps[] = {
        {1024, 2048, 1024, 2048, 1024, 2048},
        {1500, 2048, 476, 0, 1500, 2048},
        // Counts past 4 GiB are taken modulo 2^32; the delta across the wrap stays right.
        {wrap - 10, wrap - 1, double(wrap - 10 - 1500), double(wrap - 1 - 2048), double(wrap - 10), double(wrap - 1)},
        {wrap + 5, wrap + 1, 15, 2, 5, 1},
        {3 * wrap + 7, wrap + 1, 2, 0, 7, 1},
    };

    AllSignals spies(connection.get());
    connection->onOvpnConnected();
    QCOMPARE(spies.connected.count(), 1);
    for (const Step& step : steps) {
        spies.statistics.clear();
        connection->onStatisticsUpdate(step.in, step.out);
        QCOMPARE(spies.statistics.count(), 1);
        const QList<QVariant> values = spies.statistics.first();
        QCOMPARE(values.at(0).toDouble(), step.download);
        QCOMPARE(values.at(1).toDouble(), step.upload);
        QCOMPARE(values.at(2).toDouble(), step.totalDownload);
        QCOMPARE(values.at(3).toDouble(), step.totalUpload);
    }

    // A new connection starts counting from zero again.
    connection->onOvpnConnected();
    spies.statistics.clear();
    connection->onStatisticsUpdate(300, 400);
    QCOMPARE(spies.statistics.first(), (QList<QVariant>{300.0, 400.0, 300.0, 400.0}));
}

void TestConnection::openVpnTypesGoToTheConnector_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("udp") << static_cast<int>(ConnectionType::OpenVpnUdp);
    QTest::newRow("tcp") << static_cast<int>(ConnectionType::OpenVpnTcp);
}

// The configuration path goes to the service in the OpenVPN command line, the user name
// and password to OpenVPN when it asks for them; the run's ending is relayed.
void TestConnection::openVpnTypesGoToTheConnector()
{
    QFETCH(int, type);
    FakeService service(qgetenv("QUARNEL_SERVICE_SOCKET").toStdString());
    QVERIFY(service.isReady());
    AllSignals spies(connection.get());
    const QString config = dir.filePath(QStringLiteral("Quarnel.ovpn"));
    connection->connect(serverOfType(type), QStringLiteral("alice"), QStringLiteral("se\"cret"), config);

    QVERIFY(QTest::qWaitFor([&service] { return !service.received().empty(); }, 10000));
    const std::vector<std::uint8_t> bytes = service.received().front();
    const servicepipe::ServiceRequest launch = servicepipe::ServiceRequest::fromBytes(bytes.data(), bytes.size());
    const QString commandLine = QString::fromStdU16String(launch.commandLine());
    const QRegularExpressionMatch port =
        QRegularExpression(QStringLiteral(" --management 127\\.0\\.0\\.1 (\\d+) \"([^\"]+)\" ")).match(commandLine);
    QVERIFY2(port.hasMatch(), qPrintable(commandLine));
    QCOMPARE(commandLine,
             openVpnCommandLine(platform::openVpnProgram(), config, port.captured(1).toInt(), port.captured(2)));

    ManagementPeer peer;
    QVERIFY(peer.listen(port.captured(1).toInt()));
    QVERIFY(peer.accept());
    const QByteArray subscriptions("state on all\nlog on\nbytecount 1\n");
    QTRY_COMPARE(peer.heard(), subscriptions);
    peer.say(">PASSWORD:Need 'Auth' username/password\r\n");
    QTRY_COMPARE(peer.heard(), subscriptions + "username \"Auth\" \"alice\"\n");
    peer.say("SUCCESS: 'Auth' username entered, but not yet verified\r\n");
    QTRY_COMPARE(peer.heard(), subscriptions + "username \"Auth\" \"alice\"\npassword \"Auth\" \"se\\\"cret\"\n");
    peer.say(">STATE:1700000001,CONNECTED,SUCCESS,10.8.0.6,127.0.0.1,1194,,\n");
    QVERIFY(spies.connected.wait(10000));

    connection->disconnect();
    QTRY_VERIFY(peer.heard().endsWith("signal SIGTERM\n"));
    peer.hangUp();
    QVERIFY(spies.disconnected.wait(10000));
    QCOMPARE(spies.disconnected.first().first().toBool(), false);
    QVERIFY(connection->connector()->wait(10000));
    QCOMPARE(spies.error.count(), 0);
    QCOMPARE(spies.connected.count(), 1);
}

void TestConnection::dialUpTypesAreRefusedOnThisSystem_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("attempt"); // what the Windows dialer logs first
    QTest::newRow("pptp") << static_cast<int>(ConnectionType::Pptp) << QStringLiteral("Do connect to PPTP");
    QTest::newRow("l2tp") << static_cast<int>(ConnectionType::L2tp) << QStringLiteral("Do connect to L2TP");
    QTest::newRow("other") << 3 << QStringLiteral("Do connect to L2TP");
}

// Linux has no dialer; Windows dials through RAS, which under Wine has no VPN device, so
// the attempt ends where a Windows without one would.
void TestConnection::dialUpTypesAreRefusedOnThisSystem()
{
    QFETCH(int, type);
    QFETCH(QString, attempt);
#ifdef Q_OS_WIN
    if (!underWine()) {
        QSKIP("Windows has VPN devices: the attempt would dial for real");
    }
    const QString text = QStringLiteral("Unable to find device with VPN PPTP");
    const QStringList log{attempt, text};
#else
    const QString text = QStringLiteral("PPTP/L2TP connections are not supported on this system");
    const QStringList log{text};
    Q_UNUSED(attempt)
#endif
    AllSignals spies(connection.get());
    connection->connect(serverOfType(type), QStringLiteral("user"), QStringLiteral("pass"), QString());
    QCOMPARE(spies.error.count(), 1);
    QCOMPARE(spies.error.first().first().toString(), text);
    QStringList logged;
    for (const QList<QVariant>& line : spies.log) {
        logged << line.first().toString();
    }
    QCOMPARE(logged, log);
    QCOMPARE(spies.total(), 1 + log.size());
    QVERIFY(!connection->connector()->isRunning());
}

void TestConnection::disconnectWithoutRasHandleOnlyStopsTheConnector()
{
    AllSignals spies(connection.get());
    const QString config = dir.filePath(QStringLiteral("brume.json"));
    connection->connector()->startSingBox(config);
    QVERIFY(spies.connected.wait(10000));
    QCOMPARE(spies.log.count(), 1);
    QCOMPARE(spies.log.first().first().toString(), QStringLiteral("Connected to Brume"));

    spies.log.clear();
    spies.connected.clear();
    connection->disconnect();
    // The front itself says nothing; the connector's own ending is relayed.
    QCOMPARE(spies.total(), 0);
    QVERIFY(spies.disconnected.wait(10000));
    QCOMPARE(spies.disconnected.first().first().toBool(), false);
    QVERIFY(connection->connector()->wait(10000));
    QCoreApplication::processEvents();
    QCOMPARE(spies.disconnected.count(), 1);
    QCOMPARE(spies.log.count(), 1);
    QCOMPARE(spies.log.first().first().toString(), QStringLiteral("Disconnected from Brume"));
    QCOMPARE(spies.error.count(), 0);

    // Nothing runs any more: a second disconnect is silent.
    connection->disconnect();
    QCoreApplication::processEvents();
    QCOMPARE(spies.disconnected.count(), 1);
}

void TestConnection::rasFailureDisconnectsAndReportsTheStatusOnce()
{
    AllSignals spies(connection.get());
    const QString status = QStringLiteral("AuthNotify: The remote computer refused the credentials");
    Connection::rasNotified(status, Connection::RasFailedEvent);
    QCOMPARE(Connection::rasStatus(), status);
    QVERIFY(spies.error.wait(5000));
    QCoreApplication::processEvents();
    QCOMPARE(spies.error.count(), 1);
    QCOMPARE(spies.error.first().first().toString(), status);
    // No RAS handle on this system: the disconnect has nothing to report.
    QCOMPARE(spies.total(), 1);

    QFile logFile(Log::filePath(Log::connectionFileName));
    QVERIFY(logFile.open(QIODevice::ReadOnly));
    QVERIFY(logFile.readAll().contains(status.toUtf8()));

    // A notification without an event only updates the text.
    Connection::rasNotified(QStringLiteral("Authenticate: Ok"), 0);
    QCoreApplication::processEvents();
    QCOMPARE(Connection::rasStatus(), QStringLiteral("Authenticate: Ok"));
    QCOMPARE(spies.total(), 1);
}

void TestConnection::rasConnectedEventReportsConnected()
{
    AllSignals spies(connection.get());
    Connection::rasNotified(QStringLiteral("Connected: Ok"), Connection::RasConnectedEvent);
    QVERIFY(spies.connected.wait(5000));
    QCOMPARE(spies.connected.count(), 1);
    QCOMPARE(spies.error.count(), 0);
}

void TestConnection::connectorLivesAndDiesWithTheFront()
{
    QVERIFY(Connection::connector() != nullptr);
    connection.reset();
    QVERIFY(Connection::connector() == nullptr);

    // A late RAS notification has no front to post to: it keeps its text and its log
    // line, and no event waits for the next front.
    const QString late = QStringLiteral("Disconnected: late notification");
    Connection::rasNotified(late, Connection::RasFailedEvent);
    QCOMPARE(Connection::rasStatus(), late);
    QFile logFile(Log::filePath(Log::connectionFileName));
    QVERIFY(logFile.open(QIODevice::ReadOnly));
    QVERIFY(logFile.readAll().contains(late.toUtf8()));

    connection = std::make_unique<Connection>();
    QVERIFY(Connection::connector() != nullptr);
    AllSignals spies(connection.get());
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCOMPARE(spies.total(), 0);

    // The new front is the one notifications reach.
    Connection::rasNotified(QStringLiteral("Connected: Ok"), Connection::RasConnectedEvent);
    QVERIFY(spies.connected.wait(5000));
    QCOMPARE(spies.total(), 1);
}

int main(int argc, char* argv[])
{
    IsolatedUserDirs dirs;
    QCoreApplication app(argc, argv);
    TestConnection test;
    return QTest::qExec(&test, argc, argv);
}

#include "ConnectionTest.moc"
