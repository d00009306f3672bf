#include "ClientBenchRig.h"

#include "MonotonicClock.h"
#include "Statistics.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

const QString signInLogin = QStringLiteral("user@example.test");
const QString signInPassword = QStringLiteral("secret");

QString besideThisProgram(const char* name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
}

} // namespace

BenchChild::BenchChild(const QString& program, const QStringList& arguments, const QString& errorLog)
{
    process.setStandardErrorFile(errorLog, QIODevice::Append);
    process.setProgram(program);
    process.setArguments(arguments);
    startNs = monotonicNs();
    process.start();
    if (!process.waitForStarted())
        error = program + QStringLiteral(": ") + process.errorString();
}

BenchChild::~BenchChild()
{
    finish();
}

bool BenchChild::isRunning() const
{
    return process.state() == QProcess::Running;
}

qint64 BenchChild::pid() const
{
    return process.processId();
}

void BenchChild::readLines()
{
    while (process.canReadLine()) {
        QList<QByteArray> words = process.readLine().trimmed().split(' ');
        const QByteArray tag = words.takeFirst();
        if (tag == "FAIL" && error.isEmpty())
            error = QString::fromUtf8(words.join(' '));
        if (!lines.contains(tag))
            lines.insert(tag, words);
    }
}

QList<QByteArray> BenchChild::waitFor(const QByteArray& tag, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        readLines();
        if (lines.contains(tag))
            return lines.value(tag);
        if (!error.isEmpty())
            return {};
        if (deadline.hasExpired() || !process.waitForReadyRead(int(deadline.remainingTime()))) {
            readLines();
            if (lines.contains(tag))
                return lines.value(tag);
            if (error.isEmpty())
                error = isRunning() ? QStringLiteral("no %1 line in time").arg(QString::fromLatin1(tag))
                                    : QStringLiteral("ended (exit code %1) before its %2 line")
                                          .arg(process.exitCode())
                                          .arg(QString::fromLatin1(tag));
            return {};
        }
    }
}

void BenchChild::send(const QByteArray& line)
{
    process.write(line + '\n');
    process.waitForBytesWritten(5000);
}

void BenchChild::finish(int timeoutMs)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

ClientBenchRig::ClientBenchRig()
{
    if (!work.isValid()) {
        error = QStringLiteral("no temporary directory");
        return;
    }
    QJsonObject fixture;
    if (!writeFixture(fixture))
        return;
    sim = std::make_unique<ApiSim>(fixture);
    if (!sim->ok())
        error = QStringLiteral("the API simulator did not start: ") + sim->failure();
}

bool ClientBenchRig::writeFixture(QJsonObject& fixture)
{
    const QString path = work.filePath(QStringLiteral("catalogue.json"));
    QProcess generator;
    generator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    generator.start(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral(API_SIM), QStringLiteral("--generate"), QString::number(locationCount),
                     QString::number(loginCount), QStringLiteral("--out"), path});
    QFile file(path);
    if (!generator.waitForFinished(60000) || generator.exitCode() != 0 || !file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("the simulator did not write the catalogue");
        return false;
    }
    fixture = QJsonDocument::fromJson(file.readAll()).object();
    // Every location is pinged by the client: the benchmark must never send one of
    // those pings anywhere but to this machine.
    const QJsonArray locations = fixture.value(QStringLiteral("locations")).toArray();
    const auto loopback = [](const QJsonValue& location) {
        return QHostAddress(location.toObject().value(QStringLiteral("ip")).toString()).isLoopback();
    };
    if (locations.size() != locationCount || !std::all_of(locations.begin(), locations.end(), loopback)) {
        error = QStringLiteral("the generated catalogue is not %1 loopback locations").arg(locationCount);
        return false;
    }
    return true;
}

std::unique_ptr<BenchChild> ClientBenchRig::startClient(const QString& mode)
{
    return std::make_unique<BenchChild>(besideThisProgram("quarnel_bench_client"), QStringList{mode},
                                        work.filePath(QStringLiteral("children.err")));
}

std::unique_ptr<BenchChild> ClientBenchRig::startPeer(const QString& mode)
{
    return std::make_unique<BenchChild>(besideThisProgram("bare_qt_peer"), QStringList{mode},
                                        work.filePath(QStringLiteral("children.err")));
}

bool ClientBenchRig::prime()
{
    BenchChild client(besideThisProgram("quarnel_bench_client"), {QStringLiteral("prime"), signInLogin, signInPassword},
                      work.filePath(QStringLiteral("children.err")));
    const QList<QByteArray> answer = client.waitFor("SIGNEDIN", 120000);
    if (answer.isEmpty()) {
        error = QStringLiteral("the first sign-in: ") + client.failure();
        return false;
    }
    // 0 is a full account; the generated one is full.
    if (answer.first() != "0") {
        error = QStringLiteral("the first sign-in was answered with code ") + QString::fromLatin1(answer.first());
        return false;
    }
    client.finish();
    return true;
}

QString ClientBenchRig::errorLogTail(int lineCount) const
{
    QFile file(work.filePath(QStringLiteral("children.err")));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QList<QByteArray> all = file.readAll().split('\n');
    while (!all.isEmpty() && all.last().isEmpty())
        all.removeLast();
    const QList<QByteArray> tail = all.mid(std::max(0, int(all.size()) - lineCount));
    return QString::fromUtf8(tail.isEmpty() ? QByteArray() : tail.join('\n'));
}

Spread spreadOf(const std::vector<double>& samples)
{
    Spread spread;
    if (samples.empty())
        return spread;
    spread.median = median(samples);
    spread.min = *std::min_element(samples.begin(), samples.end());
    spread.max = *std::max_element(samples.begin(), samples.end());
    return spread;
}
