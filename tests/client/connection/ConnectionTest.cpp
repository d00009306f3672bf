#include "connection/Connection.h"

#include "log/Log.h"
#include "connection/OpenVPNConnectorQt.h"
#include "connection/ServiceRequests.h"
#include "data/ServerInfo.h"

#include "IsolatedUserDirs.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// Stands in for sing-box: reports that it started, then runs until it is killed.
const char singBoxStandIn[] = "#!/bin/sh\n"
                              "echo 'INFO sing-box started at 0.02s' >&2\n"
                              "exec sleep 600\n";

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
    void errorCodeMessages_data();
    void errorCodeMessages();
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
    const QString standIn = dir.filePath(QStringLiteral("sing-box"));
    QFile script(standIn);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(singBoxStandIn);
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("PATH", QFile::encodeName(dir.path()) + ':' + qgetenv("PATH"));
    // No service listens here: an OpenVPN start fails fast with "Can not connect to helper".
    qputenv("QUARNEL_SERVICE_SOCKET", QFile::encodeName(dir.filePath(QStringLiteral("no-service"))));
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

void TestConnection::errorCodeMessages_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("0") << 0 << "Invalid username or password";
    QTest::newRow("1") << 1 << "Not open openvpn socket";
    QTest::newRow("2") << 2 << "Can not alocate TUN";
    QTest::newRow("3") << 3 << "Can not connect to helper";
    QTest::newRow("4") << 4 << "Can not write to helper";
    for (int code : {5, 6, 7, 8, 9, -1, 1000}) {
        QTest::addRow("%d", code) << code << QStringLiteral("Code error: %1").arg(code);
    }
}

void TestConnection::errorCodeMessages()
{
    QFETCH(int, code);
    QFETCH(QString, message);
    QCOMPARE(Connection::errorMessage(code), message);

    AllSignals spies(connection.get());
    connection->onOvpnError(code);
    QCOMPARE(spies.error.count(), 1);
    QCOMPARE(spies.error.first().first().toString(), message);
    QCOMPARE(spies.total(), 1);
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
    QTest::newRow("4") << 4;
    QTest::newRow("5") << 5;
}

void TestConnection::openVpnTypesGoToTheConnector()
{
    QFETCH(int, type);
    AllSignals spies(connection.get());
    connection->connect(serverOfType(type), QStringLiteral("user"), QStringLiteral("pass"),
                        dir.filePath(QStringLiteral("Quarnel.ovpn")));
    QVERIFY(spies.error.wait(10000));
    QCOMPARE(spies.error.first().first().toString(), QStringLiteral("Can not connect to helper"));
    QCOMPARE(spies.log.count(), 0);
    QCOMPARE(spies.connected.count(), 0);
    QVERIFY(connection->connector()->wait(10000));
}

void TestConnection::dialUpTypesAreRefusedOnThisSystem_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("pptp") << 0;
    QTest::newRow("l2tp") << 1;
    QTest::newRow("other") << 3;
}

void TestConnection::dialUpTypesAreRefusedOnThisSystem()
{
    QFETCH(int, type);
    AllSignals spies(connection.get());
    connection->connect(serverOfType(type), QStringLiteral("user"), QStringLiteral("pass"), QString());
    const QString text = QStringLiteral("PPTP/L2TP connections are not supported on this system");
    QCOMPARE(spies.error.count(), 1);
    QCOMPARE(spies.error.first().first().toString(), text);
    QCOMPARE(spies.log.count(), 1);
    QCOMPARE(spies.log.first().first().toString(), text);
    QCOMPARE(spies.total(), 2);
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
    // A late RAS notification has no front to post to and must not reach a dead one.
    Connection::rasNotified(QStringLiteral("Disconnected: Ok"), Connection::RasFailedEvent);
    QCoreApplication::processEvents();
    connection = std::make_unique<Connection>();
    QVERIFY(Connection::connector() != nullptr);
}

int main(int argc, char* argv[])
{
    IsolatedUserDirs dirs;
    QCoreApplication app(argc, argv);
    TestConnection test;
    return QTest::qExec(&test, argc, argv);
}

#include "ConnectionTest.moc"
