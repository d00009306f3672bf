// Fuzz target: arbitrary command lines, configuration and management password files
// through the launch policy's parsers, which stand between any local user and a
// privileged process start.
#include "launcher/ConfigPolicy.h"
#include "launcher/OpenVpnCommandLine.h"
#include "launcher/WindowsCommandLine.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // First part: a UTF-16 command line up to the first 0x0000 unit; the rest: the file.
    std::u16string line;
    std::size_t i = 0;
    for (; i + 1 < size; i += 2) {
        const char16_t unit = static_cast<char16_t>(data[i] | data[i + 1] << 8);
        if (unit == 0) {
            i += 2;
            break;
        }
        line.push_back(unit);
    }
    launcher::splitWindowsCommandLine(line);
    launcher::OpenVpnCommandLine parsed;
    std::string refusal;
    if (launcher::OpenVpnCommandLine::parse(line, parsed, refusal)) {
        // What was accepted must survive the rewrite the service runs.
        launcher::OpenVpnCommandLine again;
        if (!launcher::OpenVpnCommandLine::parse(parsed.toCommandLine(), again, refusal) ||
            again.configPath != parsed.configPath || again.port != parsed.port ||
            again.passwordPath != parsed.passwordPath) {
            __builtin_trap();
        }
        parsed.arguments();
    }
    const std::size_t offset = i < size ? i : size;
    const std::string_view file(reinterpret_cast<const char*>(data) + offset, size - offset);
    launcher::isManagementPasswordFile(file);
    if (launcher::checkConfig(file).allowed) {
        // The copy OpenVPN runs passes the same policy: the added line hides nothing.
        const std::string copy = launcher::launchCopyOf(file);
        if (file.size() + 256 < launcher::maxConfigBytes && !launcher::checkConfig(copy).allowed) {
            __builtin_trap();
        }
    }
    return 0;
}
