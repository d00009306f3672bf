#include "connection/StunnelManager.h"

#include "IsolatedUserDirs.h"

#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <csignal>

namespace {

// A stand-in for stunnel: notes its process id and a copy of the file it was
// given, then stays up until it is killed.
const char standInScript[] = "#!/bin/sh\n"
                             "cp \"$1\" \"$STANDIN_DIR/conf.$$\"\n"
                             "echo \"$$ $1\" >> \"$STANDIN_DIR/runs\"\n"
                             "exec sleep 600\n";

bool processGone(qint64 pid)
{
    return ::kill(static_cast<pid_t>(pid), 0) == -1 && errno == ESRCH;
}

} // namespace

class TestStunnelManager : public QObject
{
    Q_OBJECT

public:
    explicit TestStunnelManager(const IsolatedUserDirs& dirs) : dirs(dirs) {}

private slots:
    void initTestCase();
    void init();
    void configurationIsByteExact_data();
    void configurationIsByteExact();
    void startWritesTheFileAndRunsTheProgramWithIt();
    void secondStartEndsTheFirstStunnelBeforeRewriting();
    void stopEndsStunnelAndIsHarmlessWhenNothingRuns();
    void destructionStopsStunnel();
    void unwritableFileLeavesStunnelUnstarted();
    void realStunnelCarriesTrafficToATlsServer();

private:
    QStringList runs() const;
    QByteArray copiedConfiguration(const QString& pid) const;

    const IsolatedUserDirs& dirs;
    QTemporaryDir standInDir;
    QString standIn;
};

void TestStunnelManager::initTestCase()
{
    QVERIFY(standInDir.isValid());
    standIn = standInDir.filePath(QStringLiteral("stunnel-standin"));
    QFile script(standIn);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(standInScript);
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("STANDIN_DIR", QFile::encodeName(standInDir.path()));
    QCOMPARE(StunnelManager::configPath(), dirs.clientTempDir() + QStringLiteral("/Quarnel.stunnel.conf"));
}

void TestStunnelManager::init()
{
    QFile::remove(standInDir.filePath(QStringLiteral("runs")));
    QFile::remove(StunnelManager::configPath());
    QDir(StunnelManager::configPath()).removeRecursively();
}

QStringList TestStunnelManager::runs() const
{
    QFile file(standInDir.filePath(QStringLiteral("runs")));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QByteArray TestStunnelManager::copiedConfiguration(const QString& pid) const
{
    QFile file(standInDir.filePath(QStringLiteral("conf.") + pid));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestStunnelManager::configurationIsByteExact_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("sni");
    QTest::addColumn<int>("form");
    QTest::addColumn<QByteArray>("expected");

    const auto windows = static_cast<int>(StunnelManager::ConfigForm::Windows);
    const auto linux = static_cast<int>(StunnelManager::ConfigForm::Linux);
    QTest::newRow("windows") << "203.0.113.7" << 443 << "cdn.example.com" << windows
                             << QByteArray("sslVersion = all\r\n"
                                           "socket = l:TCP_NODELAY=1\r\n"
                                           "socket = r:TCP_NODELAY=1\r\n"
                                           "compression = zlib\r\n"
                                           "[openvpn]\r\n"
                                           "client = yes\r\n"
                                           "sni = cdn.example.com\r\n"
                                           "accept = 127.0.0.1:1194\r\n"
                                           "connect = 203.0.113.7:443\r\n");
    QTest::newRow("linux") << "203.0.113.7" << 8443 << "cdn.example.com" << linux
                           << QByteArray("sslVersion = all\r\n"
                                         "socket = l:TCP_NODELAY=1\r\n"
                                         "socket = r:TCP_NODELAY=1\r\n"
                                         "foreground = yes\r\n"
                                         "[openvpn]\r\n"
                                         "client = yes\r\n"
                                         "sni = cdn.example.com\r\n"
                                         "accept = 127.0.0.1:1194\r\n"
                                         "connect = 203.0.113.7:8443\r\n");
    QTest::newRow("empty sni keeps its line") << "vpn.example.net" << 1 << "" << windows
                                              << QByteArray("sslVersion = all\r\nsocket = l:TCP_NODELAY=1\r\nsocket = "
                                                            "r:TCP_NODELAY=1\r\n"
                                                            "compression = zlib\r\n[openvpn]\r\nclient = yes\r\nsni = "
                                                            "\r\naccept = 127.0.0.1:1194\r\n"
                                                            "connect = vpn.example.net:1\r\n");
    QTest::newRow("non-ascii sni in utf-8") << "h" << 443 << QString::fromUtf8("пример.рф") << linux
                                            << QByteArray("sslVersion = all\r\nsocket = l:TCP_NODELAY=1\r\nsocket = "
                                                          "r:TCP_NODELAY=1\r\n"
                                                          "foreground = yes\r\n[openvpn]\r\nclient = yes\r\nsni = "
                                                          "\xd0\xbf\xd1\x80\xd0\xb8\xd0\xbc\xd0\xb5"
                                                          "\xd1\x80.\xd1\x80\xd1\x84\r\naccept = "
                                                          "127.0.0.1:1194\r\nconnect = h:443\r\n");
}

void TestStunnelManager::configurationIsByteExact()
{
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(QString, sni);
    QFETCH(int, form);
    QFETCH(QByteArray, expected);
    QCOMPARE(StunnelManager::configuration(host, port, sni, 1194, static_cast<StunnelManager::ConfigForm>(form)),
             expected);
}

void TestStunnelManager::startWritesTheFileAndRunsTheProgramWithIt()
{
    StunnelManager manager(standIn);
    manager.start(QStringLiteral("198.51.100.4"), 993, QStringLiteral("mail.example.org"));
    QCOMPARE(manager.localPort(), 1194);

    const QByteArray expected =
        StunnelManager::configuration(QStringLiteral("198.51.100.4"), 993, QStringLiteral("mail.example.org"), 1194,
                                      StunnelManager::nativeConfigForm());
    QFile file(StunnelManager::configPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), expected);

    QTRY_COMPARE(runs().size(), 1);
    const QStringList run = runs().first().split(QLatin1Char(' '));
    QCOMPARE(run.value(1), StunnelManager::configPath());
    QTRY_COMPARE(copiedConfiguration(run.value(0)), expected);
}

void TestStunnelManager::secondStartEndsTheFirstStunnelBeforeRewriting()
{
    StunnelManager manager(standIn);
    manager.start(QStringLiteral("first.example"), 443, QStringLiteral("one"));
    // The copy is made before the id is noted, so the first stand-in has read its
    // file.
    QTRY_COMPARE(runs().size(), 1);
    const QString firstPid = runs().first().section(QLatin1Char(' '), 0, 0);
    QVERIFY(!processGone(firstPid.toLongLong()));

    manager.start(QStringLiteral("second.example"), 8443, QStringLiteral("two"));
    // Waited for (and so reaped) before start returned.
    QVERIFY(processGone(firstPid.toLongLong()));
    QVERIFY(copiedConfiguration(firstPid).contains("connect = first.example:443\r\n"));

    QTRY_COMPARE(runs().size(), 2);
    const QString secondPid = runs().at(1).section(QLatin1Char(' '), 0, 0);
    QTRY_VERIFY(copiedConfiguration(secondPid).contains("connect = second.example:8443\r\n"));
    QCOMPARE(manager.localPort(), 1194);
    manager.stop();
    QVERIFY(processGone(secondPid.toLongLong()));
}

void TestStunnelManager::stopEndsStunnelAndIsHarmlessWhenNothingRuns()
{
    StunnelManager manager(standIn);
    manager.stop();
    manager.start(QStringLiteral("h"), 443, QString());
    QTRY_COMPARE(runs().size(), 1);
    const qint64 pid = runs().first().section(QLatin1Char(' '), 0, 0).toLongLong();
    manager.stop();
    QVERIFY(processGone(pid));
    manager.stop();
    QCOMPARE(runs().size(), 1);
}

void TestStunnelManager::destructionStopsStunnel()
{
    qint64 pid = 0;
    {
        StunnelManager manager(standIn);
        manager.start(QStringLiteral("h"), 443, QString());
        QTRY_COMPARE(runs().size(), 1);
        pid = runs().first().section(QLatin1Char(' '), 0, 0).toLongLong();
    }
    QVERIFY(processGone(pid));
}

void TestStunnelManager::unwritableFileLeavesStunnelUnstarted()
{
    // A directory where the file should be: it cannot be opened for writing.
    QVERIFY(QDir().mkpath(StunnelManager::configPath()));
    StunnelManager manager(standIn);
    manager.start(QStringLiteral("h"), 443, QStringLiteral("s"));
    QCOMPARE(manager.localPort(), 1194);
    auto* process = manager.findChild<QProcess*>();
    QVERIFY(process != nullptr);
    QCOMPARE(process->state(), QProcess::NotRunning);
}

void TestStunnelManager::realStunnelCarriesTrafficToATlsServer()
{
    const QString stunnel = QStandardPaths::findExecutable(QStringLiteral("stunnel4"));
    const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    if (stunnel.isEmpty() || openssl.isEmpty()) {
        QSKIP("SKIP: stunnel4 or openssl is not installed");
    }
    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 1194)) {
            QSKIP("SKIP: 127.0.0.1:1194 is busy, stunnel's fixed local port cannot "
                  "be had");
        }
    }

    QTemporaryDir tls;
    QVERIFY(tls.isValid());
    const QString key = tls.filePath(QStringLiteral("key.pem"));
    const QString cert = tls.filePath(QStringLiteral("cert.pem"));
    QCOMPARE(
        QProcess::execute(openssl, {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                                    "-nodes", "-subj", "/CN=vpn.example", "-days", "1", "-keyout", key, "-out", cert}),
        0);

    QTcpServer portFinder;
    QVERIFY(portFinder.listen(QHostAddress::LocalHost, 0));
    const int serverPort = portFinder.serverPort();
    portFinder.close();

    // A TLS server that answers every line reversed.
    QProcess server;
    server.setProcessChannelMode(QProcess::MergedChannels);
    server.start(openssl, {"s_server", "-accept", QStringLiteral("127.0.0.1:%1").arg(serverPort), "-cert", cert, "-key",
                           key, "-rev", "-naccept", "1"});
    QVERIFY(server.waitForStarted());
    QByteArray serverOutput;
    QTRY_VERIFY_WITH_TIMEOUT((serverOutput += server.readAll()).contains("ACCEPT"), 10000);

    StunnelManager manager(stunnel);
    manager.start(QStringLiteral("127.0.0.1"), serverPort, QStringLiteral("vpn.example"));

    // stunnel takes a moment to listen: retry the local connect until a deadline.
    QTcpSocket client;
    QDeadlineTimer deadline(10000);
    while (client.state() != QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
        client.abort();
        client.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(manager.localPort()));
        client.waitForConnected(1000);
    }
    QCOMPARE(client.state(), QAbstractSocket::ConnectedState);

    client.write("quarnel\n");
    QByteArray reply;
    QTRY_VERIFY_WITH_TIMEOUT((reply += client.readAll()).contains("lenrauq"), 10000);

    client.abort();
    manager.stop();
    QTcpServer again;
    QVERIFY2(again.listen(QHostAddress::LocalHost, 1194), "stunnel still holds its port after stop");
    server.kill();
    server.waitForFinished();
}

int main(int argc, char* argv[])
{
    IsolatedUserDirs dirs;
    QCoreApplication app(argc, argv);
    TestStunnelManager test(dirs);
    return QTest::qExec(&test, argc, argv);
}

#include "StunnelManagerTest.moc"
