#include "firewall/win/TapAdapter.h"

#include <cstring>
#include <string_view>

namespace firewall::wfp {

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
        // The description is a fixed array: never read past it, terminated or not.
        const std::string_view description(adapter->Description,
                                           strnlen(adapter->Description, sizeof(adapter->Description)));
        if (description.find("TAP") != std::string_view::npos) {
            return adapter->Index;
        }
    }
    return std::nullopt;
}

} // namespace firewall::wfp
