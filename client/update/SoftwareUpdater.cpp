#include "update/SoftwareUpdater.h"

#include "Version.h"
#include "api/DownloadFile.h"
#include "api/NetworkManager.h"
#include "update/InstallerLauncher.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QUrl>

SoftwareUpdater::SoftwareUpdater(NetworkManager* network, QObject* parent)
    : QObject(parent), network(network != nullptr ? network : NetworkManager::instance())
{
}

SoftwareUpdater::~SoftwareUpdater() = default;

qint64 SoftwareUpdater::versionNumber(const QString& version)
{
    const QStringList parts = version.split(QLatin1Char('.'));
    const auto part = [&parts](int index) { return static_cast<qint64>(parts.at(index).toInt(nullptr, 10)); };
    if (parts.size() == 1)
        return part(0);
    qint64 number = part(0) * 100000 + part(1) * 1000;
    if (parts.size() >= 3)
        number += part(2);
    return number;
}

void SoftwareUpdater::check()
{
    link.clear();
    connect(network, &NetworkManager::programUpdate, this, &SoftwareUpdater::onProgrammUpdate, Qt::UniqueConnection);
    network->programUpdateRequest();
}

void SoftwareUpdater::onProgrammUpdate(QString version, QString link, bool success)
{
    if (!success || version.isEmpty() || link.isEmpty()) {
        emit versionError();
        return;
    }
    const qint64 own = versionNumber(QString::fromLatin1(clientVersion));
    const qint64 remote = versionNumber(version);
    emit remoteVersion(version);
    if (own >= remote)
        return;
    this->version = version;
    this->link = link;
    emit newUpdate();
}

void SoftwareUpdater::downloadUpdate()
{
    const quint64 serial = ++downloadSerial;
    download.reset();
    // The certificate check of the download is what vouches for the installer (on
    // Linux the only check before the package installer), so a plain-HTTP link is
    // never fetched.
    const QUrl url(link, QUrl::TolerantMode);
    if (url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) != 0 || url.host().isEmpty()) {
        qWarning() << "Not downloading the update from" << link;
        failDownloadLater();
        return;
    }
    download = std::make_shared<DownloadFile>(link);
    connect(download.get(), &DownloadFile::progress, this, &SoftwareUpdater::progressDownload);
    // Queued: start() reports a file it cannot create at once, while the caller is
    // still setting up its progress dialog.
    connect(
        download.get(), &DownloadFile::finished, this,
        [this, serial](bool success) {
            if (serial == downloadSerial)
                onDownloadFinished(success);
        },
        Qt::QueuedConnection);
    download->start(installerFileName(link));
}

void SoftwareUpdater::failDownloadLater()
{
    const quint64 serial = downloadSerial;
    QTimer::singleShot(0, this, [this, serial] {
        if (serial == downloadSerial)
            emit downloadFailed();
    });
}

void SoftwareUpdater::cancelDownloadUpdate()
{
    ++downloadSerial;
    if (download == nullptr)
        return;
    const QString path = download->fileName();
    // Deleting the download deletes its network access manager, which aborts the
    // transfer and closes the file.
    download.reset();
    removeDownload(path);
}

void SoftwareUpdater::onDownloadFinished(bool success)
{
    // The transfer is over either way. Taken out first, so that a cancel from a
    // receiver below cannot delete an installer that is about to start.
    const std::shared_ptr<DownloadFile> finished = std::move(download);
    const QString path = finished->fileName();
    if (!success) {
        removeDownload(path);
        emit downloadFailed();
        return;
    }
    // The receiver may end the client, and with it this updater; the installer is
    // started all the same.
    const QPointer<SoftwareUpdater> self(this);
    emit downloadComplited(path);
    if (!installUpdate(path) && self)
        emit self->installFailed();
}

bool SoftwareUpdater::installUpdate(const QString& path)
{
    if (launchInstaller(QDir::toNativeSeparators(path)))
        return true;
    removeDownload(path);
    return false;
}

void SoftwareUpdater::removeDownload(const QString& path)
{
    if (path.isEmpty())
        return;
    QFile::remove(path);
    // The download's own directory; left alone unless it is empty.
    QDir().rmdir(QFileInfo(path).absolutePath());
}
