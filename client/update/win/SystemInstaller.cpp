#include "update/InstallerLauncher.h"

#include "platform/SignatureCheck.h"

#include <QDebug>
#include <QDir>

#include <string>

bool startSystemInstaller(const QString& path)
{
    const std::wstring program = QDir::toNativeSeparators(path).toStdWString();
    switch (platform::startSignedProgram(program, L"/VERYSILENT")) {
    case platform::SignedStart::Started:
        return true;
    case platform::SignedStart::NotSigned:
        qWarning() << "The update has no valid signature:" << path;
        return false;
    case platform::SignedStart::NotStarted:
        break;
    }
    qWarning() << "The update could not be started:" << path;
    return false;
}

QString installerFileName(const QString& link)
{
    Q_UNUSED(link)
    return QStringLiteral("quarnel_update.exe");
}
