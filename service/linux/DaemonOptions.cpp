#include "linux/DaemonOptions.h"

#include "SavedState.h"

#include "pipe/PipeEndpoint.h"

namespace service {

namespace {

struct Option
{
    const char* name;
    std::string DaemonOptions::*value;
};

const Option options[] = {
    {"--socket", &DaemonOptions::socketPath},
    {"--openvpn", &DaemonOptions::openvpnPath},
    {"--state-dir", &DaemonOptions::stateDir},
    {"--timezone-root", &DaemonOptions::timezoneRoot},
};

} // namespace

bool DaemonOptions::parse(const std::vector<std::string>& arguments, std::string& error)
{
    socketPath = servicepipe::defaultEndpoint();
    openvpnPath = "/usr/sbin/openvpn";
    stateDir = defaultSavedStateDirectory().string();
    timezoneRoot.clear();
    help = false;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            help = true;
            continue;
        }
        const Option* match = nullptr;
        std::string value;
        bool hasValue = false;
        for (const Option& option : options) {
            const std::string name = option.name;
            if (argument == name) {
                match = &option;
                if (i + 1 < arguments.size()) {
                    value = arguments[++i];
                    hasValue = true;
                }
            } else if (argument.compare(0, name.size() + 1, name + "=") == 0) {
                match = &option;
                value = argument.substr(name.size() + 1);
                hasValue = true;
            }
            if (match != nullptr) {
                break;
            }
        }
        if (match == nullptr) {
            error = "unknown option " + argument;
            return false;
        }
        if (!hasValue || value.empty()) {
            error = "option " + std::string(match->name) + " needs a value";
            return false;
        }
        this->*(match->value) = value;
    }
    return true;
}

const char* DaemonOptions::usage()
{
    return "Usage: quarnel-service [--socket PATH] [--openvpn PATH] [--state-dir DIR]\n"
           "Serves the Quarnel client's requests in the foreground until SIGTERM or SIGINT.\n"
           "  --socket PATH     listening socket (default $QUARNEL_SERVICE_SOCKET or\n"
           "                    /run/quarnel/QuarnelOpenVPNService)\n"
           "  --openvpn PATH    the OpenVPN program the service may start (default /usr/sbin/openvpn)\n"
           "  --state-dir DIR   where settings.dat is kept (default /var/lib/quarnel)\n";
}

} // namespace service
