#include "connection/Connection.h"

#include "log/Log.h"
#include "connection/ConnectorError.h"
#include "connection/OpenVPNConnectorQt.h"
#include "data/ServerInfo.h"
#include "data/VpnProtocol.h"
#include "platform/ConnectionType.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMutex>
#include <QMutexLocker>
#include <QTimerEvent>

namespace {

static_assert(static_cast<int>(ConnectionType::OpenVpnUdp) == VpnProtocol::Udp &&
                  static_cast<int>(ConnectionType::OpenVpnTcp) == VpnProtocol::Tcp,
              "the OpenVPN connection types are the protocol ids of the protocol table");

OpenVPNConnectorQt* processConnector = nullptr;

// Shared with the RAS notification thread; the lock also keeps the front from being
// destroyed while an event is being posted to it.
QMutex rasLock;
Connection* rasTarget = nullptr;
QString rasStatusText;

} // namespace

Connection::Connection(QObject* parent) : QObject(parent)
{
    processConnector = new OpenVPNConnectorQt();
    {
        QMutexLocker locker(&rasLock);
        rasTarget = this;
    }
    QObject::connect(processConnector, &OpenVPNConnectorQt::connected, this, &Connection::onOvpnConnected);
    QObject::connect(processConnector, &OpenVPNConnectorQt::error, this, &Connection::onOvpnError);
    QObject::connect(processConnector, &OpenVPNConnectorQt::disconnected, this, &Connection::onOvpnDisconnected);
    QObject::connect(processConnector, &OpenVPNConnectorQt::statisticsUpdated, this, &Connection::onStatisticsUpdate);
    QObject::connect(processConnector, &OpenVPNConnectorQt::log, this, &Connection::onOvpnLogUpdate);
}

Connection::~Connection()
{
    {
        QMutexLocker locker(&rasLock);
        if (rasTarget == this) {
            rasTarget = nullptr;
        }
    }
    processConnector->stop();
    delete processConnector;
    processConnector = nullptr;
}

void Connection::connect(const ServerInfo& server, const QString& userName, const QString& password,
                         const QString& configPath)
{
    const auto type = static_cast<ConnectionType>(server.connectionType);
    if (type == ConnectionType::OpenVpnUdp || type == ConnectionType::OpenVpnTcp) {
        processConnector->startOpenVPN(configPath, userName, password);
        return;
    }
    dialRas(server, userName, password);
}

void Connection::disconnect()
{
    if (rasHandle != nullptr) {
        hangUpRas();
        stopStatisticsTimer();
        rasHandle = nullptr;
        emit disconnected(false);
    }
    processConnector->stop();
}

OpenVPNConnectorQt* Connection::connector()
{
    return processConnector;
}

QString Connection::errorMessage(int code)
{
    switch (static_cast<ConnectorError>(code)) {
    case ConnectorError::AuthFailed:
        return tr("Invalid username or password");
    case ConnectorError::ManagementUnreachable:
        return tr("Not open openvpn socket");
    case ConnectorError::NoTunAdapter:
        return tr("Can not alocate TUN");
    case ConnectorError::ServiceUnreachable:
        return tr("Can not connect to helper");
    case ConnectorError::ServiceExchangeFailed:
        return tr("Can not write to helper");
    case ConnectorError::NoFreePort:
        return tr("Can not find a free local port for OpenVPN");
    case ConnectorError::ProxyAuthRequired:
        return tr("Proxy requires authentication");
    case ConnectorError::NetworkWriteFailed:
        return tr("Can not send data to the VPN server");
    case ConnectorError::ConnectFailed:
        return tr("Can not complete the connection to the VPN server");
    case ConnectorError::BrumeFailed:
        return tr("Can not start Brume");
    }
    return tr("Code error: %1").arg(code);
}

QString Connection::rasStatus()
{
    QMutexLocker locker(&rasLock);
    return rasStatusText;
}

void Connection::rasNotified(const QString& status, int event)
{
    {
        QMutexLocker locker(&rasLock);
        rasStatusText = status;
        if (event != 0 && rasTarget != nullptr) {
            QCoreApplication::postEvent(rasTarget, new QEvent(static_cast<QEvent::Type>(event)));
        }
    }
    appendLog(status);
}

void Connection::onOvpnConnected()
{
    emit connected();
    firstSample = true;
    previousReceived = 0;
    previousSent = 0;
}

void Connection::onOvpnError(int code)
{
    emit error(errorMessage(code));
}

void Connection::onOvpnDisconnected()
{
    emit disconnected(false);
}

void Connection::onStatisticsUpdate(quint64 in, quint64 out)
{
    emitStatistics(static_cast<quint32>(in), static_cast<quint32>(out));
}

void Connection::onOvpnLogUpdate(QString text)
{
    emit logUpdate(text);
}

void Connection::customEvent(QEvent* event)
{
    if (event->type() == static_cast<QEvent::Type>(RasConnectedEvent)) {
        emit connected();
        firstSample = true;
        previousReceived = 0;
        previousSent = 0;
        stopStatisticsTimer();
        statisticsTimerId = startTimer(1000, Qt::CoarseTimer);
    } else if (event->type() == static_cast<QEvent::Type>(RasFailedEvent)) {
        disconnect();
        emit error(rasStatus());
    }
}

void Connection::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == statisticsTimerId) {
        sampleRasStatistics();
    }
}

void Connection::rasSample(quint32 received, quint32 sent)
{
    if (firstSample) {
        firstSample = false;
        previousReceived = received;
        previousSent = sent;
        return;
    }
    emitStatistics(received, sent);
}

void Connection::rasConnectionGone()
{
    rasHandle = nullptr;
    stopStatisticsTimer();
    emit disconnected(false);
}

void Connection::emitStatistics(quint32 received, quint32 sent)
{
    // Unsigned 32-bit arithmetic: a counter that passes 4 GiB still gives the right delta.
    const quint32 download = received - previousReceived;
    const quint32 upload = sent - previousSent;
    previousReceived = received;
    previousSent = sent;
    emit statisticsChanged(download, upload, received, sent);
}

void Connection::stopStatisticsTimer()
{
    if (statisticsTimerId != 0) {
        killTimer(statisticsTimerId);
        statisticsTimerId = 0;
    }
}
