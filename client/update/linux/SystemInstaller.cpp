#include "update/InstallerLauncher.h"

#include <QDebug>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

bool startSystemInstaller(const QString& path)
{
    if (!QProcess::startDetached(QStringLiteral("xdg-open"), {path})) {
        qWarning() << "The update could not be handed to the desktop:" << path;
        return false;
    }
    return true;
}

QString installerFileName(const QString& link)
{
    // The name becomes a path in the download directory: nothing that could leave it
    // ("..") or be read as an option, and no characters a desktop handler might
    // interpret.
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z0-9_][A-Za-z0-9._+~-]{0,127}$"));
    const QString name = QUrl(link, QUrl::TolerantMode).fileName();
    return plainName.match(name).hasMatch() ? name : QStringLiteral("quarnel_update");
}
