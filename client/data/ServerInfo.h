#pragma once

#include <QList>
#include <QMap>
#include <QMetaType>
#include <QString>
#include <QStringList>

#include "data/VpnAccount.h"

class QDomElement;

// One VPN location of the catalogue.
class ServerInfo
{
public:
    QString id;
    QString flag;
    QString name;
    QString ip;
    QString user;
    QString password;
    QStringList tcpPorts;
    QStringList udpPorts;
    int ping = 0;
    bool marked = false;
    int sslPort = 0;
    QString groupTitle;
    int group = 0;
    int connectionType = 0;
    QString sni;
    QString brume;

    // Records are matched by location id alone (latency merge).
    bool operator==(const ServerInfo& other) const { return id == other.id; }
    bool operator!=(const ServerInfo& other) const { return id != other.id; }

    // Makes a record from a <vpn> element of the web API, whose attribute values are
    // Base64. The password comes from the login table; a login the table lacks gets
    // an empty entry there.
    static ServerInfo fromApiElement(const QDomElement& element, QMap<QString, VpnAccount>& accounts);

    // The value of a Base64 attribute: decoded, read as UTF-8 up to the first NUL.
    // Characters outside the Base64 alphabet are skipped; a missing attribute is empty.
    static QString decodeAttribute(const QDomElement& element, const QString& attribute);

    // One line of the "cachedServers" list: 14 fields separated by ";", unescaped.
    // ping and groupTitle are not kept.
    QString toCacheLine() const;

    // Reads a line of toCacheLine(). A line of fewer than 10 fields gives a default
    // record; fields 11 to 14 are optional.
    static ServerInfo fromCacheLine(const QString& line);

    // Makes equal texts of a list one shared string (the login, its password and the
    // flag repeat over thousands of locations). Nothing a record holds changes.
    static void shareRepeatedText(QList<ServerInfo>& servers);

    // Registers the type for queued connections under the name "ServerInfo".
    // Also done when the library is loaded; calling it again is harmless.
    static int registerMetaType();
};

Q_DECLARE_METATYPE(ServerInfo)
