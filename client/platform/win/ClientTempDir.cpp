#include "platform/ClientTempDir.h"

#include <QDir>

namespace platform {

QString clientTempDirectory()
{
    // %TEMP% is per user on Windows.
    return QDir::tempPath();
}

} // namespace platform
