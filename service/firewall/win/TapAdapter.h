#pragma once

#include <winsock2.h>
#include <windows.h>

#include <iphlpapi.h>

#include <functional>
#include <optional>

namespace firewall::wfp {

// The OpenVPN adapter among those GetAdaptersInfo lists: the first, in list order, of type
// Ethernet or IEEE 802.11 whose per-adapter information can be read and whose description
// contains "TAP" (case-sensitive). Returns its interface index.
std::optional<DWORD> findTapAdapterIndex(const IP_ADAPTER_INFO* adapters,
                                         const std::function<bool(DWORD index)>& perAdapterInfoReadable);

} // namespace firewall::wfp
