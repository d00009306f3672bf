#include "platform/win/RasDialer.h"

#include <gtest/gtest.h>

#include <raserror.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

using win32::RasDevice;
using win32::RasDialer;

namespace {

const RasDevice miniport{L"vpn", L"WAN Miniport (PPTP)"};

TEST(RasDialerEntry, PptpAndL2tpCarryTheDesignedFields)
{
    struct Case
    {
        ConnectionType type;
        DWORD strategy;
        DWORD options2;
    };
    for (const Case& c : {Case{ConnectionType::Pptp, 1, 0x107}, Case{ConnectionType::L2tp, 3, 0x117}}) {
        SCOPED_TRACE(static_cast<int>(c.type));
        const RASENTRYW entry = RasDialer::phoneBookEntry(c.type, L"203.0.113.9", miniport);
        EXPECT_EQ(entry.dwSize, 5616u);
        EXPECT_EQ(entry.dwfOptions, 0x20011C10u);
        EXPECT_STREQ(entry.szLocalPhoneNumber, L"203.0.113.9");
        EXPECT_STREQ(entry.szDeviceType, L"vpn");
        EXPECT_STREQ(entry.szDeviceName, L"WAN Miniport (PPTP)");
        EXPECT_EQ(entry.dwfNetProtocols, 4u);
        EXPECT_EQ(entry.dwFramingProtocol, 1u);
        EXPECT_EQ(entry.dwType, 2u);
        EXPECT_EQ(entry.dwEncryptionType, 2u);
        EXPECT_EQ(entry.dwVpnStrategy, c.strategy);
        EXPECT_EQ(entry.dwfOptions2, c.options2);
        EXPECT_EQ(entry.dwRedialCount, 99u);
        EXPECT_EQ(entry.dwRedialPause, 60u);
        // Everything else stays zero.
        RASENTRYW rest = entry;
        rest.dwSize = rest.dwfOptions = rest.dwfNetProtocols = rest.dwFramingProtocol = rest.dwType = 0;
        rest.dwEncryptionType = rest.dwVpnStrategy = rest.dwfOptions2 = rest.dwRedialCount = rest.dwRedialPause = 0;
        std::fill(std::begin(rest.szLocalPhoneNumber), std::end(rest.szLocalPhoneNumber), L'\0');
        std::fill(std::begin(rest.szDeviceType), std::end(rest.szDeviceType), L'\0');
        std::fill(std::begin(rest.szDeviceName), std::end(rest.szDeviceName), L'\0');
        const RASENTRYW zero = {};
        EXPECT_EQ(std::memcmp(&rest, &zero, sizeof(zero)), 0);
    }
}

TEST(RasDialerEntry, OtherTypesHaveNoOptionsStrategyOrKey)
{
    // A type outside the enumeration, as a server record may carry one.
    const RASENTRYW entry = RasDialer::phoneBookEntry(static_cast<ConnectionType>(7), L"vpn.example.net", miniport);
    EXPECT_EQ(entry.dwfOptions, 0u);
    EXPECT_EQ(entry.dwVpnStrategy, 0u);
    EXPECT_EQ(entry.dwfOptions2, 0u);
    EXPECT_EQ(entry.dwType, 2u);
    EXPECT_STREQ(entry.szLocalPhoneNumber, L"vpn.example.net");
}

TEST(RasDialerEntry, OverlongTextsAreCutAndTerminated)
{
    const std::wstring address(500, L'a');
    const RASENTRYW entry =
        RasDialer::phoneBookEntry(ConnectionType::Pptp, address, {std::wstring(40, L'v'), std::wstring(300, L'n')});
    EXPECT_EQ(std::wcslen(entry.szLocalPhoneNumber), size_t(RAS_MaxPhoneNumber));
    EXPECT_EQ(std::wcslen(entry.szDeviceType), size_t(RAS_MaxDeviceType));
    EXPECT_EQ(std::wcslen(entry.szDeviceName), size_t(RAS_MaxDeviceName));

    const RASDIALPARAMSW params = RasDialer::dialParams(std::wstring(1000, L'u'), std::wstring(1000, L'p'));
    EXPECT_EQ(std::wcslen(params.szUserName), size_t(UNLEN));
    EXPECT_EQ(std::wcslen(params.szPassword), size_t(PWLEN));
}

TEST(RasDialerEntry, DialParamsNameTheEntryAndTheAccount)
{
    const RASDIALPARAMSW params = RasDialer::dialParams(L"user@example", L"s3cr\u00e9t");
    EXPECT_EQ(params.dwSize, sizeof(RASDIALPARAMSW));
    EXPECT_STREQ(params.szEntryName, L"Quarnel");
    EXPECT_STREQ(params.szUserName, L"user@example");
    EXPECT_STREQ(params.szPassword, L"s3cr\u00e9t");
    EXPECT_STREQ(params.szPhoneNumber, L"");
    EXPECT_STREQ(params.szDomain, L"");
}

TEST(RasDialerEntry, PreSharedKeyIsThreeLowerCaseLetters)
{
    const std::wstring key = RasDialer::preSharedKey;
    ASSERT_EQ(key.size(), 3u);
    for (wchar_t c : key) {
        EXPECT_TRUE(c >= L'a' && c <= L'z');
    }
}

TEST(RasDialerDevices, TheFirstDeviceOfTypeVpnInAnyCaseIsChosen)
{
    EXPECT_EQ(RasDialer::findVpnDevice({}), -1);
    EXPECT_EQ(RasDialer::findVpnDevice({{L"modem", L"m"}, {L"isdn", L"i"}}), -1);
    EXPECT_EQ(RasDialer::findVpnDevice({{L"modem", L"m"}, {L"VPN", L"first"}, {L"vpn", L"second"}}), 1);
    EXPECT_EQ(RasDialer::findVpnDevice({{L"PPPoE", L"p"}, {L"xVpNx", L"odd"}}), 1);
    // The name does not count, only the type.
    EXPECT_EQ(RasDialer::findVpnDevice({{L"modem", L"My VPN modem"}}), -1);
}

TEST(RasDialerStates, EveryNamedStateAndNothingElse)
{
    const std::vector<std::pair<unsigned, const wchar_t*>> table = {
        {0, L"OpenPort"},
        {1, L"PortOpened"},
        {2, L"ConnectDevice"},
        {3, L"DeviceConnected"},
        {4, L"AllDevicesConnected"},
        {5, L"Authenticate"},
        {6, L"AuthNotify"},
        {7, L"AuthRetry"},
        {8, L"AuthCallback"},
        {9, L"AuthChangePassword"},
        {10, L"AuthProject"},
        {11, L"AuthLinkSpeed"},
        {12, L"AuthAck"},
        {13, L"ReAuthenticate"},
        {14, L"Authenticated"},
        {15, L"PrepareForCallback"},
        {16, L"WaitForModemReset"},
        {17, L"WaitForCallback"},
        {18, L"Projected"},
        {19, L"StartAuthentication"},
        {20, L"CallbackComplete"},
        {21, L"LogonNetwork"},
        {22, L"SubEntryConnected"},
        {23, L"SubEntryDisconnected"},
        {4096, L"Interactive"},
        {4097, L"RetryAuthentication"},
        {4098, L"CallbackSetByCaller"},
        {4099, L"PasswordExpired"},
        {4100, L"InvokeEapUI"},
        {8192, L"Connected"},
        {8193, L"Disconnected"},
    };
    for (const auto& [state, name] : table) {
        SCOPED_TRACE(state);
        ASSERT_NE(RasDialer::stateName(state), nullptr);
        EXPECT_STREQ(RasDialer::stateName(state), name);
    }
    for (unsigned state : {24u, 4095u, 4101u, 8194u, 0xFFFFFFFFu}) {
        EXPECT_EQ(RasDialer::stateName(state), nullptr) << state;
    }
}

TEST(RasDialerStates, NotificationsBuildTheStatusTextAndTheEvent)
{
    struct Case
    {
        const wchar_t* before;
        unsigned state;
        DWORD error;
        const wchar_t* status;
        RasDialer::Event event;
    };
    const Case cases[] = {
        {L"", RASCS_OpenPort, 0, L"OpenPort: Ok", RasDialer::NoEvent},
        {L"OpenPort: Ok", RASCS_Authenticate, 0, L"Authenticate: Ok", RasDialer::NoEvent},
        {L"Authenticated: Ok", RASCS_Connected, 0, L"Connected: Ok", RasDialer::ConnectedEvent},
        // A failed authentication: the state's name, ": " and the system's text.
        {L"AuthNotify: Ok", RASCS_AuthNotify, ERROR_AUTHENTICATION_FAILURE, L"AuthNotify: bad credentials",
         RasDialer::FailedEvent},
        {L"", RASCS_Connected, ERROR_PORT_NOT_AVAILABLE, L"Connected: bad credentials", RasDialer::FailedEvent},
        // An unnamed state keeps the text it had.
        {L"Projected", 77, 0, L"Projected: Ok", RasDialer::NoEvent},
        {L"Projected", 77, 5, L"Projected: bad credentials", RasDialer::FailedEvent},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        const RasDialer::Notification next = RasDialer::notification(c.before, c.state, c.error, L"bad credentials");
        EXPECT_EQ(next.status, c.status);
        EXPECT_EQ(next.event, c.event);
    }
}

// Wine's RAS is mostly stubs: what matters here is that every call comes back
// with a code, a failed dial leaves no handle, and nothing waits for ever.
TEST(RasDialerSystem, CallsReturnCodesAndFailClean)
{
    std::vector<RasDevice> devices{{L"stale", L"stale"}};
    const DWORD enumResult = RasDialer::enumDevices(devices);
    if (enumResult != ERROR_SUCCESS) {
        EXPECT_TRUE(devices.empty());
    }

    HRASCONN handle = reinterpret_cast<HRASCONN>(0x1234);
    const RASDIALPARAMSW params = RasDialer::dialParams(L"nobody", L"nothing");
    const DWORD dialResult = RasDialer::dial(params, nullptr, handle);
    if (dialResult != ERROR_SUCCESS) {
        EXPECT_EQ(handle, nullptr);
    } else {
        RasDialer::hangUp(handle);
    }

    RasDialer::hangUp(nullptr);
    // Wine answers every status query with success: the wait must still end.
    const ULONGLONG before = GetTickCount64();
    RasDialer::hangUp(reinterpret_cast<HRASCONN>(0x1234), 200);
    EXPECT_LT(GetTickCount64() - before, 10000u);
    DWORD received = 7;
    DWORD sent = 9;
    if (RasDialer::linkStatistics(nullptr, received, sent) != ERROR_SUCCESS) {
        EXPECT_EQ(received, 7u);
        EXPECT_EQ(sent, 9u);
    }
    EXPECT_FALSE(RasDialer::errorText(ERROR_AUTHENTICATION_FAILURE).empty());
}

} // namespace
