#pragma once

#include <cstdint>

namespace servicepipe {

// The five option bytes of a firewall request, each 0 or 1, in wire order.
struct FirewallOptions
{
    std::uint8_t killConnect = 0;
    std::uint8_t iPv6LeakProtect = 0;
    std::uint8_t allowLocalDevices = 0;
    std::uint8_t changeTimezone = 0; // carried only; the service never reads it
    std::uint8_t blockDNS = 0;

    bool operator==(const FirewallOptions& other) const
    {
        return killConnect == other.killConnect && iPv6LeakProtect == other.iPv6LeakProtect &&
               allowLocalDevices == other.allowLocalDevices && changeTimezone == other.changeTimezone &&
               blockDNS == other.blockDNS;
    }
};

} // namespace servicepipe
