// Latency sweep of 100 loopback addresses: PingManager (one ping process per
// address, five at a time) against fping measuring the same addresses with the
// same echo count and timeout, in the same run.
#include "ping/PingManager.h"

#include "Statistics.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <vector>

namespace {

constexpr int addressCount = 100;
constexpr int runs = 5;

QStringList addresses()
{
    QStringList list;
    for (int i = 1; i <= addressCount; ++i) {
        list.append(QStringLiteral("127.0.0.%1").arg(i));
    }
    return list;
}

// Milliseconds for one sweep, or -1; *answered counts the addresses that got a
// latency.
double sweepWithManager(PingManager& manager, int* answered)
{
    QVector<ServerInfo> servers;
    for (const QString& address : addresses()) {
        ServerInfo info;
        info.id = address;
        info.ip = address;
        info.ping = -1;
        servers.append(info);
    }
    QEventLoop loop;
    QObject::connect(&manager, &PingManager::pingServersFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(120000, &loop, [&loop] { loop.exit(1); });
    QElapsedTimer timer;
    timer.start();
    manager.pingServers(servers);
    if (loop.exec() != 0) {
        return -1;
    }
    const double elapsed = timer.nsecsElapsed() / 1e6;
    *answered = 0;
    for (const ServerInfo& info : manager.results()) {
        *answered += info.ping >= 0 ? 1 : 0;
    }
    return elapsed;
}

double sweepWithFping(const QString& fping, const QStringList& options)
{
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(fping, options + addresses());
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        return -1;
    }
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString fping = QStandardPaths::findExecutable(QStringLiteral("fping"));
    if (fping.isEmpty()) {
        std::printf("SKIP ping_sweep_bench: fping not installed (Debian package fping)\n");
        return 0;
    }
    // Same as the client's ping: two echoes per address 10 ms apart, 300 ms
    // timeout; -i 1 is fping's shortest gap between any two packets.
    const QStringList fpingOptions{QStringLiteral("-q"), QStringLiteral("-c"),  QStringLiteral("2"),
                                   QStringLiteral("-t"), QStringLiteral("300"), QStringLiteral("-p"),
                                   QStringLiteral("10"), QStringLiteral("-i"),  QStringLiteral("1")};

    PingManager manager;
    std::vector<double> ours;
    std::vector<double> theirs;
    int answered = 0;
    for (int run = 0; run < runs; ++run) {
        const double managerMs = sweepWithManager(manager, &answered);
        const double fpingMs = sweepWithFping(fping, fpingOptions);
        if (managerMs < 0 || fpingMs < 0) {
            std::printf("ping_sweep_bench: a sweep did not finish\n");
            return 1;
        }
        ours.push_back(managerMs);
        theirs.push_back(fpingMs);
    }

    const double oursMedian = median(ours);
    const double theirsMedian = median(theirs);
    std::printf("ping sweep, %d loopback addresses, 2 echoes, 300 ms timeout, "
                "median of %d runs\n",
                addressCount, runs);
    std::printf("  PingManager (5 ping processes at a time): %8.1f ms, %d/%d answered\n", oursMedian, answered,
                addressCount);
    std::printf("  fping %-34s %8.1f ms\n", qPrintable(fpingOptions.join(QLatin1Char(' ')) + QLatin1Char(':')),
                theirsMedian);
    std::printf("  ratio PingManager / fping: %.2fx (goal: within 5x)\n", oursMedian / theirsMedian);
    return 0;
}
