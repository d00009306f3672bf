#include "connection/Connection.h"

#include "data/ServerInfo.h"

// RAS exists only on Windows: a PPTP or L2TP record fails through the normal error path.

void Connection::dialRas(const ServerInfo& /*server*/, const QString& /*userName*/, const QString& /*password*/)
{
    const QString text = QStringLiteral("PPTP/L2TP connections are not supported on this system");
    emit error(text);
    emit logUpdate(text);
}

void Connection::hangUpRas() {}

void Connection::sampleRasStatistics()
{
    rasConnectionGone();
}
