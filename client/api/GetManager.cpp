#include "api/GetManager.h"

#include "api/ApiSettings.h"
#include "api/ReplyTimeout.h"

#include <QEventLoop>
#include <QNetworkReply>

namespace {

// One request plus five retries.
constexpr int maxRetries = 5;

} // namespace

GetManager::GetManager(int timeout, QObject* parent) : QObject(parent), timeout(timeout)
{
    connect(&manager, &QNetworkAccessManager::finished, this, &GetManager::slotFinished);
}

void GetManager::get(const QUrl& url, int id)
{
    Q_UNUSED(id)
    if (current != nullptr) {
        // The caller gave up on the previous request; its end must not count as an
        // attempt of this one.
        QNetworkReply* abandoned = current;
        current = nullptr;
        abandoned->abort();
    }
    success = false;
    errorString.clear();
    retries = 0;
    request = QNetworkRequest(url);
    // The answers carry private keys and the installer link, so the server has to
    // prove who it is; a failed verification is a failed attempt like any other.
    request.setSslConfiguration(api::sslConfiguration());
    getReply();
}

void GetManager::getReply()
{
    current = manager.get(request);
    new ReplyTimeout(current, timeout);
}

void GetManager::slotFinished(QNetworkReply* reply)
{
    reply->deleteLater();
    if (reply != current)
        return;
    current = nullptr;

    if (reply->error() != QNetworkReply::NoError) {
        success = false;
        errorString = reply->errorString();
    } else {
        success = true;
        errorString.clear();
        data = reply->readAll();
    }

    if (!success && retries < maxRetries) {
        ++retries;
        getReply();
        return;
    }
    emit finished(0);
}

void GetManager::slotDownloadProgress(qint64 received, qint64 total)
{
    if (total > 0)
        emit progress(static_cast<int>(received * 100 / total));
}

bool GetManager::checkInternet()
{
    // A manager of its own: the probe's reply must not pass through slotFinished,
    // where it would count as an attempt of the channel's request.
    QNetworkAccessManager probeManager;
    QNetworkReply* reply = probeManager.get(QNetworkRequest(QUrl(api::probeUrl())));
    new ReplyTimeout(reply, timeout);
    QEventLoop loop;
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (reply->isRunning())
        loop.exec();
    const bool answered = reply->bytesAvailable() > 0;
    delete reply;
    return answered;
}
