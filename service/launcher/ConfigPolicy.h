#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace launcher {

struct ConfigVerdict
{
    bool allowed = false;
    // Why not, one line. It names a directive only when the directive is one this
    // policy knows, so that a file the user could not read himself never leaks into
    // the service's log.
    std::string reason;
};

// Decides whether OpenVPN may run a configuration file with the service's rights.
// Every directive must be on the allowlist (client, remote, proto, cipher, inline keys,
// routes, DNS options, …); whatever runs a program, reads or writes a file of the
// service's choosing, opens a management or server endpoint, or is unknown is refused.
// The file is read the way OpenVPN reads it (its line splitting, quoting, backslash
// escapes, comments, "--" prefixes, inline blocks and "setenv opt"), and anything where
// OpenVPN could read it differently is refused: NUL bytes, lines OpenVPN would cut,
// non-ASCII text outside comments and inline blocks, unbalanced quotes, bad escapes,
// unclosed blocks.
ConfigVerdict checkConfig(std::string_view content);

// Larger configuration files are refused before they are read in full.
inline constexpr std::size_t maxConfigBytes = 1024 * 1024;
// OpenVPN reads lines in pieces of 255 characters; a longer line could be read as two.
inline constexpr std::size_t maxConfigLineBytes = 250;

} // namespace launcher
