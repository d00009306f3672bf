#pragma once

#include "TunnelLab.h"

#include "data/LocalSettings.h"
#include "data/PemTable.h"
#include "data/ServerInfo.h"
#include "platform/ConnectionType.h"

#include <QDateTime>
#include <QMap>
#include <QSharedPointer>
#include <QStringList>

// The one location of the lab's provider: UDP to the lab's OpenVPN server. password: the
// location's VPN password (a wrong one is refused by the server).
inline ServerInfo labServer(const QString& password = TunnelLab::password)
{
    ServerInfo server;
    server.id = "Lab";
    server.flag = "xx";
    server.ip = TunnelLab::serverAddress;
    server.user = TunnelLab::userName;
    server.password = password;
    server.udpPorts = QStringList{"1194"};
    server.connectionType = static_cast<int>(ConnectionType::OpenVpnUdp);
    return server;
}

// The lab's provider as the client knows it after a sign-in: its location, its
// configuration, certificate and key in the cache, the kill switch on.
inline ServerInfo storeLabAccount(const TunnelLab& lab, const QString& password = TunnelLab::password)
{
    const ServerInfo server = labServer(password);
    const QSharedPointer<LocalSettings> settings = LocalSettings::instance();
    settings->setValue(SettingsKey::cachedConfig, lab.configText());
    const QMap<QString, QByteArray> certificates{{TunnelLab::userName, lab.clientCertificate()}};
    const QMap<QString, QByteArray> keys{{TunnelLab::userName, lab.clientKey()}};
    settings->setValue(SettingsKey::cachedCertif, PemTable::toBytes(certificates));
    settings->setValue(SettingsKey::cachedKeys, PemTable::toBytes(keys));
    settings->setValue(SettingsKey::advProtocol, "udp");
    settings->setValue(SettingsKey::killConnect, true);
    // In the cached catalogue too: the main window puts the catalogue's list on the
    // screen whenever its latencies are measured.
    settings->setValue(SettingsKey::cachedServers, QStringList{server.toCacheLine()});
    settings->setValue(SettingsKey::vpnLogin, TunnelLab::userName);
    settings->setValue(SettingsKey::cachedUsers,
                       QStringList{QString(TunnelLab::userName) + "||" + password + "||" +
                                   QDateTime::currentDateTime().addYears(1).toString(Qt::ISODate)});
    return server;
}
