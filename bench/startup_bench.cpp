// Client start to the first painted frame of the connection screen: a remembered user,
// the catalogue of 5,000 locations in the settings from one earlier sign-in against the
// local API simulator, which also answers this start's background sign-in. Each start is
// a fresh process, timed from just before it is started to the first paint event of the
// connection screen. The peer, started the same way in the same run: a bare Qt Widgets
// program until its one empty window is painted.
#include "ClientBenchRig.h"
#include "Statistics.h"

#include <QCoreApplication>

#include <cstdio>
#include <vector>

namespace {

constexpr int runs = 5;
constexpr double goalMs = 400.0;
constexpr int paintTimeoutMs = 60000;

struct StartSample
{
    double totalMs = -1;
    // From the start to main(), the application object, Application::start (until the
    // window is up), and the event loop until the paint.
    double loadMs = 0, appMs = 0, startMs = 0, paintMs = 0;
    double startCpuMs = 0, paintCpuMs = 0;
};

double ms(qint64 ns)
{
    return ns / 1e6;
}

StartSample startOnce(ClientBenchRig& rig, bool client)
{
    StartSample sample;
    std::unique_ptr<BenchChild> child = client ? rig.startClient(QStringLiteral("start")) : rig.startPeer("paint");
    const QList<QByteArray> paint = child->waitFor("PAINT", paintTimeoutMs);
    if (paint.isEmpty() || paint.first().toLongLong() == 0) {
        std::fprintf(stderr, "%s: %s\n", client ? "client" : "peer", qPrintable(child->failure()));
        return sample;
    }
    sample.totalMs = ms(paint.first().toLongLong() - child->startedAtNs());
    if (client) {
        const QList<QByteArray> phases = child->waitFor("PHASES", paintTimeoutMs);
        const QList<QByteArray> cpu = child->waitFor("CPU", paintTimeoutMs);
        if (phases.size() == 4 && cpu.size() == 3) {
            sample.loadMs = ms(phases[0].toLongLong() - child->startedAtNs());
            sample.appMs = ms(phases[1].toLongLong() - phases[0].toLongLong());
            sample.startMs = ms(phases[2].toLongLong() - phases[1].toLongLong());
            sample.paintMs = ms(phases[3].toLongLong() - phases[2].toLongLong());
            sample.startCpuMs = ms(cpu[1].toLongLong() - cpu[0].toLongLong());
            sample.paintCpuMs = ms(cpu[2].toLongLong() - cpu[1].toLongLong());
        }
    }
    child->finish();
    return sample;
}

struct Series
{
    std::vector<double> total, load, app, start, paint, startCpu, paintCpu;

    void add(const StartSample& sample)
    {
        if (sample.totalMs < 0)
            return;
        total.push_back(sample.totalMs);
        load.push_back(sample.loadMs);
        app.push_back(sample.appMs);
        start.push_back(sample.startMs);
        paint.push_back(sample.paintMs);
        startCpu.push_back(sample.startCpuMs);
        paintCpu.push_back(sample.paintCpuMs);
    }
};

void printLine(const char* what, const std::vector<double>& samples)
{
    const Spread spread = spreadOf(samples);
    std::printf("  %-52s median %7.1f ms   min %7.1f   max %7.1f   (%zu runs)\n", what, spread.median, spread.min,
                spread.max, samples.size());
}

void printPhases(const Series& series)
{
    std::printf("  client's medians: to main() %.1f ms, application object %.1f ms, Application::start %.1f ms"
                " (process CPU %.1f ms), event loop to the paint %.1f ms (process CPU %.1f ms)\n",
                median(series.load), median(series.app), median(series.start), median(series.startCpu),
                median(series.paint), median(series.paintCpu));
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    ClientBenchRig rig;
    if (!rig.ok() || !rig.prime()) {
        std::fprintf(stderr, "startup_bench: %s\n%s\n", qPrintable(rig.failure()), qPrintable(rig.errorLogTail()));
        return 1;
    }

    // The first sign-in has brought the client's files into the page cache; the peer
    // starts once first as well.
    startOnce(rig, false);

    // Alternated, so that whatever else the machine does falls on both alike.
    Series client, peer;
    for (int run = 0; run < runs; ++run) {
        client.add(startOnce(rig, true));
        peer.add(startOnce(rig, false));
    }
    if (client.total.empty() || peer.total.empty()) {
        std::fprintf(stderr, "startup_bench: no complete start\n%s\n", qPrintable(rig.errorLogTail()));
        return 1;
    }

    const double ours = median(client.total);
    const double peerMs = median(peer.total);
    std::printf("client start to the first painted connection screen (remembered user, %d cached locations)\n",
                ClientBenchRig::locationCount);
    printLine("client, as main() starts it", client.total);
    printLine("peer: bare QWidget program, one empty window", peer.total);
    std::printf("  ratio %.2f against the peer   goal < %.0f ms: %s\n", ours / peerMs, goalMs,
                ours < goalMs ? "met" : "missed");
    printPhases(client);
    return 0;
}
