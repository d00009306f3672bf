#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QObject>
#include <QString>
#include <QUrl>

#include <utility>

class QNetworkReply;

// One request channel to the web API: a GET that is tried up to six times (no
// pause between attempts, each attempt cut after `timeout` ms) and whose whole
// answer is kept in memory. One request at a time; `finished(0)` tells the
// handler to look at isSuccess(), getData() and getErrorString().
class GetManager : public QObject
{
    Q_OBJECT

public:
    GetManager(int timeout, QObject* parent);

    // Starts a new request; `id` is not used.
    void get(const QUrl& url, int id = 0);

    // Whether a public web page answers at all (see api::probeUrl()); waits in a
    // local event loop for at most `timeout` ms, during which other events are
    // delivered.
    bool checkInternet();

    bool isSuccess() const { return success; }
    const QByteArray& getData() const { return data; }
    // The answer, handed over: the channel keeps no copy of it.
    QByteArray takeData() { return std::exchange(data, QByteArray()); }
    const QString& getErrorString() const { return errorString; }

signals:
    void finished(int);
    // Declared for the channel's users; no reply is connected to it.
    void progress(int percent);

public slots:
    void getReply();
    void slotFinished(QNetworkReply* reply);
    void slotDownloadProgress(qint64 received, qint64 total);

private:
    QNetworkAccessManager manager;
    bool success = false;
    QString errorString;
    QByteArray data;
    int timeout;
    int retries = 0;
    QNetworkRequest request;
    // The attempt in flight; a reply of an abandoned request is not counted.
    QNetworkReply* current = nullptr;
};
