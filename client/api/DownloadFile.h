#pragma once

#include <QFile>
#include <QNetworkReply>
#include <QObject>
#include <QString>

#include <memory>

class QNetworkAccessManager;
class QTemporaryDir;

// Streams one download into a file of a fresh private directory under the
// client's temporary directory. The directory is kept after the object is gone:
// the update installer runs from it after the client has quit.
class DownloadFile : public QObject
{
    Q_OBJECT

public:
    explicit DownloadFile(const QString& url, QObject* parent = nullptr);
    // Deleting the object mid-transfer aborts it without a signal.
    ~DownloadFile() override;

    void start(const QString& fileName);
    QString fileName() const;

signals:
    // Fraction received, 0 to 1 (negative while the size is unknown).
    void progress(float value);
    void finished(bool success);

private slots:
    void onDownloadProgress(qint64 bytesReceived, qint64 bytesTotal);
    void onReadyRead();
    void onFinished();
    void onError(QNetworkReply::NetworkError error);

private:
    QString url;
    std::shared_ptr<QNetworkAccessManager> manager;
    QFile file;
    QNetworkReply* reply = nullptr;
    // Null when the client has no private temporary directory to put it in.
    std::unique_ptr<QTemporaryDir> tempDir;
};
