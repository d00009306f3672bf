#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace firewall {

// Where Linux keeps its name servers: the resolver file, and systemd-resolved's list of
// the servers it asks itself (its stub at 127.0.0.53 forwards there).
inline const std::vector<std::string> systemResolverFiles{"/etc/resolv.conf", "/run/systemd/resolve/resolv.conf"};

// The IPv4 "nameserver" entries of a resolver file, in file order, each once. Comments,
// other keywords and IPv6 servers are skipped.
std::vector<std::uint32_t> parseNameServers(std::string_view text);

// The entries of every readable file of `files`, in order, each once; unreadable or
// missing files add nothing.
std::vector<std::uint32_t> readNameServers(const std::vector<std::string>& files);

} // namespace firewall
