#pragma once

#include "ApiSim.h"
#include "IsolatedUserDirs.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>
#include <vector>

// One program a client benchmark starts and talks to: it reports on its standard output
// in lines of a tag and numbers ("PAINT 1234"), and ends when its standard input closes.
class BenchChild
{
public:
    // Starts `program` at once; its standard error goes to the end of `errorLog`.
    BenchChild(const QString& program, const QStringList& arguments, const QString& errorLog);
    ~BenchChild();
    BenchChild(const BenchChild&) = delete;
    BenchChild& operator=(const BenchChild&) = delete;

    bool isRunning() const;
    qint64 pid() const;
    // The monotonic clock just before the start.
    std::int64_t startedAtNs() const { return startNs; }

    // The numbers of the first line with `tag`; empty when the child ended, reported
    // FAIL or did not say it within timeoutMs.
    QList<QByteArray> waitFor(const QByteArray& tag, int timeoutMs);
    // What the child gave as its reason with FAIL, or how it ended.
    QString failure() const { return error; }

    // Writes one line to the child's standard input.
    void send(const QByteArray& line);
    // Closes the child's standard input and waits for it to end; kills it after timeoutMs.
    void finish(int timeoutMs = 15000);

private:
    void readLines();

    QProcess process;
    std::int64_t startNs = 0;
    QHash<QByteArray, QList<QByteArray>> lines;
    QString error;
};

// What the client benchmarks share: private user directories (inherited by every child),
// the API simulator serving a generated catalogue on loopback, and the client's settings
// holding that catalogue from one real sign-in.
class ClientBenchRig
{
public:
    static constexpr int locationCount = 5000;
    static constexpr int loginCount = 50;

    ClientBenchRig();

    bool ok() const { return error.isEmpty(); }
    const QString& failure() const { return error; }

    // Starts the benchmark's client (bench/quarnel_bench_client) in `mode`.
    std::unique_ptr<BenchChild> startClient(const QString& mode);
    // Starts the bare Qt program (bench/bare_qt_peer) in `mode`.
    std::unique_ptr<BenchChild> startPeer(const QString& mode);

    // Lets the client sign in once with the remembered user, so that every later start
    // finds the catalogue in its cache. False (see failure()) when the sign-in failed.
    bool prime();

    // The last lines the children wrote on their standard error.
    QString errorLogTail(int lineCount = 20) const;

private:
    bool writeFixture(QJsonObject& fixture);

    IsolatedUserDirs dirs;
    QTemporaryDir work;
    std::unique_ptr<ApiSim> sim;
    QString error;
};

struct Spread
{
    double median = 0;
    double min = 0;
    double max = 0;
};

Spread spreadOf(const std::vector<double>& samples);
