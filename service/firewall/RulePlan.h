#pragma once

#include "firewall/Filter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The kill switch's rule sets as data. Every set is in the order its filters are added;
// the Firewall decides which sets are installed and keeps their ids.
namespace firewall {

// The service's address reader, kept as it always was because stored address lists and
// the range bounds below go through it: a "." stores the byte being built, any other
// character multiplies it by 10 and adds its digit value (0 for a non-digit), in 8-bit
// arithmetic; at most four bytes, the first one most significant. "1.2.3" is 1.2.3.0.
std::uint32_t parseAddress(std::string_view text);

// The dotted quad of the low 32 bits of `address`, the first byte most significant.
std::string addressText(std::uint64_t address);

// Four decimal numbers 0-255 joined by single dots, and nothing else. Only such entries
// of an address list become server permits: parseAddress would read anything.
bool isDottedQuad(std::string_view text);

struct AddressEntries
{
    std::vector<std::uint32_t> addresses; // the dotted quads, in list order, duplicates kept
    std::vector<std::string> skipped;     // every other entry, in list order
};

// Splits an address list at ";" (an empty text has no entries).
AddressEntries parseAddressList(std::string_view list);

// Five blocks, 8-bit weight 15, no conditions, one per IPv4 layer.
std::vector<Filter> ipv4BlockAllSet();

// Five blocks, 8-bit weight 2, no conditions, one per IPv6 layer: IPv6 is blocked on the
// tunnel adapter as well.
std::vector<Filter> ipv6BlockSet();

// Blocks IPv6 outside the tunnel adapter (every interface without one).
std::vector<Filter> ipv6OutsideTunnelBlocks(std::optional<std::uint64_t> tunnelLuid);

// Blocks outside the tunnel adapter with permits to the servers, DHCP and DNS. "Outside
// the adapter" is a pair of filters, interface LUID greater and less than the adapter's.
// Without an adapter the interface condition is dropped and each pair becomes one filter,
// so everything outside the permits is blocked on every interface.
//
// DNS outside the tunnel is permitted only to `nameServers`, the system's own, which the
// client needs to find the web API before a tunnel exists: a permit to port 53 of every
// address would let any program (or anyone who learns of it) carry data past the kill
// switch in DNS packets. No name server: no DNS outside the tunnel at all.
std::vector<Filter> tunnelRules(const std::vector<std::uint32_t>& servers, std::optional<std::uint64_t> tunnelLuid,
                                const std::vector<std::uint32_t>& nameServers);

// Local addresses 10.10.1.0-10.10.1.255, where the Brume tunnel lives.
Filter brumeRangePermit();

// Local addresses 10.0.0.0-10.0.254.255 and remote addresses 192.168.0.1-192.168.254.255.
std::vector<Filter> localNetworkPermits();

inline constexpr const char* brumeRangeName = "Quarnel filter to permit traffic from brume vpn IPs range ...";
inline constexpr const char* localNetworkName = "Quarnel filter to permit traffic from local vpn IPs range ...";

} // namespace firewall
