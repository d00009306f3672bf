#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What the connection controller hands to the OpenVPN configuration writer.
// The reserved members are part of the record's layout but nothing fills or reads them.
class ConfigServer
{
public:
    QStringList ports; // one "remote" line per entry
    QString protocol;  // protocol key, third word of a "remote" line
    QString host;      // server address, second word of a "remote" line
    QString reserved1;
    QString reserved2;
    QString reserved3;
    QStringList reservedList;
    QByteArray certificate;
    QByteArray key;
    QByteArray config;
    QString reserved4;
    int localPort = 0; // local stunnel endpoint of the stealth variant
};
