#include "firewall/win/TapAdapter.h"

#include "firewall/RulePlan.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace firewall::wfp {

namespace {

bool describesTap(const IP_ADAPTER_INFO& adapter)
{
    // The description is a fixed array: never read past it, terminated or not.
    const std::string_view description(adapter.Description, strnlen(adapter.Description, sizeof(adapter.Description)));
    return description.find("TAP") != std::string_view::npos;
}

} // namespace

std::optional<DWORD> findTapAdapterIndex(const IP_ADAPTER_INFO* adapters,
                                         const std::function<bool(DWORD index)>& perAdapterInfoReadable)
{
    for (const IP_ADAPTER_INFO* adapter = adapters; adapter != nullptr; adapter = adapter->Next) {
        if (adapter->Type != MIB_IF_TYPE_ETHERNET && adapter->Type != IF_TYPE_IEEE80211) {
            continue;
        }
        if (!perAdapterInfoReadable(adapter->Index)) {
            continue;
        }
        if (describesTap(*adapter)) {
            return adapter->Index;
        }
    }
    return std::nullopt;
}

std::vector<std::uint32_t> nameServersOutsideTap(
    const IP_ADAPTER_INFO* adapters, const std::function<const IP_PER_ADAPTER_INFO*(DWORD index)>& perAdapterInfo)
{
    std::vector<std::uint32_t> servers;
    for (const IP_ADAPTER_INFO* adapter = adapters; adapter != nullptr; adapter = adapter->Next) {
        if (describesTap(*adapter)) {
            continue;
        }
        const IP_PER_ADAPTER_INFO* info = perAdapterInfo(adapter->Index);
        if (info == nullptr) {
            continue;
        }
        for (const IP_ADDR_STRING* entry = &info->DnsServerList; entry != nullptr; entry = entry->Next) {
            const std::string_view text(entry->IpAddress.String,
                                        strnlen(entry->IpAddress.String, sizeof(entry->IpAddress.String)));
            if (!isDottedQuad(text)) {
                continue;
            }
            const std::uint32_t address = parseAddress(text);
            if (std::find(servers.begin(), servers.end(), address) == servers.end()) {
                servers.push_back(address);
            }
        }
    }
    return servers;
}

} // namespace firewall::wfp
