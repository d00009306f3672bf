// Resident memory of the signed-in client, idle: a remembered user with the catalogue
// of 5,000 locations cached from an earlier sign-in, started as the real program
// starts, signed in again against the local API simulator, the latency batch over every
// location (loopback addresses) finished and a few seconds of settling. VmRSS is read
// from /proc/<pid>/status by this program, then again after the client has handed its
// heap's free memory back to the system (malloc_trim), which splits what the client
// holds from what the allocator only keeps. The peer, in the same run: a bare
// QApplication that has settled idle. The client runs once: its latency batch alone
// takes a minute or more on two cores.
#include "ClientBenchRig.h"
#include "Statistics.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int clientRuns = 1;
constexpr int peerRuns = 3;
constexpr double goalMB = 60.0;
// The sign-in, 5,000 pings five at a time and the settling.
constexpr int idleTimeoutMs = 240000;

struct Resident
{
    bool ok = false;
    // MB (10^6 bytes).
    double rss = 0, anonymous = 0, files = 0, shared = 0, peak = 0;
    int threads = 0;
    double heapInUse = 0, heapFromSystem = 0;
    double batchSeconds = -1;
    double trimmedRss = 0;
};

double kiBToMB(const QByteArray& value)
{
    return value.trimmed().split(' ').first().toLongLong() * 1024 / 1e6;
}

bool readStatus(qint64 pid, Resident& resident)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        const int colon = line.indexOf(':');
        const QByteArray key = line.left(colon);
        const QByteArray value = line.mid(colon + 1);
        if (key == "VmRSS")
            resident.rss = kiBToMB(value);
        else if (key == "RssAnon")
            resident.anonymous = kiBToMB(value);
        else if (key == "RssFile")
            resident.files = kiBToMB(value);
        else if (key == "RssShmem")
            resident.shared = kiBToMB(value);
        else if (key == "VmHWM")
            resident.peak = kiBToMB(value);
        else if (key == "Threads")
            resident.threads = value.trimmed().toInt();
    }
    return resident.rss > 0;
}

Resident measure(ClientBenchRig& rig, bool client)
{
    Resident resident;
    std::unique_ptr<BenchChild> child = client ? rig.startClient(QStringLiteral("idle")) : rig.startPeer("idle");
    if (client) {
        const QList<QByteArray> batch = child->waitFor("BATCH", idleTimeoutMs);
        const QList<QByteArray> heap = child->waitFor("HEAP", idleTimeoutMs);
        if (!batch.isEmpty())
            resident.batchSeconds = batch.first().toLongLong() / 1000.0;
        if (heap.size() == 2) {
            resident.heapInUse = heap[0].toLongLong() / 1e6;
            resident.heapFromSystem = heap[1].toLongLong() / 1e6;
        }
    }
    if (child->waitFor("IDLE", idleTimeoutMs).isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", client ? "client" : "peer", qPrintable(child->failure()));
        return resident;
    }
    resident.ok = readStatus(child->pid(), resident);
    if (client && resident.ok) {
        child->send("trim");
        Resident trimmed;
        if (!child->waitFor("TRIMMED", 30000).isEmpty() && readStatus(child->pid(), trimmed))
            resident.trimmedRss = trimmed.rss;
    }
    child->finish();
    return resident;
}

// The run with the median VmRSS.
Resident typical(std::vector<Resident> runs)
{
    std::sort(runs.begin(), runs.end(), [](const Resident& a, const Resident& b) { return a.rss < b.rss; });
    return runs[runs.size() / 2];
}

std::vector<double> rssOf(const std::vector<Resident>& runs)
{
    std::vector<double> rss;
    for (const Resident& run : runs)
        rss.push_back(run.rss);
    return rss;
}

void printLine(const char* what, const std::vector<Resident>& runs)
{
    const Spread spread = spreadOf(rssOf(runs));
    const Resident middle = typical(runs);
    std::printf("  %-30s VmRSS median %6.1f MB   min %6.1f   max %6.1f   (%zu run%s)\n", what, spread.median,
                spread.min, spread.max, runs.size(), runs.size() == 1 ? "" : "s");
    std::printf("  %-30s anonymous %.1f, files %.1f, shared %.1f, peak %.1f MB; %d threads", "", middle.anonymous,
                middle.files, middle.shared, middle.peak, middle.threads);
    if (middle.heapFromSystem > 0)
        std::printf("; heap in use %.1f of %.1f MB", middle.heapInUse, middle.heapFromSystem);
    std::printf("\n");
    if (middle.trimmedRss > 0)
        std::printf("  %-30s VmRSS %.1f MB once the free heap is handed back (malloc_trim)\n", "", middle.trimmedRss);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    ClientBenchRig rig;
    if (!rig.ok() || !rig.prime()) {
        std::fprintf(stderr, "idle_memory_bench: %s\n%s\n", qPrintable(rig.failure()), qPrintable(rig.errorLogTail()));
        return 1;
    }

    std::vector<Resident> client, peer;
    for (int run = 0; run < std::max(clientRuns, peerRuns); ++run) {
        if (run < clientRuns) {
            const Resident resident = measure(rig, true);
            if (resident.ok)
                client.push_back(resident);
        }
        if (run < peerRuns) {
            const Resident resident = measure(rig, false);
            if (resident.ok)
                peer.push_back(resident);
        }
    }
    if (client.empty() || peer.empty()) {
        std::fprintf(stderr, "idle_memory_bench: no complete measurement\n%s\n", qPrintable(rig.errorLogTail()));
        return 1;
    }

    const Resident middle = typical(client);
    const double ours = median(rssOf(client));
    const double peerMB = median(rssOf(peer));
    std::printf("resident memory of the signed-in client, idle (%d locations, latency batch done, settled;"
                " MB = 10^6 bytes)\n",
                ClientBenchRig::locationCount);
    printLine("client", client);
    printLine("peer: bare QApplication", peer);
    std::printf("  ratio %.2f against the peer   goal < %.0f MB: %s\n", ours / peerMB, goalMB,
                ours < goalMB ? "met" : "missed");
    if (middle.batchSeconds >= 0)
        std::printf("  latency batch over the %d loopback addresses after the sign-in: %.1f s\n",
                    ClientBenchRig::locationCount, middle.batchSeconds);
    else
        std::printf("  the latency batch did not finish in time: measured after the time-out\n");
    return 0;
}
