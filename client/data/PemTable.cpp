#include "PemTable.h"

#include <QDataStream>

QByteArray PemTable::toBytes(const QMap<QString, QByteArray>& table)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << table;
    return bytes;
}

bool PemTable::fromBytes(const QByteArray& bytes, QMap<QString, QByteArray>& table)
{
    // Qt's own QMap reader empties the map when the stream breaks off; reading the same
    // layout here keeps the logins whose certificate or key arrived whole.
    table.clear();
    if (bytes.isEmpty())
        return true; // nothing cached yet
    QDataStream stream(bytes);
    quint32 count = 0;
    stream >> count;
    if (stream.status() != QDataStream::Ok)
        return false;
    for (quint32 i = 0; i < count; ++i) {
        QString login;
        QByteArray pem;
        stream >> login >> pem;
        if (stream.status() != QDataStream::Ok)
            return false;
        table.insert(login, pem);
    }
    return true;
}
