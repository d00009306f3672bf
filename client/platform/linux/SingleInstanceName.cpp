#include "platform/SingleInstanceName.h"

namespace platform {

QString singleInstanceServerName(const QString& privateDirectory, const QString& id)
{
    // A full path makes QLocalServer use it as is instead of a name under /tmp.
    return privateDirectory + QLatin1Char('/') + id + QStringLiteral(".socket");
}

} // namespace platform
