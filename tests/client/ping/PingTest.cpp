#include "ping/PingManager.h"
#include "ping/PingReplyParser.h"
#include "ping/PingWrapper.h"
#include "platform/CommandOutput.h"

#include "UnderWine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMetaMethod>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

ServerInfo server(const QString& id, const QString& ip, int ping = -1)
{
    ServerInfo info;
    info.id = id;
    info.ip = ip;
    info.ping = ping;
    return info;
}

QVector<ServerInfo> loopbackServers(const QString& prefix, int count)
{
    QVector<ServerInfo> list;
    for (int i = 1; i <= count; ++i) {
        list.append(server(prefix + QString::number(i).rightJustified(2, QLatin1Char('0')),
                           QStringLiteral("127.0.0.%1").arg(i)));
    }
    return list;
}

// Lets every task still running end and delivers the results it queued, so a
// test can tell that nothing more will arrive.
void drain(PingManager& manager)
{
    manager.findChild<QThreadPool*>()->waitForDone();
    QCoreApplication::sendPostedEvents();
}

} // namespace

class PingTest : public QObject
{
    Q_OBJECT
private slots:
    void parsesReplies_data();
    void parsesReplies();
    void keepsTheDesignsMetaObjectOrder();
    void realBatchOfLoopbackAddresses();
    void secondBatchReplacesTheFirst();
    void emptyBatchStartsNothing();
    void commandOutputEndsWithTheProgramOrTheTimeOut();
#ifndef Q_OS_WIN
    // A shell script with a named pipe stands in for ping: Linux only.
    void lateResultsOfAnEarlierBatchAreIgnored();
#endif
};

void PingTest::parsesReplies_data()
{
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<bool>("success");
    QTest::addColumn<double>("timems");

    const QByteArray windowsHeader = "\r\nPinging 127.0.0.1 with 32 bytes of data:\r\n";
    QTest::newRow("windows english") << windowsHeader + "Reply from 127.0.0.1: bytes=32 time=15ms TTL=57\r\n"
                                                        "Reply from 127.0.0.1: bytes=32 time=20ms TTL=57\r\n"
                                     << QByteArray("CP866") << true << 15.0;
    QTest::newRow("windows time at end of line")
        << QByteArray("Reply from 10.0.0.1: bytes=32 time=42ms\r\n") << QByteArray("CP866") << true << 42.0;
    // "Ответ от 127.0.0.1: число байт=32 время=15мс TTL=128" in the OEM code
    // page.
    QTest::newRow("windows russian cp866") << QByteArray("\x8E\xE2\xA2\xA5\xE2 \xAE\xE2 127.0.0.1: "
                                                         "\xE7\xA8\xE1\xAB\xAE \xA1\xA0\xA9\xE2=32 "
                                                         "\xA2\xE0\xA5\xAC\xEF=15\xAC\xE1 TTL=128\r\n")
                                           << QByteArray("CP866") << true << 15.0;
    QTest::newRow("first sub-millisecond reply skipped")
        << windowsHeader + "Reply from 127.0.0.1: bytes=32 time<1ms TTL=128\r\n"
                           "Reply from 127.0.0.1: bytes=32 time=3ms TTL=128\r\n"
        << QByteArray("CP866") << true << 3.0;
    QTest::newRow("every reply sub-millisecond")
        << windowsHeader + "Reply from 127.0.0.1: bytes=32 time<1ms TTL=128\r\n"
                           "Reply from 127.0.0.1: bytes=32 time<1ms TTL=128\r\n\r\n"
                           "Ping statistics for 127.0.0.1:\r\n"
                           "    Packets: Sent = 2, Received = 2, Lost = 0 (0% loss),\r\n"
                           "Approximate round trip times in milli-seconds:\r\n"
                           "    Minimum = 0ms, Maximum = 0ms, Average = 0ms\r\n"
        << QByteArray("CP866") << false << 0.0;
    QTest::newRow("russian sub-millisecond") << QByteArray("\x8E\xE2\xA2\xA5\xE2 \xAE\xE2 127.0.0.1: "
                                                           "\xA2\xE0\xA5\xAC\xEF<1\xAC\xE1 TTL=128\r\n")
                                             << QByteArray("CP866") << false << 0.0;
    QTest::newRow("windows timeouts") << windowsHeader +
                                             "Request timed out.\r\nRequest timed out.\r\n\r\n"
                                             "    Packets: Sent = 2, Received = 0, Lost = 2 (100% loss),\r\n"
                                      << QByteArray("CP866") << false << 0.0;
    QTest::newRow("upper-case unit stays and reads as zero")
        << QByteArray("Reply from 127.0.0.1: bytes=32 time=15MS TTL=57\r\n") << QByteArray("CP866") << true << 0.0;
    QTest::newRow("second of several '=' pieces") << QByteArray("a=b=15ms\r\n") << QByteArray("CP866") << true << 0.0;
    QTest::newRow("fraction kept") << QByteArray("x time=15.9ms\r\n") << QByteArray("CP866") << true << 15.9;
    // The latency list truncates to an int: a value no int holds reads like an unconverted one.
    QTest::newRow("not a number") << QByteArray("x time=nanms\r\n") << QByteArray("CP866") << true << 0.0;
    QTest::newRow("infinity, iputils form")
        << QByteArray("64 bytes from 10.1.1.1: icmp_seq=1 ttl=57 time=inf ms\n") << QByteArray("UTF-8") << true << 0.0;
    QTest::newRow("beyond an int") << QByteArray("x time=3000000000ms\r\n") << QByteArray("CP866") << true << 0.0;
    QTest::newRow("exponent beyond an int") << QByteArray("x time=-1e99ms\r\n") << QByteArray("CP866") << true << 0.0;
    QTest::newRow("exponent within an int")
        << QByteArray("x time=1.5e3ms\r\n") << QByteArray("CP866") << true << 1500.0;

    const QByteArray iputilsHeader = "PING 127.0.0.1 (127.0.0.1) 56(84) bytes of data.\n";
    QTest::newRow("iputils three decimals")
        << iputilsHeader + "64 bytes from 127.0.0.1: icmp_seq=1 ttl=64 time=0.055 ms\n"
                           "64 bytes from 127.0.0.1: icmp_seq=2 ttl=64 time=0.041 ms\n"
        << QByteArray("UTF-8") << true << 0.055;
    QTest::newRow("iputils two decimals") << QByteArray("64 bytes from 10.1.1.1: icmp_seq=1 ttl=57 time=1.23 ms\n")
                                          << QByteArray("UTF-8") << true << 1.23;
    QTest::newRow("iputils one decimal") << QByteArray("64 bytes from 10.1.1.1: icmp_seq=1 ttl=57 time=12.3 ms\n")
                                         << QByteArray("UTF-8") << true << 12.3;
    QTest::newRow("iputils whole") << QByteArray("64 bytes from 10.1.1.1: icmp_seq=1 ttl=57 time=123 ms\n")
                                   << QByteArray("UTF-8") << true << 123.0;
    QTest::newRow("iputils duplicate") << QByteArray("64 bytes from 10.1.1.1: icmp_seq=1 ttl=57 time=7.51 ms (DUP!)\n")
                                       << QByteArray("UTF-8") << true << 7.51;
    QTest::newRow("iputils timeouts and statistics")
        << iputilsHeader + "\n--- 127.0.0.1 ping statistics ---\n"
                           "2 packets transmitted, 0 received, 100% packet loss, "
                           "time 1012ms\n"
        << QByteArray("UTF-8") << false << 0.0;
    QTest::newRow("iputils statistics alone")
        << QByteArray("rtt min/avg/max/mdev = 0.054/0.069/0.084/0.015 ms\n") << QByteArray("UTF-8") << false << 0.0;
    QTest::newRow("iputils unreachable") << QByteArray("From 10.0.0.1 icmp_seq=1 Destination Host Unreachable\n")
                                         << QByteArray("UTF-8") << false << 0.0;
    QTest::newRow("empty output") << QByteArray() << QByteArray("UTF-8") << false << 0.0;
}

void PingTest::parsesReplies()
{
    QFETCH(QByteArray, output);
    QFETCH(QByteArray, codec);
    QFETCH(bool, success);
    QFETCH(double, timems);

    double parsed = -1.0;
    QCOMPARE(PingReplyParser::parseOutput(output, codec, &parsed), success);
    if (success) {
        QCOMPARE(parsed, timems);
    }
}

void PingTest::keepsTheDesignsMetaObjectOrder()
{
    const QMetaObject& manager = PingManager::staticMetaObject;
    QCOMPARE(manager.methodCount() - manager.methodOffset(), 2);
    QCOMPARE(manager.method(manager.methodOffset()).methodSignature(), QByteArray("pingServersFinished()"));
    QCOMPARE(manager.method(manager.methodOffset() + 1).methodSignature(),
             QByteArray("onPingFinished(bool,double,QString,QString)"));
    const QMetaObject& wrapper = PingWrapper::staticMetaObject;
    QCOMPARE(wrapper.methodCount() - wrapper.methodOffset(), 1);
    QCOMPARE(wrapper.method(wrapper.methodOffset()).methodSignature(),
             QByteArray("pingFinished(bool,double,QString,QString)"));
}

void PingTest::realBatchOfLoopbackAddresses()
{
    if (underWine()) {
        QSKIP("Wine's ping.exe sends no echo requests and reports no reply");
    }
    PingManager manager;
    QSignalSpy finished(&manager, &PingManager::pingServersFinished);
    manager.pingServers(loopbackServers(QStringLiteral("s"), 20));

    QVERIFY(finished.wait(30000));
    const QVector<ServerInfo> results = manager.results();
    QCOMPARE(results.size(), 20);
    for (int i = 0; i < results.size(); ++i) {
        QCOMPARE(results.at(i).id, QStringLiteral("s%1").arg(i + 1, 2, 10, QLatin1Char('0')));
        // Loopback answers in well under a millisecond, which truncates to 0.
        QVERIFY2(results.at(i).ping >= 0 && results.at(i).ping < 100, qPrintable(results.at(i).ip));
    }
    drain(manager);
    QCOMPARE(finished.count(), 1);
}

void PingTest::secondBatchReplacesTheFirst()
{
    if (underWine()) {
        QSKIP("Wine's ping.exe sends no echo requests and reports no reply");
    }
    PingManager manager;
    QSignalSpy finished(&manager, &PingManager::pingServersFinished);
    manager.pingServers(loopbackServers(QStringLiteral("a"), 20));
    manager.pingServers(loopbackServers(QStringLiteral("b"), 7));

    QVERIFY(finished.wait(30000));
    const QVector<ServerInfo> results = manager.results();
    QCOMPARE(results.size(), 7);
    for (const ServerInfo& info : results) {
        QVERIFY(info.id.startsWith(QLatin1Char('b')));
        QVERIFY2(info.ping >= 0, qPrintable(info.id));
    }
    drain(manager);
    QCOMPARE(finished.count(), 1);
}

void PingTest::emptyBatchStartsNothing()
{
    PingManager manager;
    auto* pool = manager.findChild<QThreadPool*>();
    QVERIFY(pool != nullptr);
    QCOMPARE(pool->maxThreadCount(), 5);
    QSignalSpy finished(&manager, &PingManager::pingServersFinished);

    manager.pingServers({});
    QCOMPARE(pool->activeThreadCount(), 0);
    drain(manager);
    QCOMPARE(finished.count(), 0);
    QVERIFY(manager.results().isEmpty());

    // An empty list also drops a batch in progress: its results neither fill nor
    // end it.
    manager.pingServers(loopbackServers(QStringLiteral("c"), 6));
    manager.pingServers({});
    drain(manager);
    QCOMPARE(finished.count(), 0);
    QVERIFY(manager.results().isEmpty());
}

#ifndef Q_OS_WIN
// A stand-in ping found first on PATH: host "slow" answers only once the test
// writes to the gate, every other host answers at once with 5.9 ms.
void PingTest::lateResultsOfAnEarlierBatchAreIgnored()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString gate = dir.filePath(QStringLiteral("gate"));
    QCOMPARE(::mkfifo(QFile::encodeName(gate).constData(), 0600), 0);
    QFile script(dir.filePath(QStringLiteral("ping")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n"
                 "for last; do :; done\n"
                 "case \"$last\" in\n"
                 "slow) read line < \"$QUARNEL_TEST_PING_GATE\"; echo \"64 bytes: "
                 "icmp_seq=1 time=77 ms\" ;;\n"
                 "*) echo \"64 bytes from $last: icmp_seq=1 ttl=64 time=5.9 ms\" ;;\n"
                 "esac\n");
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));

    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(dir.path()) + ':' + savedPath);
    qputenv("QUARNEL_TEST_PING_GATE", QFile::encodeName(gate));
    auto restore = qScopeGuard([&] {
        qputenv("PATH", savedPath);
        qunsetenv("QUARNEL_TEST_PING_GATE");
    });

    PingManager manager;
    // Opening the gate blocks until the stand-in has it open for reading, then lets it
    // answer; done on every exit so a failed check cannot leave the pool waiting for it.
    bool gateOpen = false;
    auto releaseGate = [&] {
        if (gateOpen) {
            return;
        }
        gateOpen = true;
        const int fd = ::open(QFile::encodeName(gate).constData(), O_WRONLY);
        if (fd >= 0) {
            (void)!::write(fd, "\n", 1);
            ::close(fd);
        }
    };
    auto releaseOnExit = qScopeGuard(releaseGate);
    QSignalSpy finished(&manager, &PingManager::pingServersFinished);
    manager.pingServers({server(QStringLiteral("x"), QStringLiteral("slow"))});

    ServerInfo first = server(QStringLiteral("y"), QStringLiteral("127.0.0.2"));
    first.name = QStringLiteral("first");
    ServerInfo second = server(QStringLiteral("y"), QStringLiteral("127.0.0.3"));
    second.name = QStringLiteral("second");
    manager.pingServers({server(QStringLiteral("x"), QStringLiteral("127.0.0.1")), first, second,
                         // Looks like an option to ping: never run, so the old value stays.
                         server(QStringLiteral("z"), QStringLiteral("-f"), 42)});

    QVERIFY(finished.wait(30000));
    QCOMPARE(finished.count(), 1);
    QVector<ServerInfo> results = manager.results();
    QCOMPARE(results.size(), 3);
    QCOMPARE(results.at(0).ping, 5);
    QCOMPARE(results.at(1).name, QStringLiteral("second"));
    QCOMPARE(results.at(1).ping, 5);
    QCOMPARE(results.at(2).ping, 42);

    releaseGate();
    drain(manager);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(manager.results().at(0).ping, 5);
}
#endif

void PingTest::commandOutputEndsWithTheProgramOrTheTimeOut()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUARNEL_WORD"), QStringLiteral("echoed"));
#ifdef Q_OS_WIN
    // The same through cmd.exe: set /p waits on the standard input the process keeps
    // open, which stands in for a program that hangs.
    QCOMPARE(platform::commandOutput(QStringLiteral("cmd.exe"),
                                     {QStringLiteral("/c"), QStringLiteral("echo %QUARNEL_WORD%& echo no 1>&2")},
                                     environment, 10000),
             QByteArray("echoed\r\n"));
    QVERIFY(platform::commandOutput(QStringLiteral("no-such-program-here"), {}, environment, 10000).isEmpty());
    QElapsedTimer clock;
    clock.start();
    // A longer time-out than on Linux: a process start under Wine alone can take most of
    // 300 ms.
    QCOMPARE(platform::commandOutput(QStringLiteral("cmd.exe"),
                                     {QStringLiteral("/c"), QStringLiteral("echo a& set /p x=")}, environment, 3000),
             QByteArray("a\r\n"));
    QVERIFY2(clock.elapsed() >= 3000 && clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
#else
    // Output and environment reach the caller; standard error does not.
    QCOMPARE(platform::commandOutput(QStringLiteral("sh"),
                                     {QStringLiteral("-c"), QStringLiteral("echo $QUARNEL_WORD; echo no >&2")},
                                     environment, 10000),
             QByteArray("echoed\n"));
    QVERIFY(platform::commandOutput(QStringLiteral("no-such-program-here"), {}, environment, 10000).isEmpty());
    // A program that hangs is killed at the time-out, with what it wrote so far; one
    // that closed its output early is waited for no longer either.
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(platform::commandOutput(QStringLiteral("sh"),
                                     {QStringLiteral("-c"), QStringLiteral("echo a; exec sleep 30")}, environment, 300),
             QByteArray("a\n"));
    QCOMPARE(platform::commandOutput(QStringLiteral("sh"),
                                     {QStringLiteral("-c"), QStringLiteral("exec >/dev/null; exec sleep 30")},
                                     environment, 300),
             QByteArray());
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
#endif
}

QTEST_GUILESS_MAIN(PingTest)
#include "PingTest.moc"
