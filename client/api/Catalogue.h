#pragma once

#include "data/ServerInfo.h"
#include "data/VpnAccount.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// What the web API tells about the subscriber's locations and VPN logins, kept
// together so that the answer readers fill it in one place.
class Catalogue
{
public:
    QList<ServerInfo> serverList;
    // Login table, ordered by login.
    QMap<QString, VpnAccount> accounts;
    QByteArray config;
    // PEM text per VPN login.
    QMap<QString, QByteArray> certificates;
    QMap<QString, QByteArray> keys;
};
