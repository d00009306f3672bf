#include "VpnProtocol.h"

#include <QCoreApplication>

#include "data/LocalSettings.h"

namespace {

const char* const context = "VpnProtocol";

const VpnProtocol& terminator()
{
    static const VpnProtocol row;
    return row;
}

QString storedKey(const LocalSettings& settings)
{
    return settings.value(QLatin1String(SettingsKey::advProtocol)).toString();
}

} // namespace

QString VpnProtocol::translatedLabel() const
{
    if (!label)
        return QString();
    return QCoreApplication::translate(context, label);
}

const QVector<VpnProtocol>& VpnProtocol::protocols()
{
    static const QVector<VpnProtocol> rows{
        {Tcp, QStringLiteral("tcp"), QT_TRANSLATE_NOOP("VpnProtocol", "OpenVPN TCP (safer)")},
        {Udp, QStringLiteral("udp"), QT_TRANSLATE_NOOP("VpnProtocol", "OpenVPN UDP (faster)")},
        {Stealth, QStringLiteral("stealth"), QT_TRANSLATE_NOOP("VpnProtocol", "Imitation HTTPS")},
        {Brume, QStringLiteral("brume"), QT_TRANSLATE_NOOP("VpnProtocol", "Brume")},
    };
    return rows;
}

VpnProtocol VpnProtocol::fromKey(const QString& key)
{
    for (const VpnProtocol& row : protocols()) {
        if (row.key == key)
            return row;
    }
    return terminator();
}

int VpnProtocol::currentProtocolId(LocalSettings& settings)
{
    QString key = storedKey(settings);
    if (key.isEmpty()) {
        key = QStringLiteral("tcp");
        settings.setValue(QLatin1String(SettingsKey::advProtocol), key);
    }
    return fromKey(key).id;
}

int VpnProtocol::currentProtocolId()
{
    return currentProtocolId(*LocalSettings::instance());
}

bool VpnProtocol::isStealth(const LocalSettings& settings)
{
    QString key = storedKey(settings);
    if (key.isEmpty())
        key = QStringLiteral("tcp");
    return fromKey(key).id == Stealth;
}

bool VpnProtocol::isStealth()
{
    return isStealth(*LocalSettings::instance());
}

bool VpnProtocol::serverOffers(const ServerInfo& server, int protocolId)
{
    switch (protocolId) {
    case Udp:
        return !server.udpPorts.isEmpty();
    case Tcp:
        return !server.tcpPorts.isEmpty();
    case Stealth:
        return server.sslPort > 0;
    case Brume:
        return !server.brume.isEmpty();
    default:
        return true;
    }
}

QList<int> VpnProtocol::availableProtocolIds(const QList<ServerInfo>& servers)
{
    QList<int> ids;
    for (const VpnProtocol& row : protocols()) {
        for (const ServerInfo& server : servers) {
            if (serverOffers(server, row.id)) {
                ids.append(row.id);
                break;
            }
        }
    }
    return ids;
}
