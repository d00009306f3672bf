// quarnel-dns-hook: the service's own --up/--down hook for OpenVPN on Linux.
//
//   quarnel-dns-hook --state-dir DIR [what OpenVPN appends: device, MTUs, addresses, init]
//
// OpenVPN runs it with script_type "up" once the tunnel device is open (still as root),
// and "down" when it closes. Up points the resolver at the DNS servers the VPN server
// pushed; down puts the previous configuration back. A configuration that drops to
// another user makes the down run powerless: the service then restores when OpenVPN ends.

#include "dns/PushedDns.h"
#include "dns/ResolverSwitch.h"

#include <unistd.h>

#include <cstring>
#include <iostream>
#include <map>
#include <string>

extern char** environ;

namespace {

std::map<std::string, std::string> environment()
{
    std::map<std::string, std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const char* equals = std::strchr(*entry, '=');
        if (equals != nullptr) {
            variables.emplace(std::string(*entry, static_cast<std::size_t>(equals - *entry)), std::string(equals + 1));
        }
    }
    return variables;
}

std::string valueOf(const std::map<std::string, std::string>& variables, const std::string& name)
{
    const auto found = variables.find(name);
    return found == variables.end() ? std::string() : found->second;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || std::strcmp(argv[1], "--state-dir") != 0 || argv[2][0] != '/') {
        std::cerr << "usage: quarnel-dns-hook --state-dir DIR (run by OpenVPN as --up and --down)" << std::endl;
        return 2;
    }
    dns::ResolverPaths paths;
    paths.stateDirectory = argv[2];
    dns::ResolverSwitch resolver(paths, std::cout);

    const std::map<std::string, std::string> variables = environment();
    const std::string scriptType = valueOf(variables, "script_type");
    dns::ProcessIdentity openvpn;
    if (!dns::identifyProcess(static_cast<long>(getppid()), openvpn)) {
        std::cerr << "DNS: cannot identify the OpenVPN that runs this hook" << std::endl;
        return 1;
    }

    std::string error;
    if (scriptType == "up") {
        const dns::PushedDns pushed = dns::PushedDns::fromEnvironment(variables);
        for (const std::string& note : pushed.notes) {
            std::cout << "DNS: " << note << std::endl;
        }
        if (pushed.empty()) {
            std::cout << "DNS: the server pushed no DNS server; the resolver is left as it is" << std::endl;
            return 0;
        }
        if (!resolver.apply(pushed, valueOf(variables, "dev"), openvpn, error)) {
            std::cerr << "DNS: " << error << std::endl;
            return 1;
        }
        return 0;
    }
    if (scriptType == "down") {
        if (resolver.restore(&openvpn, error) == dns::ResolverSwitch::Outcome::Failed) {
            if (geteuid() != 0) {
                std::cout << "DNS: OpenVPN no longer runs as root; the service restores the resolver" << std::endl;
                return 0;
            }
            std::cerr << "DNS: " << error << std::endl;
            return 1;
        }
        return 0;
    }
    std::cerr << "DNS: run as neither an up nor a down hook" << std::endl;
    return 2;
}
