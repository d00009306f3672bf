#include "platform/linux/PrivateDirectory.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool isPrivateDirectory(const struct stat& st)
{
    return S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 077) == 0;
}

} // namespace

bool ensurePrivateDirectory(const QString& path)
{
    if (path.isEmpty()) {
        return false;
    }
    const QByteArray native = QFile::encodeName(path);
    if (mkdir(native.constData(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    // lstat: a link planted at this name is refused, never followed.
    struct stat st;
    return lstat(native.constData(), &st) == 0 && isPrivateDirectory(st);
}

QString resolveClientTempDirectory(const QString& runtimeDir, const QString& systemTemp)
{
    if (runtimeDir.startsWith(QLatin1Char('/'))) {
        // The runtime directory itself may be reached through a link; it must belong to
        // us and be closed to others, as the XDG base directory rules require.
        struct stat st;
        if (stat(QFile::encodeName(runtimeDir).constData(), &st) == 0 && isPrivateDirectory(st)) {
            const QString dir = runtimeDir + QStringLiteral("/quarnel");
            if (ensurePrivateDirectory(dir)) {
                return dir;
            }
        }
    }

    if (systemTemp.isEmpty()) {
        return QString();
    }
    const QString base = systemTemp + QStringLiteral("/quarnel-") + QString::number(geteuid());
    if (ensurePrivateDirectory(base)) {
        return base;
    }
    // Someone else holds the fixed name: take a fresh, unpredictable one instead.
    QByteArray pattern = QFile::encodeName(base + QStringLiteral("-XXXXXX"));
    if (mkdtemp(pattern.data()) != nullptr) {
        return QFile::decodeName(pattern);
    }
    return QString();
}

} // namespace platform
