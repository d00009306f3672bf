#include "TunnelLab.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <csignal>
#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

namespace {

const QString namespacePrefix = QStringLiteral("qe2e");

bool writeFile(const QString& path, const QByteArray& content, QFile::Permissions permissions = {})
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size()) {
        return false;
    }
    file.close();
    return permissions == QFile::Permissions() || file.setPermissions(permissions);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Namespaces left by a test process that died before cleaning up.
void removeAbandonedNamespaces()
{
    QByteArray list;
    TunnelLab::runIn(QString(), QStringLiteral("ip"), {QStringLiteral("netns"), QStringLiteral("list")}, 5000, &list);
    const QRegularExpression name(QStringLiteral("^%1(\\d+)[cs]\\b").arg(namespacePrefix));
    for (const QByteArray& line : list.split('\n')) {
        const QRegularExpressionMatch match = name.match(QString::fromLatin1(line));
        if (match.hasMatch() && kill(match.captured(1).toInt(), 0) != 0) {
            TunnelLab::runIn(QString(), QStringLiteral("ip"),
                             {QStringLiteral("netns"), QStringLiteral("del"), match.captured(0)});
        }
    }
}

} // namespace

QString TunnelLab::unavailableReason()
{
    if (geteuid() != 0) {
        return QStringLiteral("needs root for network namespaces and tunnel devices");
    }
    if (!QFileInfo::exists(QStringLiteral("/dev/net/tun"))) {
        return QStringLiteral("no /dev/net/tun on this machine");
    }
    for (const char* program : {"/usr/sbin/openvpn", "/usr/bin/stunnel4", "/usr/bin/openssl"}) {
        if (!QFileInfo(QLatin1String(program)).isExecutable()) {
            return QStringLiteral("%1 is not installed").arg(QLatin1String(program));
        }
    }
    if (runIn(QString(), QStringLiteral("ip"), {QStringLiteral("-V")}, 5000) != 0) {
        return QStringLiteral("the ip program (iproute2) is not available");
    }
    return QString();
}

int TunnelLab::runIn(const QString& ns, const QString& program, const QStringList& arguments, int timeoutMs,
                     QByteArray* output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (ns.isEmpty()) {
        process.start(program, arguments);
    } else {
        process.start(QStringLiteral("ip"),
                      QStringList{QStringLiteral("netns"), QStringLiteral("exec"), ns, program} + arguments);
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (output != nullptr) {
        *output = process.readAll();
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

TunnelLab::TunnelLab()
{
    if (!dir.isValid()) {
        error = QStringLiteral("no temporary directory");
        return;
    }
    removeAbandonedNamespaces();
    const QString id = namespacePrefix + QString::number(getpid());
    clientNs = id + QLatin1Char('c');
    serverNs = id + QLatin1Char('s');
    const QString clientLink = QStringLiteral("qe%1c").arg(getpid());
    const QString serverLink = QStringLiteral("qe%1s").arg(getpid());
    if (!ip({"netns", "add", clientNs}) || !ip({"netns", "add", serverNs}) ||
        !ip({"link", "add", clientLink, "netns", clientNs, "type", "veth", "peer", "name", serverLink, "netns",
             serverNs}) ||
        !ip({"-n", clientNs, "addr", "add", QString(clientAddress) + "/24", "dev", clientLink}) ||
        !ip({"-n", serverNs, "addr", "add", QString(serverAddress) + "/24", "dev", serverLink}) ||
        !ip({"-n", clientNs, "link", "set", clientLink, "up"}) ||
        !ip({"-n", serverNs, "link", "set", serverLink, "up"}) || !ip({"-n", clientNs, "link", "set", "lo", "up"}) ||
        !ip({"-n", serverNs, "link", "set", "lo", "up"})) {
        return;
    }
    makePki();
}

TunnelLab::~TunnelLab()
{
    for (auto& process : processes) {
        if (process->state() != QProcess::NotRunning) {
            process->terminate();
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }
    processes.clear();
    // Also ends what the service started (OpenVPN) once nothing holds the namespace.
    for (const QString& ns : {clientNs, serverNs}) {
        if (!ns.isEmpty()) {
            QByteArray pids;
            runIn(QString(), QStringLiteral("ip"), {QStringLiteral("netns"), QStringLiteral("pids"), ns}, 5000, &pids);
            for (const QByteArray& line : pids.split('\n')) {
                const int pid = line.trimmed().toInt();
                // This process lives in the client namespace too.
                if (pid > 0 && pid != getpid()) {
                    kill(pid, SIGKILL);
                }
            }
            runIn(QString(), QStringLiteral("ip"), {QStringLiteral("netns"), QStringLiteral("del"), ns}, 5000);
        }
    }
}

bool TunnelLab::ip(const QStringList& arguments)
{
    QByteArray output;
    if (runIn(QString(), QStringLiteral("ip"), arguments, 10000, &output) != 0) {
        error = QStringLiteral("ip %1: %2").arg(arguments.join(' '), QString::fromLocal8Bit(output).trimmed());
        return false;
    }
    return true;
}

bool TunnelLab::enterClientNamespace()
{
    const int fd = open(QFile::encodeName("/run/netns/" + clientNs).constData(), O_RDONLY | O_CLOEXEC);
    const bool entered = fd >= 0 && setns(fd, CLONE_NEWNET) == 0;
    if (fd >= 0) {
        close(fd);
    }
    if (!entered) {
        error = QStringLiteral("cannot enter the client namespace");
    }
    return entered;
}

bool TunnelLab::makePki()
{
    const auto openssl = [this](const QStringList& arguments) {
        QByteArray output;
        if (runIn(QString(), QStringLiteral("openssl"), arguments, 20000, &output) != 0) {
            error = QStringLiteral("openssl %1: %2").arg(arguments.join(' '), QString::fromLocal8Bit(output));
            return false;
        }
        return true;
    };
    const QStringList ecKey{"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
    if (!writeFile(path("server.ext"), "extendedKeyUsage=serverAuth\nkeyUsage=digitalSignature,keyAgreement\n") ||
        !writeFile(path("client.ext"), "extendedKeyUsage=clientAuth\nkeyUsage=digitalSignature,keyAgreement\n")) {
        error = QStringLiteral("cannot write the certificate extensions");
        return false;
    }
    if (!openssl(QStringList{"req", "-x509"} + ecKey +
                 QStringList{"-keyout", path("ca.key"), "-out", path("ca.crt"), "-days", "2", "-subj",
                             "/CN=Quarnel test CA"})) {
        return false;
    }
    for (const QString& who : {QStringLiteral("server"), QStringLiteral("client")}) {
        if (!openssl(QStringList{"req"} + ecKey +
                     QStringList{"-keyout", path(who + ".key"), "-out", path(who + ".csr"), "-subj", "/CN=" + who}) ||
            !openssl({"x509", "-req", "-in", path(who + ".csr"), "-CA", path("ca.crt"), "-CAkey", path("ca.key"),
                      "-CAcreateserial", "-out", path(who + ".crt"), "-days", "2", "-extfile", path(who + ".ext")})) {
            return false;
        }
    }
    return true;
}

QProcess* TunnelLab::launch(const QString& ns, const QString& program, const QStringList& arguments)
{
    processes.push_back(std::make_unique<QProcess>());
    QProcess* process = processes.back().get();
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->start(QStringLiteral("ip"),
                   QStringList{QStringLiteral("netns"), QStringLiteral("exec"), ns, program} + arguments);
    return process;
}

bool TunnelLab::waitForLine(QProcess* process, const QByteArray& line, int timeoutMs)
{
    QByteArray seen;
    QElapsedTimer clock;
    clock.start();
    while (!clock.hasExpired(timeoutMs)) {
        if (process->state() == QProcess::NotRunning && process->bytesAvailable() == 0) {
            break;
        }
        process->waitForReadyRead(100);
        seen += process->readAll();
        if (seen.contains(line)) {
            return true;
        }
    }
    error = QStringLiteral("no \"%1\" from %2: %3")
                .arg(QString::fromLatin1(line), process->program(), QString::fromLocal8Bit(seen.right(2000)));
    return false;
}

bool TunnelLab::startServer(const QString& mode, const QByteArray& extraConfig)
{
    stopServer();
    const bool stealth = mode == QLatin1String("stealth");
    const bool tcp = stealth || mode == QLatin1String("tcp");
    if (!writeFile(path("expected.pass"), QByteArray(password) + "\n") ||
        !writeFile(path("check.sh"),
                   "#!/bin/sh\n"
                   "# OpenVPN hands over a file: user name on line 1, password on line 2.\n"
                   "[ \"$(sed -n 1p \"$1\")\" = \"" +
                       QByteArray(userName) + "\" ] || exit 1\n" + "sed -n 2p \"$1\" | cmp -s - \"" +
                       QFile::encodeName(path("expected.pass")) + "\"\n",
                   QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        error = QStringLiteral("cannot write the server's files");
        return false;
    }
    const QByteArray config = "dev tun\n"
                              "proto " +
                              QByteArray(tcp ? "tcp-server" : "udp") + "\nlocal " +
                              QByteArray(stealth ? "127.0.0.1" : serverAddress) +
                              "\nport 1194\n"
                              "ca " +
                              QFile::encodeName(path("ca.crt")) + "\ncert " + QFile::encodeName(path("server.crt")) +
                              "\nkey " + QFile::encodeName(path("server.key")) +
                              "\ndh none\n"
                              "topology subnet\n"
                              "server 10.8.0.0 255.255.255.0\n"
                              "keepalive 2 10\n"
                              "auth-user-pass-verify " +
                              QFile::encodeName(path("check.sh")) +
                              " via-file\n"
                              "script-security 2\n"
                              "tmp-dir " +
                              QFile::encodeName(dir.path()) + "\nverb 3\n" + extraConfig;
    if (!writeFile(path("server.conf"), config)) {
        error = QStringLiteral("cannot write the server configuration");
        return false;
    }
    QProcess* server = launch(serverNs, QStringLiteral("/usr/sbin/openvpn"), {"--config", path("server.conf")});
    serverProcesses.push_back(server);
    if (!waitForLine(server, "Initialization Sequence Completed", 20000)) {
        return false;
    }
    if (!stealth) {
        return true;
    }
    const QByteArray stunnel = "foreground = yes\n"
                               "pid =\n"
                               "[openvpn]\n"
                               "accept = " +
                               QByteArray(serverAddress) +
                               ":443\n"
                               "connect = 127.0.0.1:1194\n"
                               "cert = " +
                               QFile::encodeName(path("server.crt")) +
                               "\nkey = " + QFile::encodeName(path("server.key")) + "\n";
    if (!writeFile(path("stunnel-server.conf"), stunnel)) {
        error = QStringLiteral("cannot write the stunnel server configuration");
        return false;
    }
    QProcess* tls = launch(serverNs, QStringLiteral("/usr/bin/stunnel4"), {path("stunnel-server.conf")});
    serverProcesses.push_back(tls);
    return waitForLine(tls, "Configuration successful", 20000);
}

void TunnelLab::stopServer()
{
    for (QProcess* process : serverProcesses) {
        process->terminate();
        if (!process->waitForFinished(5000)) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
    serverProcesses.clear();
}

bool TunnelLab::startService(const QStringList& through, bool waitReady)
{
    QDir().mkpath(path("state"));
    QDir().mkpath(path("tzroot/etc"));
    QDir().mkpath(path("tzroot/usr/share/zoneinfo"));
    QFile::remove(serviceSocket());
    QStringList command = through;
    command << QStringLiteral(QUARNEL_SERVICE_BIN) << "--socket" << serviceSocket() << "--openvpn"
            << "/usr/sbin/openvpn"
            << "--state-dir" << path("state") << "--timezone-root" << path("tzroot");
    service = launch(clientNs, command.takeFirst(), command);
    qputenv("QUARNEL_SERVICE_SOCKET", QFile::encodeName(serviceSocket()));
    QElapsedTimer clock;
    clock.start();
    while (waitReady && !QFileInfo::exists(serviceSocket())) {
        if (clock.hasExpired(10000) || service->waitForFinished(50)) {
            error = QStringLiteral("the service did not start: %1").arg(QString::fromLocal8Bit(service->readAll()));
            return false;
        }
    }
    return true;
}

bool TunnelLab::stopService(bool crash)
{
    if (service == nullptr) {
        return false;
    }
    if (crash) {
        service->kill();
    } else {
        service->terminate();
    }
    const bool ended = service->waitForFinished(15000);
    serviceLog += service->readAll();
    service = nullptr;
    return ended;
}

QByteArray TunnelLab::configText() const
{
    // As the provider writes it: protocol-specific lines commented out with their key.
    return "client\n"
           "dev tun\n"
           "nobind\n"
           "remote-cert-tls server\n"
           "auth-user-pass\n"
           "#udp explicit-exit-notify 1\n"
           "#tcp connect-retry 1\n"
           "verb 3\n"
           "<ca>\n" +
           readFile(path("ca.crt")) + "</ca>\n";
}

QByteArray TunnelLab::clientCertificate() const
{
    return readFile(path("client.crt")).trimmed();
}

QByteArray TunnelLab::clientKey() const
{
    return readFile(path("client.key")).trimmed();
}

bool TunnelLab::addServerAddress(const QString& address)
{
    return ip({"-n", serverNs, "addr", "add", address + "/24", "dev", QStringLiteral("qe%1s").arg(getpid())});
}

bool TunnelLab::pings(const QString& address)
{
    return runIn(QString(), QStringLiteral("ping"), {"-n", "-q", "-c", "1", "-W", "1", address}, 10000) == 0;
}

bool TunnelLab::killServiceChild(const QString& name)
{
    return service != nullptr && runIn(QString(), QStringLiteral("pkill"),
                                       {"-KILL", "-P", QString::number(service->processId()), "-x", name}) == 0;
}

bool TunnelLab::addLinkAddress(bool serverSide, const QString& addressWithPrefix)
{
    QStringList arguments{
        "-n", serverSide ? serverNs : clientNs, "addr", "add", addressWithPrefix, "dev", linkName(serverSide)};
    if (addressWithPrefix.contains(QLatin1Char(':'))) {
        arguments << QStringLiteral("nodad");
    }
    return ip(arguments);
}

QString TunnelLab::linkName(bool serverSide)
{
    return QStringLiteral("qe%1%2").arg(getpid()).arg(serverSide ? QLatin1Char('s') : QLatin1Char('c'));
}

QList<qint64> TunnelLab::clientProcesses(const QString& name) const
{
    QByteArray pids;
    runIn(QString(), QStringLiteral("ip"), {QStringLiteral("netns"), QStringLiteral("pids"), clientNs}, 5000, &pids);
    QList<qint64> found;
    for (const QByteArray& line : pids.split('\n')) {
        const qint64 pid = line.trimmed().toLongLong();
        if (pid > 0 && readFile(QStringLiteral("/proc/%1/comm").arg(pid)).trimmed() == name.toLocal8Bit()) {
            found.append(pid);
        }
    }
    return found;
}

bool TunnelLab::clientHasDevice(const QString& name) const
{
    return runIn(QString(), QStringLiteral("ip"), {"-n", clientNs, "link", "show", "dev", name}, 5000) == 0;
}
