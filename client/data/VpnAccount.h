#pragma once

#include <QDateTime>
#include <QMap>
#include <QString>

// One VPN login of the subscriber: its password and the end of its subscription.
class VpnAccount
{
public:
    QString login;
    QString password;
    QDateTime expires;

    // "login||password||expires", the expiry in ISO 8601 form.
    QString toCacheLine() const;

    // Sets the entry of the line's login in accounts. Only a line of exactly three
    // parts is used (returns true); an unparsable date still creates the entry, with
    // an invalid expiry.
    static bool readCacheLine(const QString& line, QMap<QString, VpnAccount>& accounts);
};
