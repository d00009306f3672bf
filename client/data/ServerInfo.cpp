#include "ServerInfo.h"

#include <QByteArray>
#include <QDomElement>
#include <QSet>

namespace {

[[maybe_unused]] const int serverInfoTypeId = ServerInfo::registerMetaType();

// "0" as the first entry means the location has no port for the transport.
QStringList portList(const QString& text)
{
    if (text.isEmpty())
        return QStringList();
    const QStringList ports = text.split(QLatin1Char(','), Qt::KeepEmptyParts);
    if (ports.first() == QLatin1String("0"))
        return QStringList();
    return ports;
}

} // namespace

int ServerInfo::registerMetaType()
{
    return qRegisterMetaType<ServerInfo>("ServerInfo");
}

QString ServerInfo::decodeAttribute(const QDomElement& element, const QString& attribute)
{
    // The default (non-aborting) decoder skips characters outside the alphabet.
    QByteArray bytes = QByteArray::fromBase64(element.attribute(attribute).toLatin1());
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return QString::fromUtf8(bytes);
}

ServerInfo ServerInfo::fromApiElement(const QDomElement& element, QMap<QString, VpnAccount>& accounts)
{
    ServerInfo server;
    server.id = decodeAttribute(element, QStringLiteral("name"));
    server.name = server.id;
    server.ip = decodeAttribute(element, QStringLiteral("ip"));
    server.flag = decodeAttribute(element, QStringLiteral("flag"));
    server.user = decodeAttribute(element, QStringLiteral("user"));
    server.sni = decodeAttribute(element, QStringLiteral("sni"));
    server.brume = decodeAttribute(element, QStringLiteral("brume"));
    server.tcpPorts = portList(decodeAttribute(element, QStringLiteral("tcp")));
    server.udpPorts = portList(decodeAttribute(element, QStringLiteral("udp")));
    server.sslPort = decodeAttribute(element, QStringLiteral("ssl")).toInt();
    server.group = decodeAttribute(element, QStringLiteral("group")).toInt() == 2 ? 2 : 1;
    // The login's own entry may come later in the same answer; until then it is empty.
    server.password = accounts[server.user].password;
    server.ping = 0;
    server.marked = false;
    server.connectionType = 4;
    return server;
}

QString ServerInfo::toCacheLine() const
{
    // Joined rather than filled in with chained arg() calls: those would substitute a
    // "%2" inside one value with the next value.
    const QStringList fields{id,
                             flag,
                             name,
                             ip,
                             marked ? QStringLiteral("1") : QStringLiteral("0"),
                             user,
                             password,
                             tcpPorts.join(QLatin1Char('.')),
                             udpPorts.join(QLatin1Char('.')),
                             QString::number(connectionType),
                             QString::number(sslPort),
                             QString::number(group),
                             sni,
                             brume};
    return fields.join(QLatin1Char(';'));
}

ServerInfo ServerInfo::fromCacheLine(const QString& line)
{
    // References into the line: only the kept fields become strings of their own.
    ServerInfo server;
    const QVector<QStringRef> parts = line.splitRef(QLatin1Char(';'), Qt::KeepEmptyParts);
    if (parts.size() < 10)
        return server;
    server.id = parts.at(0).toString();
    server.flag = parts.at(1).toString();
    server.name = parts.at(2) == parts.at(0) ? server.id : parts.at(2).toString();
    server.ip = parts.at(3).toString();
    server.marked = parts.at(4).toInt() != 0;
    server.user = parts.at(5).toString();
    server.password = parts.at(6).toString();
    server.tcpPorts = parts.at(7).toString().split(QLatin1Char('.'), Qt::KeepEmptyParts);
    server.udpPorts = parts.at(8).toString().split(QLatin1Char('.'), Qt::KeepEmptyParts);
    server.connectionType = parts.at(9).toInt();
    if (parts.size() > 10)
        server.sslPort = parts.at(10).toInt();
    if (parts.size() > 11)
        server.group = parts.at(11).toInt();
    if (parts.size() > 12)
        server.sni = parts.at(12).toString();
    if (parts.size() > 13)
        server.brume = parts.at(13).toString();
    return server;
}

void ServerInfo::shareRepeatedText(QList<ServerInfo>& servers)
{
    QSet<QString> seen;
    const auto share = [&seen](QString& text) {
        const auto found = seen.constFind(text);
        if (found != seen.constEnd())
            text = *found;
        else
            seen.insert(text);
    };
    for (ServerInfo& server : servers) {
        share(server.flag);
        share(server.user);
        share(server.password);
        share(server.sni);
        share(server.groupTitle);
    }
}
