// Connect time over UDP: from OpenVPNConnectorQt::startOpenVPN to connected(), through
// the real service, against the system's OpenVPN started by hand with the same
// configuration until it reports "Initialization Sequence Completed" — same namespaces,
// same server, runs alternated. Needs root (network namespaces); prints SKIP otherwise.
#include "IsolatedUserDirs.h"
#include "Statistics.h"
#include "TunnelLab.h"
#include "connection/MakeOVPNFile.h"
#include "connection/OpenVPNConnectorQt.h"
#include "data/ConfigServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int runs = 10;

// Waits in an event loop until `done` holds or the time runs out.
template <typename Done> bool waitFor(Done done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.hasExpired(timeoutMs)) {
            return false;
        }
        QEventLoop loop;
        QTimer::singleShot(2, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

double connectorRun(const QString& configPath)
{
    OpenVPNConnectorQt connector;
    bool up = false;
    bool failed = false;
    QObject::connect(&connector, &OpenVPNConnectorQt::connected, [&up] { up = true; });
    QObject::connect(&connector, &OpenVPNConnectorQt::error, [&failed] { failed = true; });
    QElapsedTimer clock;
    clock.start();
    connector.startOpenVPN(configPath, TunnelLab::userName, TunnelLab::password);
    if (!waitFor([&] { return up || failed; }, 30000) || failed) {
        return -1;
    }
    const double ms = clock.nsecsElapsed() / 1e6;
    connector.stop();
    connector.wait(15000);
    return ms;
}

double plainRun(TunnelLab& lab, const QString& configPath)
{
    QProcess openvpn;
    openvpn.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    openvpn.start("/usr/sbin/openvpn", {"--config", configPath, "--auth-user-pass", lab.path("bench.pass")});
    QByteArray seen;
    while (!seen.contains("Initialization Sequence Completed")) {
        if (clock.hasExpired(30000) || openvpn.state() == QProcess::NotRunning) {
            return -1;
        }
        openvpn.waitForReadyRead(2);
        seen += openvpn.readAll();
    }
    const double ms = clock.nsecsElapsed() / 1e6;
    openvpn.terminate();
    openvpn.waitForFinished(10000);
    return ms;
}

} // namespace

int main(int argc, char* argv[])
{
    IsolatedUserDirs dirs;
    const QString unavailable = TunnelLab::unavailableReason();
    if (!unavailable.isEmpty()) {
        std::printf("SKIP connect-time benchmark: %s\n", qPrintable(unavailable));
        return 0;
    }
    auto lab = std::make_unique<TunnelLab>();
    if (!lab->ok() || !lab->enterClientNamespace()) {
        std::fprintf(stderr, "lab: %s\n", qPrintable(lab->failure()));
        return 1;
    }
    QCoreApplication app(argc, argv);
    if (!lab->startServer("udp") || !lab->startService()) {
        std::fprintf(stderr, "lab: %s\n", qPrintable(lab->failure()));
        return 1;
    }

    ConfigServer server;
    server.ports = QStringList{"1194"};
    server.protocol = "udp";
    server.host = TunnelLab::serverAddress;
    server.certificate = lab->clientCertificate();
    server.key = lab->clientKey();
    server.config = lab->configText();
    MakeOVPNFile writer;
    QFile credentials(lab->path("bench.pass"));
    if (!writer.makeFile(server) || !credentials.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write the configuration\n");
        return 1;
    }
    credentials.write(QByteArray(TunnelLab::userName) + "\n" + TunnelLab::password + "\n");
    credentials.close();

    std::vector<double> client;
    std::vector<double> plain;
    for (int i = 0; i < runs; ++i) {
        const double c = connectorRun(writer.path());
        const double p = plainRun(*lab, writer.path());
        if (c < 0 || p < 0) {
            std::fprintf(stderr, "run %d failed\n", i + 1);
            return 1;
        }
        client.push_back(c);
        plain.push_back(p);
        waitFor([&] { return !lab->clientHasDevice("tun0"); }, 10000);
    }
    const double clientMedian = median(client);
    const double plainMedian = median(plain);
    std::printf("Connect time over UDP, median of %d runs each\n", runs);
    std::printf("  openvpn --config by hand          %8.1f ms\n", plainMedian);
    std::printf("  connector through the service     %8.1f ms\n", clientMedian);
    std::printf("  added by the client               %8.1f ms   (goal: under 150 ms)\n", clientMedian - plainMedian);
    std::printf("  ratio client/plain                %8.2f\n", clientMedian / plainMedian);
    return 0;
}
