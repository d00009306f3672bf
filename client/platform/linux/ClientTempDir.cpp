#include "platform/ClientTempDir.h"

#include "platform/linux/PrivateDirectory.h"

#include <QDir>

namespace platform {

QString clientTempDirectory()
{
    static const QString dir = resolveClientTempDirectory(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath());
    return dir;
}

} // namespace platform
