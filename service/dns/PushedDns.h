#pragma once

#include <map>
#include <string>
#include <vector>

namespace dns {

// The DNS settings a VPN server pushed, as OpenVPN hands them to an up hook:
// foreign_option_1, foreign_option_2, ... in the environment, each
// "dhcp-option DNS 10.8.0.1", "dhcp-option DNS6 fd00::1", "dhcp-option DOMAIN corp.example"
// or "dhcp-option DOMAIN-SEARCH example.net". The values come from the server, so they
// are read strictly: an address must be a plain IPv4 or IPv6 address (written back in its
// canonical form), a domain plain letters, digits and hyphens; anything else is dropped
// with a note, never copied into a resolver file or an argument.
struct PushedDns
{
    // Most entries kept of each kind; more say nothing a resolver would use.
    static constexpr std::size_t maxServers = 8;
    static constexpr std::size_t maxDomains = 8;
    // glibc reads only the first three nameserver lines.
    static constexpr std::size_t resolvConfServers = 3;

    std::vector<std::string> servers;
    std::vector<std::string> domains;
    // One line for each entry that was dropped, without its value.
    std::vector<std::string> notes;

    bool empty() const { return servers.empty(); }

    static PushedDns fromEnvironment(const std::map<std::string, std::string>& environment);

    // What /etc/resolv.conf holds while the tunnel is up.
    std::string resolvConfText() const;
    // The resolvectl calls that make the tunnel device the route for every name ("~.",
    // and the default route) and give it these servers.
    std::vector<std::vector<std::string>> resolvectlCalls(const std::string& device) const;
};

// An IPv4 or IPv6 address in canonical form, or empty when text is not one.
std::string canonicalAddress(const std::string& text);
// A domain name in lower case without a trailing dot, or empty when text is not one.
std::string canonicalDomain(const std::string& text);
// Whether text can be the tunnel device's name: 1 to 15 of letters, digits, '_', '.', '-',
// not "." or "..", not starting with '-' (it is handed to resolvectl as an argument).
bool isDeviceName(const std::string& text);

} // namespace dns
