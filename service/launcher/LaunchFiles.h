#pragma once

#include "pipe/ClientRights.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace launcher {

struct ConfigFile
{
    bool ok = false;
    std::string content;
    // Why it could not be read, one line, without the path.
    std::string refusal;
};

// Reads the configuration file the client named, once, opened with the client's rights
// (read after they are given back). A file the client could not open is refused as "not
// readable" and nothing more, so that no answer tells what lies behind a name it may
// not see.
// Only an absolute path to a regular file of at most limit bytes is read (Windows: a
// drive-letter path, so that no network share or device namespace is ever opened).
// Linux opens the path with O_PATH first and reads it only after seeing a regular file,
// so that naming a device or a FIFO never opens it.
ConfigFile readConfigFile(const std::u16string& path, std::size_t limit, servicepipe::ClientRights& client);

// Whether the program the client named is the installed OpenVPN: the same path (on
// Windows regardless of case), its bare file name, or another name of the same file.
// The service always runs the installed path itself, never the name it was given.
bool isInstalledProgram(const std::u16string& requested, const std::filesystem::path& installed);

// Where the service finds OpenVPN unless told otherwise. Windows: openvpn\openvpn.exe
// beside the service executable, as the client has it beside its own. Linux: Debian's
// /usr/sbin/openvpn (the host's --openvpn overrides it).
std::filesystem::path defaultOpenVpnPath();

// Strict conversions between native paths and the UTF-16 text of the pipe.
bool pathToUtf16(const std::filesystem::path& path, std::u16string& text);
bool pathFromUtf16(const std::u16string& text, std::filesystem::path& path);

} // namespace launcher
