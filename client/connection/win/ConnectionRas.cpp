#include "connection/Connection.h"

#include "log/Log.h"
#include "data/ServerInfo.h"
#include "platform/ConnectionType.h"
#include "platform/win/RasDialer.h"

#include <windows.h>

#include <raserror.h>

#include <vector>

using win32::RasDialer;

namespace {

// Runs on a RAS thread.
VOID WINAPI onRasDial(UINT /*message*/, RASCONNSTATE state, DWORD errorCode)
{
    const std::wstring errorText = errorCode != 0 ? RasDialer::errorText(errorCode) : std::wstring();
    const RasDialer::Notification next = RasDialer::notification(Connection::rasStatus().toStdWString(),
                                                                 static_cast<unsigned>(state), errorCode, errorText);
    Connection::rasNotified(QString::fromStdWString(next.status), next.event);
}

} // namespace

void Connection::dialRas(const ServerInfo& server, const QString& userName, const QString& password)
{
    std::vector<win32::RasDevice> devices;
    DWORD result = RasDialer::enumDevices(devices);
    if (result != ERROR_SUCCESS) {
        const QString text = QStringLiteral("RasEnumDevices return error code: ") + QString::number(result);
        appendLog(text);
        emit logUpdate(text);
        emit error(QStringLiteral("RasEnumDevices return error code"));
        return;
    }

    const auto type = static_cast<ConnectionType>(server.connectionType);
    const QString attempt =
        type == ConnectionType::Pptp ? QStringLiteral("Do connect to PPTP") : QStringLiteral("Do connect to L2TP");
    appendLog(attempt);
    emit logUpdate(attempt);

    const int device = RasDialer::findVpnDevice(devices);
    if (device < 0) {
        const QString text = QStringLiteral("Unable to find device with VPN PPTP");
        appendLog(text);
        emit error(text);
        emit logUpdate(text);
        return;
    }

    const RASENTRYW entry =
        RasDialer::phoneBookEntry(type, server.ip.toStdWString(), devices[static_cast<size_t>(device)]);
    if (RasDialer::writeEntry(entry) != ERROR_SUCCESS) {
        const QString text = QStringLiteral("RasSetEntryProperties return error code");
        emit error(text);
        emit logUpdate(text);
        return;
    }
    if (type == ConnectionType::L2tp) {
        RasDialer::writePreSharedKey();
    }

    RASDIALPARAMSW params = RasDialer::dialParams(userName.toStdWString(), password.toStdWString());
    result = RasDialer::writeDialParams(params);
    if (result != ERROR_SUCCESS) {
        SecureZeroMemory(&params, sizeof(params));
        const QString text = QStringLiteral("RasSetEntryDialParams return error code: ") + QString::number(result);
        appendLog(text);
        emit error(QStringLiteral("RasSetEntryDialParams return error code"));
        emit logUpdate(text);
        return;
    }

    HRASCONN handle = nullptr;
    result = RasDialer::dial(params, onRasDial, handle);
    SecureZeroMemory(&params, sizeof(params));
    if (result != ERROR_SUCCESS) {
        rasHandle = nullptr;
        const QString text = QStringLiteral("RasDial return error code: ") + QString::number(result);
        appendLog(text);
        emit error(QStringLiteral("RasDial return error code"));
        emit logUpdate(text);
        return;
    }
    rasHandle = handle;
}

void Connection::hangUpRas()
{
    RasDialer::hangUp(static_cast<HRASCONN>(rasHandle));
}

void Connection::sampleRasStatistics()
{
    const auto handle = static_cast<HRASCONN>(rasHandle);
    if (handle == nullptr || RasDialer::connectionStatus(handle) == ERROR_INVALID_HANDLE) {
        rasConnectionGone();
        return;
    }
    DWORD received = 0;
    DWORD sent = 0;
    if (RasDialer::linkStatistics(handle, received, sent) != ERROR_SUCCESS) {
        return;
    }
    rasSample(received, sent);
}
