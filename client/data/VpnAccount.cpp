#include "VpnAccount.h"

#include <QStringList>

QString VpnAccount::toCacheLine() const
{
    // Multi-argument arg(): one pass, so a "%1" inside a password is not substituted again.
    return QStringLiteral("%1||%2||%3").arg(login, password, expires.toString(Qt::ISODate));
}

bool VpnAccount::readCacheLine(const QString& line, QMap<QString, VpnAccount>& accounts)
{
    const QStringList parts = line.split(QStringLiteral("||"), Qt::KeepEmptyParts);
    if (parts.size() != 3)
        return false;
    VpnAccount& account = accounts[parts.at(0)];
    account.login = parts.at(0);
    account.password = parts.at(1);
    account.expires = QDateTime::fromString(parts.at(2), Qt::ISODate);
    return true;
}
