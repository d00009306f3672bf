#pragma once

#include <winsock2.h>
#include <windows.h>

#include <iphlpapi.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace firewall::wfp {

// The OpenVPN adapter among those GetAdaptersInfo lists: the first, in list order, of type
// Ethernet or IEEE 802.11 whose per-adapter information can be read and whose description
// contains "TAP" (case-sensitive). Returns its interface index.
std::optional<DWORD> findTapAdapterIndex(const IP_ADAPTER_INFO* adapters,
                                         const std::function<bool(DWORD index)>& perAdapterInfoReadable);

// The IPv4 DNS servers of every adapter GetAdaptersInfo lists but the OpenVPN ones (their
// description contains "TAP"), as `perAdapterInfo` gives them for an interface index
// (null when it cannot be read); in list order, each once.
std::vector<std::uint32_t> nameServersOutsideTap(
    const IP_ADAPTER_INFO* adapters, const std::function<const IP_PER_ADAPTER_INFO*(DWORD index)>& perAdapterInfo);

} // namespace firewall::wfp
