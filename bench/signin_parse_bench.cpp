// Reading a sign-in answer of 5,000 locations and 50 VPN logins, as served by the
// local API simulator, and merging a full latency batch into it (double-hop values
// included). The peer is Qt's own DOM parse of the same body: the floor any reader
// built on it pays.
#include "api/ApiAnswerReader.h"
#include "api/ApiSettings.h"
#include "api/NetworkManager.h"

#include "Statistics.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrlQuery>

#include <sys/resource.h>

#include <cstdio>
#include <vector>

namespace {

constexpr int locationCount = 5000;
constexpr int loginCount = 50;
constexpr int runs = 15;
constexpr double goalMs = 100.0;

long peakRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QByteArray fetch(QNetworkAccessManager& manager, const QUrl& url)
{
    QNetworkRequest request(url);
    request.setSslConfiguration(api::sslConfiguration());
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    QByteArray body;
    if (reply->error() == QNetworkReply::NoError)
        body = reply->readAll();
    else
        std::fprintf(stderr, "%s: %s\n", qPrintable(url.toString()), qPrintable(reply->errorString()));
    delete reply;
    return body;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir tmp;
    const QString fixture = tmp.filePath(QStringLiteral("big.json"));
    if (QProcess::execute(QStringLiteral("/usr/bin/python3"),
                          {QStringLiteral(API_SIM), "--generate", QString::number(locationCount),
                           QString::number(loginCount), "--out", fixture}) != 0) {
        std::fprintf(stderr, "the simulator could not write the fixture\n");
        return 1;
    }

    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(QStringLiteral("/usr/bin/python3"),
              {QStringLiteral(API_SIM), "--tls-dir", tmp.filePath("tls"), "--port", "0", "--fixture", fixture});
    QString base;
    while (base.isEmpty() && sim.waitForReadyRead(30000)) {
        while (sim.canReadLine()) {
            const QList<QByteArray> words = sim.readLine().trimmed().split(' ');
            if (words.size() == 2 && words[0] == "PORT")
                base = QStringLiteral("https://127.0.0.1:") + words[1];
        }
    }
    if (base.isEmpty()) {
        std::fprintf(stderr, "the simulator did not start\n");
        return 1;
    }
    qputenv("QUARNEL_API_CA", tmp.filePath(QStringLiteral("tls/ca.pem")).toUtf8());

    QNetworkAccessManager manager;
    QUrl signInUrl(base + QStringLiteral("/connect"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("ver"), QStringLiteral("3.7.0"));
    query.addQueryItem(QStringLiteral("login"), QStringLiteral("user@example.test"));
    query.addQueryItem(QStringLiteral("pass"), QStringLiteral("secret"));
    query.addQueryItem(QStringLiteral("act"), QStringLiteral("wizardsetup"));
    query.addQueryItem(QStringLiteral("os"), QStringLiteral("win"));
    signInUrl.setQuery(query);
    const QByteArray body = fetch(manager, signInUrl);
    const QByteArray doubleFile = fetch(manager, QUrl(base + QStringLiteral("/upd/double.xml")));
    sim.terminate();
    sim.waitForFinished(10000);
    if (body.isEmpty() || doubleFile.isEmpty())
        return 1;

    QMap<QString, int> doubleLatency;
    ApiAnswerReader::readDoubleHop(doubleFile, doubleLatency);
    const long rssBefore = peakRssKiB();

    std::vector<double> readMs, mergeMs, domMs;
    int locations = 0;
    int logins = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        QDomDocument document;
        document.setContent(body);
        domMs.push_back(timer.nsecsElapsed() / 1e6);

        Catalogue catalogue;
        QString version;
        QString link;
        timer.restart();
        const ApiAnswerReader::SignIn result = ApiAnswerReader::readSignIn(body, catalogue, version, link);
        readMs.push_back(timer.nsecsElapsed() / 1e6);
        if (!result.accepted)
            return 1;

        // What the pinger hands back: a copy of every record with its latency.
        QVector<ServerInfo> results = catalogue.serverList.toVector();
        for (int i = 0; i < results.size(); ++i)
            results[i].ping = 5 + i % 200;
        QMap<QString, int> table = doubleLatency;
        timer.restart();
        NetworkManager::mergeLatencies(catalogue.serverList, results, table);
        mergeMs.push_back(timer.nsecsElapsed() / 1e6);
        locations = catalogue.serverList.size();
        logins = catalogue.accounts.size();
    }

    const double read = median(readMs);
    const double merge = median(mergeMs);
    const double dom = median(domMs);
    const long rssPeak = peakRssKiB();
    std::printf("sign-in answer: %.1f MiB, %d locations, %d logins, %d runs (median)\n", body.size() / 1048576.0,
                locations, logins, runs);
    std::printf("  read answer      %8.2f ms\n", read);
    std::printf("  latency merge    %8.2f ms\n", merge);
    std::printf("  read + merge     %8.2f ms   goal < %.0f ms: %s\n", read + merge, goalMs,
                read + merge < goalMs ? "met" : "MISSED");
    std::printf("  peer: DOM parse  %8.2f ms   ratio (read + merge) / DOM parse = %.2f\n", dom, (read + merge) / dom);
    std::printf("  peak memory      %8.1f MiB (%.1f MiB before the runs, body and double-hop table loaded)\n",
                rssPeak / 1024.0, rssBefore / 1024.0);
    return locations == locationCount && logins == loginCount ? 0 : 1;
}
