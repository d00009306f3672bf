#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace launcher {

struct ConfigVerdict
{
    bool allowed = false;
    // Why not, one line, with the line number. A refused directive is named only as a
    // short printable name (maxNamedDirectiveBytes), never with its value or the rest of
    // its line, so that what the file holds stays out of the service's log.
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

// The text OpenVPN is started on, for a file checkConfig allowed: the file itself, or,
// when it carries Windows-only directives or ones that OpenVPN 2.6 removed (which the
// installed OpenVPN may not know, and would end on), the file after one first line
// "ignore-unknown-option <those directives>", which turns them into warnings and leaves
// them working wherever OpenVPN does know them.
std::string launchCopyOf(std::string_view checked);

// Whether a management password file has the shape the client writes: one line of
// printable ASCII without blanks, minManagementPasswordBytes to maxManagementPasswordBytes
// long, with or without its line end, and nothing else. OpenVPN takes the first line of
// the file; anything more or less could be read differently.
bool isManagementPasswordFile(std::string_view content);

inline constexpr std::size_t minManagementPasswordBytes = 16;
inline constexpr std::size_t maxManagementPasswordBytes = 128;

// Larger configuration files are refused before they are read in full.
inline constexpr std::size_t maxConfigBytes = 1024 * 1024;
// OpenVPN reads lines in pieces of 255 characters; a longer line could be read as two.
inline constexpr std::size_t maxConfigLineBytes = 250;
// The longest directive name a refusal repeats.
inline constexpr std::size_t maxNamedDirectiveBytes = 32;

} // namespace launcher
