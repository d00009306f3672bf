#include "connection/Connection.h"

#include "log/Log.h"
#include "connection/OpenVPNConnectorQt.h"
#include "data/ServerInfo.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMutex>
#include <QMutexLocker>
#include <QTimerEvent>

namespace {

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
    if (server.connectionType == 4 || server.connectionType == 5) {
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
    switch (code) {
    case 0:
        return QStringLiteral("Invalid username or password");
    case 1:
        return QStringLiteral("Not open openvpn socket");
    case 2:
        return QStringLiteral("Can not alocate TUN");
    case 3:
        return QStringLiteral("Can not connect to helper");
    case 4:
        return QStringLiteral("Can not write to helper");
    default:
        return QStringLiteral("Code error: %1").arg(code);
    }
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
