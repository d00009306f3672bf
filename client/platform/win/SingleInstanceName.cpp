#include "platform/SingleInstanceName.h"

#include <QByteArray>
#include <QCryptographicHash>

namespace platform {

QString singleInstanceServerName(const QString& privateDirectory, const QString& id)
{
    // The per-user temp directory tells the users apart without naming them.
    const QByteArray user =
        QCryptographicHash::hash(privateDirectory.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return id + QLatin1Char('-') + QString::fromLatin1(user);
}

} // namespace platform
