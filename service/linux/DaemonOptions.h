#pragma once

#include <string>
#include <vector>

namespace service {

// The command line of the Linux daemon.
struct DaemonOptions
{
    std::string socketPath;  // --socket; QUARNEL_SERVICE_SOCKET or the default otherwise
    std::string openvpnPath; // --openvpn: the only program RunProcess may start
    std::string stateDir;    // --state-dir: where settings.dat lives
    // Not in the help text: a machine root in which the time zone is read and set, so
    // that tests of the real service never change the host's zone.
    std::string timezoneRoot; // --timezone-root
    bool help = false;

    // False with a message in error when the arguments are not understood.
    bool parse(const std::vector<std::string>& arguments, std::string& error);

    static const char* usage();
};

} // namespace service
