#pragma once

#include <QObject>
#include <QString>

#include <memory>

class DownloadFile;
class NetworkManager;

// Keeps the client current: asks the web API for the latest version, decides whether
// it is newer than this one, downloads its installer and hands it to the system. The
// main window owns one updater per check and drives the dialogs from its signals.
class SoftwareUpdater : public QObject
{
    Q_OBJECT

public:
    // A null network means the process-wide NetworkManager.
    explicit SoftwareUpdater(NetworkManager* network = nullptr, QObject* parent = nullptr);
    ~SoftwareUpdater() override;

    // A version text as one comparable number: "a.b.c" is a × 100000 + b × 1000 + c
    // (parts past the third ignored, a part that is not a number counts 0), while a
    // text without a dot is its own value, so "4" is 4.
    static qint64 versionNumber(const QString& version);

signals:
    void newUpdate();
    // The check got no usable answer.
    void versionError();
    void remoteVersion(QString version);
    // Fraction of the installer received, 0 to 1 (negative while the size is unknown).
    void progressDownload(float value);
    // The full path of the downloaded installer; it is started right after.
    void downloadComplited(QString path);
    void downloadFailed();
    void installFailed();

public slots:
    void check();
    // Always ends in downloadComplited or downloadFailed, from the event loop, unless
    // cancelled first.
    void downloadUpdate();
    // Aborts the download and drops what it wrote; no signal follows. An installer that
    // has been handed to the system is left alone.
    void cancelDownloadUpdate();

private slots:
    void onProgrammUpdate(QString version, QString link, bool success);
    void onDownloadFinished(bool success);

private:
    // Starts the installer at `path`; false, with the file gone, when it could not be.
    static bool installUpdate(const QString& path);
    // Drops a download that did not lead to an install, with its directory.
    static void removeDownload(const QString& path);
    void failDownloadLater();

    NetworkManager* network;
    QString link;
    QString version;
    std::shared_ptr<DownloadFile> download;
    // Tells the outcome of the current download from one of a download that was
    // cancelled or replaced while its outcome was on its way.
    quint64 downloadSerial = 0;
};
