#include "platform/win/RasDialer.h"

#include <raserror.h>

#include <algorithm>
#include <cwctype>

namespace win32 {

namespace {

// MS-CHAP v2, secured local files, required data encryption, encrypted passwords and
// the default route through the tunnel: what the servers expect of every entry.
constexpr DWORD entryOptions = RASEO_RequireMsCHAP2 | RASEO_SecureLocalFiles | RASEO_RequireDataEncryption |
                               RASEO_RequireMsEncryptedPw | RASEO_RequireEncryptedPw | RASEO_RemoteDefaultGateway;
constexpr DWORD entryOptions2 =
    RASEO2_ReconnectIfDropped | RASEO2_DontNegotiateMultilink | RASEO2_SecureClientForMSNet | RASEO2_SecureFileAndPrint;
// 2 is ET_RequireMax in the SDK headers: the strongest encryption is required.
constexpr DWORD entryEncryption = 2;

template <size_t N> void copyText(WCHAR (&field)[N], const std::wstring& text)
{
    const size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.data(), length, field);
    field[length] = L'\0';
}

struct StateName
{
    unsigned state;
    const wchar_t* name;
};

constexpr StateName stateNames[] = {
    {RASCS_OpenPort, L"OpenPort"},
    {RASCS_PortOpened, L"PortOpened"},
    {RASCS_ConnectDevice, L"ConnectDevice"},
    {RASCS_DeviceConnected, L"DeviceConnected"},
    {RASCS_AllDevicesConnected, L"AllDevicesConnected"},
    {RASCS_Authenticate, L"Authenticate"},
    {RASCS_AuthNotify, L"AuthNotify"},
    {RASCS_AuthRetry, L"AuthRetry"},
    {RASCS_AuthCallback, L"AuthCallback"},
    {RASCS_AuthChangePassword, L"AuthChangePassword"},
    {RASCS_AuthProject, L"AuthProject"},
    {RASCS_AuthLinkSpeed, L"AuthLinkSpeed"},
    {RASCS_AuthAck, L"AuthAck"},
    {RASCS_ReAuthenticate, L"ReAuthenticate"},
    {RASCS_Authenticated, L"Authenticated"},
    {RASCS_PrepareForCallback, L"PrepareForCallback"},
    {RASCS_WaitForModemReset, L"WaitForModemReset"},
    {RASCS_WaitForCallback, L"WaitForCallback"},
    {RASCS_Projected, L"Projected"},
    {RASCS_StartAuthentication, L"StartAuthentication"},
    {RASCS_CallbackComplete, L"CallbackComplete"},
    {RASCS_LogonNetwork, L"LogonNetwork"},
    {RASCS_SubEntryConnected, L"SubEntryConnected"},
    {RASCS_SubEntryDisconnected, L"SubEntryDisconnected"},
    {RASCS_Interactive, L"Interactive"},
    {RASCS_RetryAuthentication, L"RetryAuthentication"},
    {RASCS_CallbackSetByCaller, L"CallbackSetByCaller"},
    {RASCS_PasswordExpired, L"PasswordExpired"},
    {RASCS_InvokeEapUI, L"InvokeEapUI"},
    {RASCS_Connected, L"Connected"},
    {RASCS_Disconnected, L"Disconnected"},
};

} // namespace

const wchar_t* const RasDialer::entryName = L"Quarnel";
const wchar_t* const RasDialer::preSharedKey = L"vpn";

DWORD RasDialer::enumDevices(std::vector<RasDevice>& devices)
{
    devices.clear();
    DWORD bytes = 0;
    DWORD count = 0;
    DWORD result = RasEnumDevicesW(nullptr, &bytes, &count);
    if (result != ERROR_BUFFER_TOO_SMALL && result != ERROR_SUCCESS) {
        return result;
    }
    if (bytes < sizeof(RASDEVINFOW)) {
        return ERROR_SUCCESS;
    }
    std::vector<RASDEVINFOW> buffer((bytes + sizeof(RASDEVINFOW) - 1) / sizeof(RASDEVINFOW));
    buffer[0].dwSize = sizeof(RASDEVINFOW);
    bytes = static_cast<DWORD>(buffer.size() * sizeof(RASDEVINFOW));
    result = RasEnumDevicesW(buffer.data(), &bytes, &count);
    if (result != ERROR_SUCCESS) {
        return result;
    }
    count = std::min<DWORD>(count, static_cast<DWORD>(buffer.size()));
    for (DWORD i = 0; i < count; ++i) {
        buffer[i].szDeviceType[RAS_MaxDeviceType] = L'\0';
        buffer[i].szDeviceName[RAS_MaxDeviceName] = L'\0';
        devices.push_back({buffer[i].szDeviceType, buffer[i].szDeviceName});
    }
    return ERROR_SUCCESS;
}

int RasDialer::findVpnDevice(const std::vector<RasDevice>& devices)
{
    for (size_t i = 0; i < devices.size(); ++i) {
        std::wstring type = devices[i].type;
        std::transform(type.begin(), type.end(), type.begin(), [](wchar_t c) { return std::towlower(c); });
        if (type.find(L"vpn") != std::wstring::npos) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

RASENTRYW RasDialer::phoneBookEntry(ConnectionType connectionType, const std::wstring& address, const RasDevice& device)
{
    RASENTRYW entry = {};
    entry.dwSize = sizeof(RASENTRYW);
    copyText(entry.szLocalPhoneNumber, address);
    copyText(entry.szDeviceType, device.type);
    copyText(entry.szDeviceName, device.name);
    entry.dwfNetProtocols = RASNP_Ip;
    entry.dwFramingProtocol = RASFP_Ppp;
    entry.dwType = RASET_Vpn;
    entry.dwEncryptionType = entryEncryption;
    entry.dwRedialCount = 99;
    entry.dwRedialPause = 60;
    if (connectionType == ConnectionType::Pptp) {
        entry.dwfOptions = entryOptions;
        entry.dwVpnStrategy = VS_PptpOnly;
        entry.dwfOptions2 = entryOptions2;
    } else if (connectionType == ConnectionType::L2tp) {
        entry.dwfOptions = entryOptions;
        entry.dwVpnStrategy = VS_L2tpOnly;
        entry.dwfOptions2 = entryOptions2 | RASEO2_UsePreSharedKey;
    }
    return entry;
}

DWORD RasDialer::writeEntry(const RASENTRYW& entry)
{
    RASENTRYW copy = entry;
    return RasSetEntryPropertiesW(nullptr, entryName, &copy, sizeof(copy), nullptr, 0);
}

DWORD RasDialer::writePreSharedKey()
{
    RASCREDENTIALSW credentials = {};
    credentials.dwSize = sizeof(credentials);
    credentials.dwMask = RASCM_PreSharedKey;
    copyText(credentials.szPassword, preSharedKey);
    const DWORD result = RasSetCredentialsW(nullptr, entryName, &credentials, FALSE);
    SecureZeroMemory(&credentials, sizeof(credentials));
    return result;
}

RASDIALPARAMSW RasDialer::dialParams(const std::wstring& userName, const std::wstring& password)
{
    RASDIALPARAMSW params = {};
    params.dwSize = sizeof(params);
    copyText(params.szEntryName, entryName);
    copyText(params.szUserName, userName);
    copyText(params.szPassword, password);
    return params;
}

DWORD RasDialer::writeDialParams(const RASDIALPARAMSW& params)
{
    RASDIALPARAMSW copy = params;
    const DWORD result = RasSetEntryDialParamsW(nullptr, &copy, FALSE);
    SecureZeroMemory(&copy, sizeof(copy));
    return result;
}

DWORD RasDialer::dial(const RASDIALPARAMSW& params, RASDIALFUNC notify, HRASCONN& handle)
{
    RASDIALPARAMSW copy = params;
    handle = nullptr;
    const DWORD result = RasDialW(nullptr, nullptr, &copy, 0, reinterpret_cast<LPVOID>(notify), &handle);
    SecureZeroMemory(&copy, sizeof(copy));
    if (result != ERROR_SUCCESS && handle != nullptr) {
        // RAS may hand out a handle even when the dial fails; it holds a port until
        // hung up.
        hangUp(handle);
        handle = nullptr;
    }
    return result;
}

void RasDialer::hangUp(HRASCONN handle, DWORD limitMs)
{
    if (handle == nullptr) {
        return;
    }
    RasHangUpW(handle);
    // RAS releases the port asynchronously; dialling again before it has would fail.
    // Any answer other than "still there" ends the wait, as does the time limit.
    const ULONGLONG deadline = GetTickCount64() + limitMs;
    while (connectionStatus(handle) == ERROR_SUCCESS && GetTickCount64() < deadline) {
        Sleep(1);
    }
}

DWORD RasDialer::connectionStatus(HRASCONN handle)
{
    RASCONNSTATUSW status = {};
    status.dwSize = sizeof(status);
    return RasGetConnectStatusW(handle, &status);
}

DWORD RasDialer::linkStatistics(HRASCONN handle, DWORD& received, DWORD& sent)
{
    RAS_STATS stats = {};
    stats.dwSize = sizeof(stats);
    const DWORD result = RasGetLinkStatistics(handle, 1, &stats);
    if (result == ERROR_SUCCESS) {
        received = stats.dwBytesRcved;
        sent = stats.dwBytesXmited;
    }
    return result;
}

const wchar_t* RasDialer::stateName(unsigned state)
{
    for (const StateName& entry : stateNames) {
        if (entry.state == state) {
            return entry.name;
        }
    }
    return nullptr;
}

std::wstring RasDialer::errorText(DWORD code)
{
    WCHAR buffer[1025] = {};
    if (RasGetErrorStringW(code, buffer, 1024) != ERROR_SUCCESS || buffer[0] == L'\0') {
        return L"error " + std::to_wstring(code);
    }
    return buffer;
}

RasDialer::Notification RasDialer::notification(const std::wstring& status, unsigned state, DWORD error,
                                                const std::wstring& errorText)
{
    Notification next;
    const wchar_t* name = stateName(state);
    next.status = name != nullptr ? std::wstring(name) : status;
    if (error != 0) {
        next.status += L": " + errorText;
        next.event = FailedEvent;
    } else {
        if (state == RASCS_Connected) {
            next.event = ConnectedEvent;
        }
        next.status += L": Ok";
    }
    return next;
}

} // namespace win32
