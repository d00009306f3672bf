#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// Stream form of the certificate table and of the key table (VPN login -> PEM bytes),
// as kept under "cachedCertif" and "cachedKeys": Qt's QMap streaming with the default
// stream version.
class PemTable
{
public:
    static QByteArray toBytes(const QMap<QString, QByteArray>& table);

    // Replaces table with the entries of bytes (none for empty bytes). A damaged or truncated stream keeps the
    // whole entries read before the damage and returns false.
    static bool fromBytes(const QByteArray& bytes, QMap<QString, QByteArray>& table);
};
