#include "ApiSim.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

const QString script = QStringLiteral(QUARNEL_API_SIM_DIR "/api_sim.py");

} // namespace

QJsonObject ApiSim::defaultFixture()
{
    QFile file(QStringLiteral(QUARNEL_API_SIM_DIR "/fixtures/default.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

ApiSim::ApiSim(const QJsonObject& fixture) : starting(fixture.isEmpty() ? defaultFixture() : fixture)
{
    if (!dir.isValid()) {
        error = QStringLiteral("no temporary directory");
        return;
    }
    const QString statePath = qEnvironmentVariable("QUARNEL_API_SIM_STATE");
    if (statePath.isEmpty()) {
        const QString fixturePath = dir.filePath(QStringLiteral("fixture.json"));
        QFile file(fixturePath);
        if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(starting).toJson()) <= 0) {
            error = QStringLiteral("the fixture could not be written");
            return;
        }
        file.close();
        start(fixturePath);
    } else {
        takeOver(statePath);
    }
    if (!ok())
        return;
    qputenv("QUARNEL_API_URL", https.toUtf8());
    qputenv("QUARNEL_API_CA", ca.toUtf8());
    qputenv("QUARNEL_PROBE_URL", (http + QStringLiteral("/probe")).toUtf8());
}

void ApiSim::start(const QString& fixturePath)
{
    process.setProgram(QStringLiteral("/usr/bin/python3"));
    process.setArguments({script, QStringLiteral("--tls-dir"), dir.filePath(QStringLiteral("tls")),
                          QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--http-port"),
                          QStringLiteral("0"), QStringLiteral("--fixture"), fixturePath});
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
    if (!process.waitForStarted()) {
        error = process.errorString();
        return;
    }
    QDeadlineTimer deadline(30000);
    while ((https.isEmpty() || http.isEmpty()) && !deadline.hasExpired()) {
        if (!process.canReadLine() && !process.waitForReadyRead(int(deadline.remainingTime())))
            break;
        while (process.canReadLine()) {
            const QList<QByteArray> words = process.readLine().trimmed().split(' ');
            if (words.size() == 2 && words[0] == "PORT")
                https = QStringLiteral("https://127.0.0.1:") + QString::fromLatin1(words[1]);
            else if (words.size() == 2 && words[0] == "HTTP_PORT")
                http = QStringLiteral("http://127.0.0.1:") + QString::fromLatin1(words[1]);
        }
    }
    if (https.isEmpty() || http.isEmpty()) {
        error = QStringLiteral("the simulator did not report its ports");
        return;
    }
    ca = dir.filePath(QStringLiteral("tls/ca.pem"));
}

void ApiSim::takeOver(const QString& statePath)
{
    QFile file(statePath);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("the simulator's state file %1 could not be read").arg(statePath);
        return;
    }
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const QString key = line.section(QLatin1Char(' '), 0, 0);
        const QString value = line.section(QLatin1Char(' '), 1);
        if (key == QLatin1String("PORT"))
            https = QStringLiteral("https://127.0.0.1:") + value;
        else if (key == QLatin1String("HTTP_PORT"))
            http = QStringLiteral("http://127.0.0.1:") + value;
        else if (key == QLatin1String("CA"))
            ca = value;
    }
    if (https.isEmpty() || http.isEmpty() || ca.isEmpty()) {
        error = QStringLiteral("the simulator's state file %1 is incomplete").arg(statePath);
        return;
    }
    // Whatever an earlier program left there, this one starts from its own fixture.
    if (!reset())
        error = QStringLiteral("the simulator at %1 did not take the fixture").arg(http);
}

ApiSim::~ApiSim()
{
    if (process.state() != QProcess::NotRunning) {
        process.terminate();
        if (!process.waitForFinished(10000))
            process.kill();
    }
}

QByteArray ApiSim::get(const QString& pathAndQuery, const QByteArray& postBody, bool post)
{
    QNetworkRequest request{QUrl(http + pathAndQuery)};
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    QNetworkReply* reply = post ? manager.post(request, postBody) : manager.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    const QByteArray body = reply->error() == QNetworkReply::NoError ? reply->readAll() : QByteArray();
    reply->deleteLater();
    return body;
}

bool ApiSim::control(const QString& query)
{
    const QJsonObject state = QJsonDocument::fromJson(get(QStringLiteral("/_control?") + query)).object();
    return !state.isEmpty() && !state.contains(QStringLiteral("errors"));
}

bool ApiSim::setFixture(const QJsonObject& fixture)
{
    return !get(QStringLiteral("/_fixture"), QJsonDocument(fixture).toJson(), true).isNull();
}

bool ApiSim::reset()
{
    return reset(starting);
}

bool ApiSim::reset(const QJsonObject& fixture)
{
    starting = fixture;
    return control(QStringLiteral("reset=1")) && setFixture(fixture);
}

QJsonArray ApiSim::takeRequests()
{
    return QJsonDocument::fromJson(get(QStringLiteral("/_requests?clear=1"))).array();
}
