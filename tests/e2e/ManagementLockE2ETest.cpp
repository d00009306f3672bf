#include "LabTestMain.h"
#include "TunnelLab.h"

#include "IsolatedUserDirs.h"
#include "connection/MakeOVPNFile.h"
#include "connection/OpenVPNConnectorQt.h"
#include "connection/ServiceRequests.h"
#include "data/ConfigServer.h"
#include "platform/ClientTempDir.h"
#include "platform/FreePort.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

namespace {

TunnelLab* lab = nullptr;
IsolatedUserDirs* userDirs = nullptr;
QString unavailable;

// The service's private launch directory: beside its socket.
QString launchDirectory()
{
    return lab->path(QStringLiteral("launch"));
}

QStringList copiesIn(const QString& directory, const QString& pattern)
{
    return QDir(directory).entryList({pattern}, QDir::Files);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

// Regular files under root, outside skip, that hold needle.
QStringList filesHolding(const QString& root, const QByteArray& needle, const QString& skip)
{
    QStringList found;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = QDir::cleanPath(it.next());
        const QFileInfo info = it.fileInfo();
        if (path.startsWith(QDir::cleanPath(skip) + QLatin1Char('/')) || !info.isFile() || info.isSymLink() ||
            info.size() > 8 * 1024 * 1024) {
            continue;
        }
        if (readFile(path).contains(needle)) {
            found << path;
        }
    }
    return found;
}

// The configuration a provider hands out for every system: Windows-only and removed
// directives, a harmless one, and a script level without any hook.
QByteArray providerConfig()
{
    return lab->configText() + "block-outside-dns\nkeysize 256\ndisable-occ\nscript-security 2\n";
}

ConfigServer configFor(const QByteArray& config)
{
    ConfigServer server;
    server.ports = QStringList{"1194"};
    server.protocol = QStringLiteral("udp");
    server.host = TunnelLab::serverAddress;
    server.certificate = lab->clientCertificate();
    server.key = lab->clientKey();
    server.config = config;
    server.localPort = 1194;
    return server;
}

// Starts the installed OpenVPN through the service as the client would, without the
// connector, so that the test itself is the only one on the management port.
bool launchDirectly(const QString& config, const QString& passwordFile, int port)
{
    const QString line = openVpnCommandLine(QStringLiteral("/usr/sbin/openvpn"), config, port, passwordFile);
    servicepipe::ServiceRequest request(servicepipe::ServiceCommand::RunProcess);
    request.setFlag(0);
    servicepipe::ServiceReply reply;
    return request.setCommandLine(line.toStdU16String()) && serviceExchange(request, reply) && reply.ok == 1;
}

// What a local program that is not the client gets from the management port: all it
// is sent within the time, and whether the other side closed.
struct Intrusion
{
    QByteArray heard;
    bool closed = false;
};

Intrusion intrude(int port, const QList<QByteArray>& lines, int listenMs)
{
    Intrusion result;
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(port));
    if (!socket.waitForConnected(5000)) {
        result.closed = true;
        return result;
    }
    for (const QByteArray& line : lines) {
        socket.write(line);
        socket.waitForBytesWritten(1000);
        if (socket.waitForReadyRead(300)) {
            result.heard += socket.readAll();
        }
    }
    QElapsedTimer clock;
    clock.start();
    while (!clock.hasExpired(listenMs) && socket.state() == QAbstractSocket::ConnectedState) {
        if (socket.waitForReadyRead(100)) {
            result.heard += socket.readAll();
        }
    }
    result.heard += socket.readAll();
    result.closed = socket.state() != QAbstractSocket::ConnectedState;
    return result;
}

// Nothing but OpenVPN's password prompt, however often.
bool onlyPrompts(const QByteArray& heard)
{
    QByteArray rest = heard;
    rest.replace("ENTER PASSWORD:", "");
    return rest.trimmed().isEmpty();
}

bool waitFor(const std::function<bool()>& condition, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.hasExpired(ms)) {
            return false;
        }
        QTest::qWait(50);
    }
    return true;
}

} // namespace

// A provider's configuration through the real service and OpenVPN, with the management
// interface that only the client can drive.
class TestManagementLock : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (unavailable.isEmpty() && lab->ok()) {
            qRegisterMetaType<quint64>("quint64");
            QVERIFY2(lab->startService(), qPrintable(lab->failure()));
        }
    }

    void init()
    {
        if (!unavailable.isEmpty()) {
            QSKIP(qPrintable("SKIP management lock tests: " + unavailable));
        }
        QVERIFY2(lab->ok(), qPrintable(lab->failure()));
    }

    void cleanup()
    {
        if (lab != nullptr) {
            lab->stopServer();
        }
    }

    void providerConfigurationConnectsAndOnlyTheClientDrivesIt()
    {
        QVERIFY2(lab->startServer(QStringLiteral("udp")), qPrintable(lab->failure()));
        MakeOVPNFile writer;
        QVERIFY(writer.makeFile(configFor(providerConfig())));

        OpenVPNConnectorQt connector;
        QSignalSpy connected(&connector, &OpenVPNConnectorQt::connected);
        QSignalSpy disconnected(&connector, &OpenVPNConnectorQt::disconnected);
        QSignalSpy errors(&connector, &OpenVPNConnectorQt::error);
        QSignalSpy logged(&connector, &OpenVPNConnectorQt::log);
        connector.startOpenVPN(writer.path(), TunnelLab::userName, TunnelLab::password);
        QVERIFY2(connected.wait(30000) || connected.count() == 1, lab->serviceOutput().right(3000).constData());
        QVERIFY(errors.isEmpty());

        // The run as the service logged it, and the password it handed OpenVPN.
        const QRegularExpressionMatch launch =
            QRegularExpression(QStringLiteral("RunProcess: started /usr/sbin/openvpn on (\\S+), management port "
                                              "(\\d+), process (\\d+)"))
                .match(QString::fromLatin1(lab->serviceOutput()));
        QVERIFY2(launch.hasMatch(), lab->serviceOutput().right(3000).constData());
        const int port = launch.captured(2).toInt();
        const QStringList passwordCopies = copiesIn(launchDirectory(), QStringLiteral("*.pass"));
        QCOMPARE(passwordCopies.size(), 1);
        const QByteArray password = readFile(launchDirectory() + '/' + passwordCopies.first()).trimmed();
        QCOMPARE(password.size(), 32);
        // The client's own file went once the service had its copy.
        QVERIFY(copiesIn(userDirs->clientTempDir(), QStringLiteral("Quarnel.management-*")).isEmpty());

        // Another local program on the port: no state, and the tunnel does not notice.
        const Intrusion intruder = intrude(port, {"state\n", "state\n", "state\n"}, 3000);
        QVERIFY2(onlyPrompts(intruder.heard), intruder.heard.constData());
        QCOMPARE(TunnelLab::runIn(QString(), QStringLiteral("ping"),
                                  {"-n", "-c", "3", "-i", "0.2", "-W", "2", TunnelLab::tunnelServerAddress}),
                 0);
        QVERIFY(disconnected.isEmpty());
        QVERIFY(errors.isEmpty());

        connector.stop();
        QVERIFY(disconnected.wait(15000) || disconnected.count() == 1);
        QVERIFY(connector.wait(15000));
        QTRY_VERIFY_WITH_TIMEOUT(!lab->clientHasDevice(QStringLiteral("tun0")), 10000);

        // The end is logged, and nothing of the run is left in the launch directory.
        const QString exitLine = QStringLiteral("RunProcess: OpenVPN process %1 exited").arg(launch.captured(3));
        QVERIFY2(waitFor([&] { return lab->serviceOutput().contains(exitLine.toLatin1()); }, 10000),
                 lab->serviceOutput().right(2000).constData());
        QVERIFY(waitFor([] { return copiesIn(launchDirectory(), QStringLiteral("config-*")).isEmpty(); }, 10000));

        // The password is in no log and in no file outside the service's private directory.
        QVERIFY(!lab->serviceOutput().contains(password));
        for (const QList<QVariant>& line : logged) {
            QVERIFY(!line.first().toString().toLatin1().contains(password));
        }
        QCOMPARE(filesHolding(lab->path(QString()), password, launchDirectory()), QStringList());
        QCOMPARE(filesHolding(userDirs->path(QString()), password, launchDirectory()), QStringList());
    }

    void withoutThePasswordTheInterfaceAnswersNothing()
    {
        // No VPN server: OpenVPN waits on its management interface for the credentials.
        const QString config = platform::clientTempDirectory() + QStringLiteral("/direct.ovpn");
        QVERIFY(writeFile(config, "remote " + QByteArray(TunnelLab::serverAddress) + " 1194 udp\n" + providerConfig() +
                                      "<cert>\n" + lab->clientCertificate() + "\n</cert>\n<key>\n" + lab->clientKey() +
                                      "\n</key>\n"));
        const QByteArray password = "0f1e2d3c4b5a69788796a5b4c3d2e1f0";
        const QString passwordFile = platform::clientTempDirectory() + QStringLiteral("/direct.pass");
        QVERIFY(writeFile(passwordFile, password + "\n"));
        const int port = platform::findFreePort();
        QVERIFY(port > 0);
        QVERIFY2(launchDirectly(config, passwordFile, port), lab->serviceOutput().right(2000).constData());
        QFile::remove(passwordFile);

        // Asked for the password at every line, and closed after the third wrong one.
        QVERIFY(waitFor(
            [port] {
                QTcpSocket probe;
                probe.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(port));
                return probe.waitForConnected(200);
            },
            15000));
        const Intrusion intruder = intrude(port, {"state\n", "state\n", "state\n"}, 5000);
        QVERIFY2(intruder.heard.contains("ENTER PASSWORD:"), intruder.heard.constData());
        QVERIFY2(onlyPrompts(intruder.heard), intruder.heard.constData());
        QVERIFY(intruder.closed);

        // With it, the same port answers, and OpenVPN is told to end.
        const Intrusion client = intrude(port, {password + "\n", "state\n", "signal SIGTERM\n"}, 5000);
        QVERIFY2(client.heard.contains("SUCCESS: password is correct"), client.heard.constData());
        QVERIFY2(client.heard.contains("END"), client.heard.constData());
        QVERIFY(waitFor([] { return copiesIn(launchDirectory(), QStringLiteral("config-*")).isEmpty(); }, 15000));
        QVERIFY(!lab->serviceOutput().contains(password));
    }

    void openVpnThatRejectsItsOptionsIsExplainedInOneLine()
    {
        // Allowed by the policy, refused by OpenVPN's own option checks.
        const QString config = platform::clientTempDirectory() + QStringLiteral("/rejected.ovpn");
        QVERIFY(writeFile(config, "remote " + QByteArray(TunnelLab::serverAddress) + " 1194 tcp\nfragment 1300\n" +
                                      providerConfig() + "<cert>\n" + lab->clientCertificate() + "\n</cert>\n<key>\n" +
                                      lab->clientKey() + "\n</key>\n"));
        const QString passwordFile = platform::clientTempDirectory() + QStringLiteral("/rejected.pass");
        QVERIFY(writeFile(passwordFile, "a1b2c3d4e5f60718293a4b5c6d7e8f90\n"));
        const int port = platform::findFreePort();
        const int before = lab->serviceOutput().size();
        QVERIFY(launchDirectly(config, passwordFile, port));

        QVERIFY(waitFor([before] { return lab->serviceOutput().mid(before).contains("exited with status"); }, 15000));
        const QRegularExpressionMatch exit =
            QRegularExpression(QStringLiteral("RunProcess: OpenVPN process \\d+ exited with status (\\d+) within "
                                              "\\d+ s of its start; first options error: (Options error: [^\\n]*)"))
                .match(QString::fromLatin1(lab->serviceOutput().mid(before)));
        QVERIFY2(exit.hasMatch(), lab->serviceOutput().mid(before).constData());
        QCOMPARE(exit.captured(1), QStringLiteral("1"));
        QVERIFY2(exit.captured(2).contains(QLatin1String("fragment")), qPrintable(exit.captured(2)));
        QVERIFY(waitFor([] { return copiesIn(launchDirectory(), QStringLiteral("config-*")).isEmpty(); }, 10000));
    }
};

int main(int argc, char* argv[])
{
    // The client's temporary directory (configuration and password files) stays private.
    IsolatedUserDirs dirs;
    userDirs = &dirs;
    unavailable = TunnelLab::unavailableReason();
    return runLabTest<TestManagementLock>(argc, argv, unavailable, lab);
}

#include "ManagementLockE2ETest.moc"
