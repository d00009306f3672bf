#include "timezone/win/WinZoneAccess.h"

#include "timezone/RegistryZone.h"

#include <cstdio>
#include <cwchar>
#include <memory>
#include <utility>

namespace timezones {

namespace {

const wchar_t* const zonesKey = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\";
// "Std" and "Dlt" are read into buffers of this many bytes.
constexpr DWORD nameValueBytes = 64;

ZoneDate fromSystemTime(const SYSTEMTIME& time)
{
    ZoneDate date;
    date.year = time.wYear;
    date.month = time.wMonth;
    date.dayOfWeek = time.wDayOfWeek;
    date.day = time.wDay;
    date.hour = time.wHour;
    date.minute = time.wMinute;
    date.second = time.wSecond;
    date.milliseconds = time.wMilliseconds;
    return date;
}

SYSTEMTIME toSystemTime(const ZoneDate& date)
{
    SYSTEMTIME time = {};
    time.wYear = date.year;
    time.wMonth = date.month;
    time.wDayOfWeek = date.dayOfWeek;
    time.wDay = date.day;
    time.wHour = date.hour;
    time.wMinute = date.minute;
    time.wSecond = date.second;
    time.wMilliseconds = date.milliseconds;
    return time;
}

template <std::size_t size> std::wstring fromField(const WCHAR (&field)[size])
{
    return std::wstring(field, wcsnlen(field, size));
}

// Cut to the field, always terminated.
template <std::size_t size> void toField(const std::wstring& text, WCHAR (&field)[size])
{
    const std::size_t length = text.size() < size - 1 ? text.size() : size - 1;
    wmemcpy(field, text.data(), length);
    field[length] = L'\0';
}

LSTATUS readName(HKEY key, const wchar_t* value, std::wstring& text)
{
    // One more code unit than the value may fill, so that the text is terminated even
    // when the stored string is not.
    WCHAR buffer[nameValueBytes / sizeof(WCHAR) + 1] = {};
    DWORD type = 0;
    DWORD size = nameValueBytes;
    const LSTATUS status = RegQueryValueExW(key, value, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        return ERROR_INVALID_DATA;
    }
    text.assign(buffer, wcsnlen(buffer, size / sizeof(WCHAR)));
    return ERROR_SUCCESS;
}

LSTATUS readTzi(HKEY key, BYTE (&tzi)[registryTziSize])
{
    DWORD type = 0;
    DWORD size = sizeof tzi;
    const LSTATUS status = RegQueryValueExW(key, L"TZI", nullptr, &type, tzi, &size);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    return type == REG_BINARY && size == sizeof tzi ? ERROR_SUCCESS : ERROR_INVALID_DATA;
}

DWORD applySystemZone(const DYNAMIC_TIME_ZONE_INFORMATION& information)
{
    return SetDynamicTimeZoneInformation(&information) ? ERROR_SUCCESS : GetLastError();
}

} // namespace

WinZoneAccess::WinZoneAccess() : applyFunction(applySystemZone) {}

WinZoneAccess::WinZoneAccess(ApplyFunction applyFunction) : applyFunction(std::move(applyFunction)) {}

Zone WinZoneAccess::fromDynamic(const DYNAMIC_TIME_ZONE_INFORMATION& information)
{
    Zone zone;
    zone.bias = information.Bias;
    zone.standardName = fromField(information.StandardName);
    zone.standardDate = fromSystemTime(information.StandardDate);
    zone.standardBias = information.StandardBias;
    zone.daylightName = fromField(information.DaylightName);
    zone.daylightDate = fromSystemTime(information.DaylightDate);
    zone.daylightBias = information.DaylightBias;
    zone.keyName = fromField(information.TimeZoneKeyName);
    zone.dynamicDaylightTimeDisabled = information.DynamicDaylightTimeDisabled != FALSE;
    return zone;
}

DYNAMIC_TIME_ZONE_INFORMATION WinZoneAccess::toDynamic(const Zone& zone)
{
    DYNAMIC_TIME_ZONE_INFORMATION information = {};
    information.Bias = zone.bias;
    toField(zone.standardName, information.StandardName);
    information.StandardDate = toSystemTime(zone.standardDate);
    information.StandardBias = zone.standardBias;
    toField(zone.daylightName, information.DaylightName);
    information.DaylightDate = toSystemTime(zone.daylightDate);
    information.DaylightBias = zone.daylightBias;
    toField(zone.keyName, information.TimeZoneKeyName);
    information.DynamicDaylightTimeDisabled = zone.dynamicDaylightTimeDisabled ? TRUE : FALSE;
    return information;
}

bool WinZoneAccess::readCurrent(Zone& zone)
{
    DYNAMIC_TIME_ZONE_INFORMATION information = {};
    if (GetDynamicTimeZoneInformation(&information) == TIME_ZONE_ID_INVALID) {
        return false;
    }
    zone = fromDynamic(information);
    return true;
}

bool WinZoneAccess::readZone(const std::string& key, Zone& zone)
{
    std::wstring path = zonesKey;
    for (char c : key) {
        path += static_cast<wchar_t>(static_cast<unsigned char>(c));
    }

    std::wstring standardName;
    std::wstring daylightName;
    BYTE tzi[registryTziSize] = {};
    HKEY handle = nullptr;
    LSTATUS status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &handle);
    if (status == ERROR_SUCCESS) {
        status = readName(handle, L"Std", standardName);
        if (status == ERROR_SUCCESS) {
            status = readName(handle, L"Dlt", daylightName);
        }
        if (status == ERROR_SUCCESS) {
            status = readTzi(handle, tzi);
        }
        RegCloseKey(handle);
    }
    if (status != ERROR_SUCCESS) {
        std::printf("Failed to retrieve new time zone info, error code was %u\n", static_cast<unsigned>(status));
        std::fflush(stdout);
        return false;
    }
    return buildRegistryZone(key, standardName, daylightName, tzi, sizeof tzi, zone);
}

bool WinZoneAccess::apply(const Zone& zone)
{
    const DYNAMIC_TIME_ZONE_INFORMATION information = toDynamic(zone);
    const DWORD error = applyFunction ? applyFunction(information) : ERROR_INVALID_FUNCTION;
    if (error != ERROR_SUCCESS) {
        std::printf("SetDynamicTimeZoneInformation failed (%d)\n", static_cast<int>(error));
        std::fflush(stdout);
        return false;
    }
    return true;
}

void WinZoneAccess::setPrivilege(bool enabled)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        return;
    }
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    if (LookupPrivilegeValueW(nullptr, SE_TIME_ZONE_NAME, &privileges.Privileges[0].Luid)) {
        privileges.Privileges[0].Attributes = enabled ? SE_PRIVILEGE_ENABLED : 0;
        AdjustTokenPrivileges(token, FALSE, &privileges, sizeof privileges, nullptr, nullptr);
    }
    CloseHandle(token);
}

void WinZoneAccess::broadcastChange()
{
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
}

std::unique_ptr<ZoneAccess> createSystemZoneAccess()
{
    return std::make_unique<WinZoneAccess>();
}

} // namespace timezones
