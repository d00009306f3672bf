#include "firewall/Firewall.h"
#include "firewall/RulePlan.h"
#include "firewall/SystemEngine.h"
#include "firewall/win/TapAdapter.h"
#include "firewall/win/WfpEngine.h"
#include "firewall/win/WfpFilter.h"
#include "firewall/win/WfpKeys.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace firewall;
using namespace firewall::wfp;

namespace {

std::string text(const GUID& guid)
{
    char buffer[40];
    std::snprintf(buffer, sizeof(buffer), "%08lx-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x",
                  static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                  guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return buffer;
}

constexpr std::uint64_t luid = 0x0006000001000000ull;
constexpr GUID sublayerKey = {0x12345678, 0x9abc, 0xdef0, {1, 2, 3, 4, 5, 6, 7, 8}};

// The system's adapter list read here in one go, with a buffer of the size it asks
// for: whether it holds an adapter the kill switch takes for the tunnel's.
bool adapterListNamesATapAdapter()
{
    const HMODULE iphlpapi = LoadLibraryExW(L"iphlpapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (iphlpapi == nullptr) {
        return false;
    }
    const auto getAdaptersInfo = reinterpret_cast<decltype(&GetAdaptersInfo)>(
        reinterpret_cast<void (*)()>(GetProcAddress(iphlpapi, "GetAdaptersInfo")));
    ULONG size = 0;
    if (getAdaptersInfo == nullptr || getAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW) {
        return false;
    }
    std::vector<std::uint64_t> storage(size / sizeof(std::uint64_t) + 1);
    auto* adapters = reinterpret_cast<IP_ADAPTER_INFO*>(storage.data());
    if (getAdaptersInfo(adapters, &size) != NO_ERROR) {
        return false;
    }
    return findTapAdapterIndex(adapters, [](DWORD) { return true; }).has_value();
}

} // namespace

TEST(WfpKeys, LayersAndConditionsAreThePublishedIdentifiers)
{
    const struct
    {
        Layer layer;
        const char* key;
    } layers[] = {
        {Layer::AleAuthConnectV4, "c38d57d1-05a7-4c33-904f-7fbceee60e82"},
        {Layer::AleAuthRecvAcceptV4, "e1cd9fe7-f4b5-4273-96c0-592e487b8650"},
        {Layer::AleConnectRedirectV4, "c6e63c8c-b784-4562-aa7d-0a67cfcaf9a3"},
        {Layer::StreamV4, "3b89653c-c170-49e4-b1cd-e0eeeee19a3e"},
        {Layer::AleFlowEstablishedV4, "af80470a-5596-4c13-9992-539e6fe57967"},
        {Layer::AleAuthConnectV6, "4a72393b-319f-44bc-84c3-ba54dcb3b6b4"},
        {Layer::AleAuthRecvAcceptV6, "a3b42c97-9f04-4672-b87e-cee9c483257f"},
        {Layer::AleConnectRedirectV6, "587e54a7-8046-42ba-a0aa-b716250fc7fd"},
        {Layer::StreamV6, "47c9137a-7ec4-46b3-b6e4-48e926b1eda4"},
        {Layer::AleFlowEstablishedV6, "7021d2b3-dfa4-406e-afeb-6afaf7e70efd"},
        {Layer::InboundTransportV4, "5926dfc8-e3cf-4426-a283-dc393f5d0f9d"},
    };
    for (const auto& entry : layers) {
        EXPECT_EQ(text(layerKey(entry.layer)), entry.key);
    }
    const struct
    {
        Field field;
        const char* key;
    } fields[] = {
        {Field::LocalInterface, "4cd62a49-59c3-4969-b7f3-bda5d32890a4"},
        {Field::RemoteAddress, "b235ae9a-1d64-49b8-a44c-5ff3d9095045"},
        {Field::LocalAddress, "d9ee00de-c1ef-4617-bfe3-ffd8f5a08957"},
        {Field::LocalPort, "0c1ba1af-5765-453f-af22-a8f791ac775b"},
        {Field::RemotePort, "c35a604d-d22b-4e1a-91b4-68f674ee674b"},
    };
    for (const auto& entry : fields) {
        EXPECT_EQ(text(conditionKey(entry.field)), entry.key);
    }
    const Guid round = fromGuid(sublayerKey);
    EXPECT_EQ(text(toGuid(round)), text(sublayerKey));
}

TEST(WfpFilter, CarriesNameLayerWeightAndActionAsGiven)
{
    std::vector<Filter> plan = tunnelRules({0x7F000001u}, luid, {0x7F000035u});
    plan.push_back(brumeRangePermit());
    for (const Filter& filter : ipv4BlockAllSet()) {
        plan.push_back(filter);
    }
    for (const Filter& source : plan) {
        const WfpFilter translated(source, sublayerKey);
        const FWPM_FILTER0& filter = translated.get();
        EXPECT_EQ(std::wstring(filter.displayData.name),
                  std::wstring(source.displayName.begin(), source.displayName.end()));
        EXPECT_EQ(filter.displayData.description, nullptr);
        EXPECT_EQ(filter.flags, 0u);
        EXPECT_EQ(filter.providerKey, nullptr);
        EXPECT_EQ(text(filter.layerKey), text(layerKey(source.layer)));
        EXPECT_EQ(text(filter.subLayerKey), text(sublayerKey));
        EXPECT_EQ(filter.action.type, source.action == Action::Block ? FWP_ACTION_BLOCK : FWP_ACTION_PERMIT);
        if (source.weight) {
            EXPECT_EQ(filter.weight.type, FWP_UINT8);
            EXPECT_EQ(filter.weight.uint8, *source.weight);
        } else {
            EXPECT_EQ(filter.weight.type, FWP_EMPTY);
        }
        ASSERT_EQ(filter.numFilterConditions, source.conditions.size());
        EXPECT_EQ(filter.filterCondition == nullptr, source.conditions.empty());
    }
}

TEST(WfpFilter, ConditionsTakeTheTypesOfTheirFields)
{
    Filter source;
    source.displayName = "Tarnu";
    Condition onInterface;
    onInterface.field = Field::LocalInterface;
    onInterface.match = Match::Greater;
    onInterface.value = luid;
    Condition server;
    server.field = Field::RemoteAddress;
    server.value = 0xC0A80001u;
    Condition range;
    range.field = Field::LocalAddress;
    range.match = Match::Range;
    range.value = 0x0A0A0100u;
    range.high = 0x0A0A01FFu;
    Condition port;
    port.field = Field::RemotePort;
    port.value = 53;
    Condition portRange;
    portRange.field = Field::LocalPort;
    portRange.match = Match::Range;
    portRange.value = 1000;
    portRange.high = 2000;
    source.conditions = {onInterface, server, range, port, portRange};

    const WfpFilter translated(source, sublayerKey);
    const FWPM_FILTER_CONDITION0* conditions = translated.get().filterCondition;

    EXPECT_EQ(text(conditions[0].fieldKey), text(conditionKey(Field::LocalInterface)));
    EXPECT_EQ(conditions[0].matchType, FWP_MATCH_GREATER);
    ASSERT_EQ(conditions[0].conditionValue.type, FWP_UINT64);
    EXPECT_EQ(*conditions[0].conditionValue.uint64, luid);

    EXPECT_EQ(conditions[1].matchType, FWP_MATCH_EQUAL);
    ASSERT_EQ(conditions[1].conditionValue.type, FWP_V4_ADDR_MASK);
    EXPECT_EQ(conditions[1].conditionValue.v4AddrMask->addr, 0xC0A80001u);
    EXPECT_EQ(conditions[1].conditionValue.v4AddrMask->mask, 0xFFFFFFFFu);

    EXPECT_EQ(conditions[2].matchType, FWP_MATCH_RANGE);
    ASSERT_EQ(conditions[2].conditionValue.type, FWP_RANGE_TYPE);
    const FWP_RANGE0& addresses = *conditions[2].conditionValue.rangeValue;
    EXPECT_EQ(addresses.valueLow.type, FWP_UINT32);
    EXPECT_EQ(addresses.valueLow.uint32, 0x0A0A0100u);
    EXPECT_EQ(addresses.valueHigh.type, FWP_UINT32);
    EXPECT_EQ(addresses.valueHigh.uint32, 0x0A0A01FFu);

    EXPECT_EQ(text(conditions[3].fieldKey), text(conditionKey(Field::RemotePort)));
    ASSERT_EQ(conditions[3].conditionValue.type, FWP_UINT16);
    EXPECT_EQ(conditions[3].conditionValue.uint16, 53);

    ASSERT_EQ(conditions[4].conditionValue.type, FWP_RANGE_TYPE);
    EXPECT_EQ(conditions[4].conditionValue.rangeValue->valueLow.type, FWP_UINT16);
    EXPECT_EQ(conditions[4].conditionValue.rangeValue->valueLow.uint16, 1000);
    EXPECT_EQ(conditions[4].conditionValue.rangeValue->valueHigh.uint16, 2000);
}

TEST(TapAdapter, FirstEthernetOrWirelessAdapterNamedTap)
{
    auto adapter = [](UINT type, DWORD index, const char* description) {
        IP_ADAPTER_INFO info = {};
        info.Type = type;
        info.Index = index;
        std::strncpy(info.Description, description, sizeof(info.Description) - 1);
        return info;
    };
    std::vector<IP_ADAPTER_INFO> list = {
        adapter(MIB_IF_TYPE_LOOPBACK, 1, "TAP loopback"),              // wrong type
        adapter(MIB_IF_TYPE_ETHERNET, 2, "Intel Ethernet"),            // not TAP
        adapter(MIB_IF_TYPE_ETHERNET, 3, "tap-windows adapter"),       // lower case
        adapter(MIB_IF_TYPE_PPP, 4, "TAP over PPP"),                   // wrong type
        adapter(MIB_IF_TYPE_ETHERNET, 5, "TAP-Windows Adapter V9"),    // per-adapter info fails
        adapter(IF_TYPE_IEEE80211, 6, "Wireless TAP bridge"),          // the one
        adapter(MIB_IF_TYPE_ETHERNET, 7, "TAP-Windows Adapter V9 #2"), // later
    };
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {
        list[i].Next = &list[i + 1];
    }
    std::vector<DWORD> asked;
    const auto readable = [&](DWORD index) {
        asked.push_back(index);
        return index != 5;
    };

    EXPECT_EQ(findTapAdapterIndex(list.data(), readable), std::optional<DWORD>(6));
    EXPECT_EQ(asked, (std::vector<DWORD>{2, 3, 5, 6}));

    list[5].Type = MIB_IF_TYPE_TOKENRING;
    EXPECT_EQ(findTapAdapterIndex(list.data(), readable), std::optional<DWORD>(7));
    EXPECT_EQ(findTapAdapterIndex(nullptr, readable), std::nullopt);

    // A description filling its whole array is read no further.
    IP_ADAPTER_INFO full = adapter(MIB_IF_TYPE_ETHERNET, 8, "");
    std::memset(full.Description, 'x', sizeof(full.Description));
    EXPECT_EQ(findTapAdapterIndex(&full, readable), std::nullopt);
}

TEST(TapAdapter, NameServersComeFromEveryAdapterButTheTunnel)
{
    auto adapter = [](DWORD index, const char* description) {
        IP_ADAPTER_INFO info = {};
        info.Type = MIB_IF_TYPE_ETHERNET;
        info.Index = index;
        std::strncpy(info.Description, description, sizeof(info.Description) - 1);
        return info;
    };
    std::vector<IP_ADAPTER_INFO> list = {adapter(1, "Intel Ethernet"), adapter(2, "TAP-Windows Adapter V9"),
                                         adapter(3, "Wireless"), adapter(4, "Broken")};
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {
        list[i].Next = &list[i + 1];
    }
    auto servers = [](std::vector<const char*> texts) {
        std::vector<IP_ADDR_STRING> entries(texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            std::strncpy(entries[i].IpAddress.String, texts[i], sizeof(entries[i].IpAddress.String) - 1);
            entries[i].Next = i + 1 < texts.size() ? &entries[i + 1] : nullptr;
        }
        return entries;
    };
    std::map<DWORD, std::vector<IP_ADDR_STRING>> dns = {
        {1, servers({"192.0.2.53", "fe80::1", "198.51.100.53"})},
        {2, servers({"10.8.0.1"})},
        {3, servers({"198.51.100.53", "203.0.113.53"})},
    };
    std::map<DWORD, IP_PER_ADAPTER_INFO> info;
    const auto perAdapter = [&](DWORD index) -> const IP_PER_ADAPTER_INFO* {
        if (dns.count(index) == 0) {
            return nullptr;
        }
        IP_PER_ADAPTER_INFO& record = info[index];
        record.DnsServerList = dns[index].front();
        record.DnsServerList.Next = dns[index].size() > 1 ? &dns[index][1] : nullptr;
        return &record;
    };
    EXPECT_EQ(nameServersOutsideTap(list.data(), perAdapter),
              (std::vector<std::uint32_t>{0xC0000235u, 0xC6336435u, 0xCB007135u}));
    EXPECT_TRUE(nameServersOutsideTap(nullptr, perAdapter).empty());
}

// Wine's filtering engine is a user-space stub that refuses every session (on Windows
// this would change the real firewall, so the test is meant for Wine only).
TEST(WfpEngine, AllEntryPointsResolveAndARefusedSessionLeavesTheFirewallOff)
{
    std::unique_ptr<Engine> engine = makeSystemEngine();
    ASSERT_TRUE(engine->isSupported()) << "Fwpuclnt.dll and Iphlpapi.dll export every entry point";

    Guid first;
    Guid second;
    ASSERT_TRUE(engine->createGuid(first));
    ASSERT_TRUE(engine->createGuid(second));
    EXPECT_FALSE(first == second);

    // Reads Wine's view of the adapters through the grow-once buffers: it finds a TAP
    // adapter exactly when the list holds one, and then its LUID is never 0.
    const std::optional<std::uint64_t> tap = engine->findTunnelAdapter();
    if (adapterListNamesATapAdapter()) {
        ASSERT_TRUE(tap.has_value());
        EXPECT_NE(*tap, 0u);
    } else {
        EXPECT_EQ(tap, std::nullopt);
    }

    SessionHandle session = 0;
    if (engine->openSession(session)) {
        engine->closeSession(session);
        FAIL() << "not Wine's stub engine: refusing to touch a real firewall";
    }

    Firewall firewall(std::move(engine));
    EXPECT_TRUE(firewall.isSupported());
    firewall.enable("127.0.0.1;5.6.7.8", {true, true, true, false});
    EXPECT_FALSE(firewall.isSessionOpen());
    firewall.update("127.0.0.1", {true, false, false, true});
    EXPECT_FALSE(firewall.isSessionOpen());
    EXPECT_TRUE(firewall.tunnelList().empty());
    firewall.disable();
}
