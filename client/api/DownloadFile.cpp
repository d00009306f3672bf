#include "api/DownloadFile.h"

#include "api/ApiSettings.h"
#include "platform/ClientTempDir.h"

#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QTemporaryDir>
#include <QUrl>

DownloadFile::DownloadFile(const QString& url, QObject* parent)
    : QObject(parent), url(url), manager(std::make_shared<QNetworkAccessManager>())
{
    // Never the shared system temporary directory: the file is an installer that
    // the client starts, so nobody else may be able to swap it.
    const QString base = platform::clientTempDirectory();
    if (!base.isEmpty())
        tempDir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/download-XXXXXX"));
}

DownloadFile::~DownloadFile()
{
    // The manager aborts the transfer when it goes; this object is half gone by
    // then.
    if (reply != nullptr)
        disconnect(reply, nullptr, this, nullptr);
}

void DownloadFile::start(const QString& fileName)
{
    if (tempDir == nullptr || !tempDir->isValid()) {
        // The updater waits for an outcome; leaving it without one would hang its
        // dialog.
        emit finished(false);
        return;
    }
    tempDir->setAutoRemove(false);

    file.setFileName(QStringLiteral("%1/%2").arg(tempDir->path(), fileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        emit finished(false);
        return;
    }

    QNetworkRequest request(QUrl(url, QUrl::TolerantMode));
    request.setSslConfiguration(api::sslConfiguration());
    reply = manager->get(request);
    connect(reply, &QNetworkReply::downloadProgress, this, &DownloadFile::onDownloadProgress);
    connect(reply, &QNetworkReply::errorOccurred, this, &DownloadFile::onError);
    connect(reply, &QNetworkReply::finished, this, &DownloadFile::onFinished);
    connect(reply, &QNetworkReply::readyRead, this, &DownloadFile::onReadyRead);
}

QString DownloadFile::fileName() const
{
    return file.fileName();
}

void DownloadFile::onDownloadProgress(qint64 bytesReceived, qint64 bytesTotal)
{
    emit progress(static_cast<float>(bytesReceived) / static_cast<float>(bytesTotal));
}

void DownloadFile::onReadyRead()
{
    if (file.isOpen())
        file.write(reply->readAll());
}

void DownloadFile::onFinished()
{
    // Bytes that arrived together with the end have not been through onReadyRead.
    onReadyRead();
    file.close();
    const bool ok = reply->error() == QNetworkReply::NoError;
    reply->deleteLater();
    reply = nullptr;
    emit finished(ok);
}

void DownloadFile::onError(QNetworkReply::NetworkError error)
{
    // onFinished reports the outcome.
    Q_UNUSED(error)
}
