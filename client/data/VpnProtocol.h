#pragma once

#include <QList>
#include <QString>
#include <QVector>

#include "data/ServerInfo.h"

class LocalSettings;

// One row of the static protocol table. The table ends with a terminator row
// (id -1, empty key, no label), which is also what a failed lookup returns.
class VpnProtocol
{
public:
    enum Id
    {
        None = -1,
        Udp = 4,
        Tcp = 5,
        Stealth = 6,
        Brume = 7,
    };

    int id = None;
    QString key;                 // value of "advProtocol"
    const char* label = nullptr; // untranslated; context "VpnProtocol"

    bool isValid() const { return id != None; }

    // The label through the translation layer; empty for the terminator.
    QString translatedLabel() const;

    // The rows in display order, without the terminator.
    static const QVector<VpnProtocol>& protocols();

    // Copy of the row with exactly this key (case-sensitive), or the terminator.
    static VpnProtocol fromKey(const QString& key);

    // Id of the protocol stored under "advProtocol" (-1 when not in the table). An
    // empty value means "tcp", which is then stored.
    static int currentProtocolId(LocalSettings& settings);
    static int currentProtocolId();

    // Whether the stored protocol is stealth; an empty value counts as "tcp" and is
    // left as it is.
    static bool isStealth(const LocalSettings& settings);
    static bool isStealth();

    // Whether server has what protocolId needs. Ids outside the table impose nothing,
    // so a selected server is never dropped for them.
    static bool serverOffers(const ServerInfo& server, int protocolId);

    // Ids of the table, in table order, that at least one of servers offers.
    static QList<int> availableProtocolIds(const QList<ServerInfo>& servers);
};
