#include "connection/ManagementLineParser.h"

#include <QtTest>

using Action = ManagementLineParser::Action;
using StateChange = ManagementLineParser::StateChange;

namespace {

// What the connector would do for an action, in the order it does it.
QStringList describe(const Action& action)
{
    QStringList steps;
    if (action.credentialRefused) {
        steps << "refused";
    }
    if (!action.send.isEmpty()) {
        steps << "send:" + QString::fromUtf8(action.send);
    }
    if (action.hasStatistics) {
        steps << QStringLiteral("stats:%1,%2").arg(action.bytesIn).arg(action.bytesOut);
    }
    if (action.hasState) {
        steps << "state:" + action.state;
        switch (action.stateChange) {
        case StateChange::None:
            break;
        case StateChange::Connected:
            steps << "connected";
            break;
        case StateChange::ConnectFailed:
            steps << "connect failed";
            break;
        case StateChange::Reconnecting:
            steps << "reconnecting";
            break;
        }
    }
    if (action.error) {
        // By number: what the connector's signal carries.
        steps << "error:" + QString::number(static_cast<int>(*action.error));
    }
    if (action.hasLog) {
        steps << "log:" + action.log;
    }
    return steps;
}

QStringList parseOne(const QByteArray& line)
{
    ManagementLineParser parser("alice", "s3cret");
    return describe(parser.parse(line));
}

} // namespace

class TestManagementLineParser : public QObject
{
    Q_OBJECT

private slots:
    void patternTable_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("steps");

        QTest::newRow("password query sends the user name") << QByteArray(">PASSWORD:Need 'Auth' username/password")
                                                            << QStringList{"send:username \"Auth\" \"alice\"\n"};
        QTest::newRow("patterns ignore case") << QByteArray(">password:NEED 'auth' Username/Password\r")
                                              << QStringList{"send:username \"Auth\" \"alice\"\n"};
        QTest::newRow("user-name reply sends the password")
            << QByteArray("SUCCESS: 'Auth' username entered, but not yet verified\r")
            << QStringList{"send:password \"Auth\" \"s3cret\"\n"};
        QTest::newRow("password reply triggers nothing")
            << QByteArray("SUCCESS: 'Auth' password entered, but not yet verified\r") << QStringList{};
        QTest::newRow("auth failed")
            << QByteArray(">PASSWORD:Verification Failed: 'Auth' ['AUTH: Received control message: AUTH_FAILED']")
            << QStringList{"error:0"};
        QTest::newRow("auth failed inside a log line is not logged")
            << QByteArray(">LOG:1700000000,,AUTH: Received control message: AUTH_FAILED\r") << QStringList{"error:0"};
        QTest::newRow("auth failed test is case-sensitive")
            << QByteArray(">LOG:1700000000,,auth: received control message: auth_failed")
            << QStringList{"log:>LOG:1700000000,,auth: received control message: auth_failed"};
        QTest::newRow("no TAP-Windows adapter")
            << QByteArray(">LOG:1700000000,F,There are no TAP-Windows adapters on this system.")
            << QStringList{"error:2"};
        QTest::newRow("TUN device cannot be opened")
            << QByteArray(">LOG:1700000000,F,Cannot open TUN/TAP dev /dev/net/tun: No such file or directory (errno=2)")
            << QStringList{"error:2"};
        QTest::newRow("TUN device cannot be allocated")
            << QByteArray(">LOG:1700000000,F,Cannot allocate TUN/TAP dev dynamically") << QStringList{"error:2"};
        QTest::newRow("proxy asks for authentication")
            << QByteArray(">LOG:1700000000,N,HTTP proxy returned: 'Proxy requires authentication'")
            << QStringList{"error:6"};
        QTest::newRow("byte counts") << QByteArray(">BYTECOUNT:1024,2048") << QStringList{"stats:1024,2048"};
        QTest::newRow("byte counts with carriage return")
            << QByteArray(">BYTECOUNT:1024,2048\r") << QStringList{"stats:1024,2048"};
        QTest::newRow("byte count with one number") << QByteArray(">BYTECOUNT:1024") << QStringList{};
        QTest::newRow("byte counts with three numbers") << QByteArray(">BYTECOUNT:1,2,3") << QStringList{};
        QTest::newRow("byte count beyond 32 bits reads as 0")
            << QByteArray(">BYTECOUNT:3000000000,7") << QStringList{"stats:0,7"};
        QTest::newRow("connected state") << QByteArray(
                                                ">STATE:1700000000,CONNECTED,SUCCESS,10.8.0.6,198.51.100.7,1194,,\r")
                                         << QStringList{"state:CONNECTED", "connected"};
        QTest::newRow("connect error") << QByteArray(">STATE:1700000000,CONNECTED,ERROR,10.8.0.6,198.51.100.7,1194,,")
                                       << QStringList{"state:CONNECTED", "connect failed"};
        QTest::newRow("reconnecting") << QByteArray(">STATE:1700000000,RECONNECTING,ping-restart,,,,,")
                                      << QStringList{"state:RECONNECTING", "reconnecting"};
        QTest::newRow("other state") << QByteArray(">STATE:1700000000,WAIT,,,,,,") << QStringList{"state:WAIT"};
        QTest::newRow("state without a second field") << QByteArray(">STATE:RECONNECTING") << QStringList{"state:"};
        QTest::newRow("UDP buffer space")
            << QByteArray(">LOG:1700000000,W,write UDPv4: No buffer space available (WSAENOBUFS) (code=10055)")
            << QStringList{"error:7",
                           "log:>LOG:1700000000,W,write UDPv4: No buffer space available (WSAENOBUFS) (code=10055)"};
        QTest::newRow("UDP host unreachable")
            << QByteArray(">LOG:1700000000,W,write UDPv4: No Route to Host (WSAEHOSTUNREACH) (code=10065)")
            << QStringList{"error:7",
                           "log:>LOG:1700000000,W,write UDPv4: No Route to Host (WSAEHOSTUNREACH) (code=10065)"};
        QTest::newRow("log line, decoded as UTF-8")
            << QByteArray(">LOG:1700000000,I,Gr\xc3\xbc\xc3\x9f"
                          "e\r")
            << QStringList{QString::fromUtf8("log:>LOG:1700000000,I,Gr\xc3\xbc\xc3\x9f"
                                             "e\r")};
        // The byte-count test comes first and takes the line, which then has no two
        // numbers in its second ":" part: nothing, not even a log entry.
        QTest::newRow("earlier pattern wins") << QByteArray(">LOG:1700000000,I,>BYTECOUNT:1,2") << QStringList{};
        QTest::newRow("greeting ignored")
            << QByteArray(">INFO:OpenVPN Management Interface Version 5 -- type 'help' for more info\r")
            << QStringList{};
        QTest::newRow("state history ignored")
            << QByteArray("1700000000,CONNECTED,SUCCESS,10.8.0.6,198.51.100.7,1194,,\r") << QStringList{};
        QTest::newRow("command reply ignored")
            << QByteArray("SUCCESS: real-time state notification set to ON\r") << QStringList{};
    }

    void patternTable()
    {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, steps);
        QCOMPARE(parseOne(line), steps);
    }

    void adapterAndProxyErrorsOncePerRun()
    {
        ManagementLineParser parser("u", "p");
        const QByteArray windows(">LOG:1,F,There are no TAP-Windows adapters on this system.");
        const QByteArray linux(">LOG:1,F,Cannot open TUN/TAP dev /dev/net/tun: Operation not permitted");
        const QByteArray proxy(">LOG:1,N,Proxy requires authentication");
        QCOMPARE(describe(parser.parse(windows)), QStringList{"error:2"});
        QCOMPARE(describe(parser.parse(windows)), QStringList{});
        QCOMPARE(describe(parser.parse(linux)), QStringList{});
        QCOMPARE(describe(parser.parse(proxy)), QStringList{"error:6"});
        QCOMPARE(describe(parser.parse(proxy)), QStringList{});

        ManagementLineParser nextRun("u", "p");
        QCOMPARE(describe(nextRun.parse(linux)), QStringList{"error:2"});
    }

    void credentialCommands_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("command");

        QTest::newRow("plain") << "alice" << QByteArray("username \"Auth\" \"alice\"\n");
        QTest::newRow("blank and quote") << "a \"b\"" << QByteArray("username \"Auth\" \"a \\\"b\\\"\"\n");
        QTest::newRow("backslash") << "C:\\x\\" << QByteArray("username \"Auth\" \"C:\\\\x\\\\\"\n");
        QTest::newRow("UTF-8") << QString::fromUtf8("J\xc3\xb6rg") << QByteArray("username \"Auth\" \"J\xc3\xb6rg\"\n");
        QTest::newRow("empty") << "" << QByteArray("username \"Auth\" \"\"\n");
        QTest::newRow("line feed") << "x\nsignal SIGTERM" << QByteArray();
        QTest::newRow("carriage return") << "x\r" << QByteArray();
        QTest::newRow("NUL") << QString::fromLatin1("x\0y", 3) << QByteArray();
        // "username \"Auth\" \"" + value + "\"\n" is 19 bytes around the value; with its
        // terminator the command must fit 1024 bytes.
        QTest::newRow("longest that fits")
            << QString(1004, 'a') << ("username \"Auth\" \"" + QByteArray(1004, 'a') + "\"\n");
        QTest::newRow("one byte too long") << QString(1005, 'a') << QByteArray();
        QTest::newRow("escapes count") << QString(503, '"') << QByteArray();
    }

    void credentialCommands()
    {
        QFETCH(QString, value);
        QFETCH(QByteArray, command);
        QCOMPARE(ManagementLineParser::credentialCommand("username", value), command);
    }

    void unsendableCredentialIsRefused()
    {
        ManagementLineParser parser("alice", "line\nbreak");
        QCOMPARE(describe(parser.parse(">PASSWORD:Need 'Auth' username/password")),
                 QStringList{"send:username \"Auth\" \"alice\"\n"});
        QCOMPARE(describe(parser.parse("SUCCESS: 'Auth' username entered, but not yet verified")),
                 QStringList{"refused"});
    }

    void framing()
    {
        ManagementLineParser parser("u", "p");
        QByteArray line;
        parser.feed(">INFO:hel");
        QVERIFY(!parser.nextLine(line));
        parser.feed("lo\r\n>STATE:1,WAIT\n\nSUCC");
        QVERIFY(parser.nextLine(line));
        QCOMPARE(line, QByteArray(">INFO:hello\r"));
        QVERIFY(parser.nextLine(line));
        QCOMPARE(line, QByteArray(">STATE:1,WAIT"));
        QVERIFY(parser.nextLine(line));
        QCOMPARE(line, QByteArray());
        QVERIFY(!parser.nextLine(line));
        parser.feed("ESS\n");
        QVERIFY(parser.nextLine(line));
        QCOMPARE(line, QByteArray("SUCCESS"));
    }

    void overlongLinesAreCut()
    {
        ManagementLineParser parser("u", "p");
        QByteArray line;
        const QByteArray exact(ManagementLineParser::maxLineBytes, 'x');
        parser.feed(exact + "\n");
        QVERIFY(parser.nextLine(line));
        QCOMPARE(line, exact);

        // Arriving in pieces, well past the limit: the head is kept, the rest dropped up
        // to the line feed, and the next line is whole.
        const QByteArray head = ">LOG:1,I," + QByteArray(ManagementLineParser::maxLineBytes - 9, 'y');
        parser.feed(head.left(4000));
        parser.feed(head.mid(4000) + QByteArray(30000, 'z'));
        parser.feed(QByteArray(5000, 'z') + "\n>BYTECOUNT:5,6\n");
        QVERIFY(parser.nextLine(line));
        QCOMPARE(line.size(), ManagementLineParser::maxLineBytes);
        QCOMPARE(line, head);
        QCOMPARE(describe(parser.parse(line)), QStringList{"log:" + QString::fromLatin1(head)});
        QVERIFY(parser.nextLine(line));
        QCOMPARE(describe(parser.parse(line)), QStringList{"stats:5,6"});
    }
};

QTEST_GUILESS_MAIN(TestManagementLineParser)
#include "ManagementLineParserTest.moc"
