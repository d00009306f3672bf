// quarnel-service for Linux: the privileged service as a foreground daemon. SIGTERM and
// SIGINT are its stop control; systemd learns readiness and stopping through sd_notify.

#include "Dispatcher.h"
#include "LauncherRunner.h"
#include "SavedState.h"
#include "ServiceHost.h"
#include "ServiceStatus.h"
#include "linux/DaemonOptions.h"
#include "linux/SystemdReporter.h"

#include "dns/DnsGuard.h"
#include "firewall/Firewall.h"
#include "firewall/SystemEngine.h"
#include "pipe/PipeServer.h"
#include "pipe/StopEvent.h"
#include "platform/ExecutablePath.h"
#include "timezone/IanaZoneMapping.h"
#include "timezone/TimezoneChanger.h"
#include "timezone/linux/LinuxZoneAccess.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

std::unique_ptr<timezones::ZoneAccess> zoneAccessFor(const std::string& root)
{
    if (root.empty()) {
        return timezones::createSystemZoneAccess();
    }
    timezones::LinuxZoneAccess::Paths paths;
    paths.zoneinfoDir = root + "/usr/share/zoneinfo";
    paths.etcDir = root + "/etc";
    paths.systemdDir = root + "/run/systemd/system";
    paths.timedatectl = root + "/usr/bin/timedatectl";
    return std::make_unique<timezones::LinuxZoneAccess>(paths);
}

// The runtime directory: where the socket is, and the launcher's private directory.
std::string parentDirectory(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// systemd makes the runtime directory (RuntimeDirectory); started by hand, we do.
void makeDirectory(const std::string& path)
{
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
        std::printf("Cannot create %s (%d)\n", path.c_str(), errno);
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    service::DaemonOptions options;
    std::string error;
    if (!options.parse(std::vector<std::string>(argv + 1, argv + argc), error)) {
        std::fprintf(stderr, "quarnel-service: %s\n%s", error.c_str(), service::DaemonOptions::usage());
        return 2;
    }
    if (options.help) {
        std::printf("%s", service::DaemonOptions::usage());
        return 0;
    }

    // Blocked before any thread starts, so that the signals reach only the control
    // loop below and never interrupt the worker halfway through a request.
    sigset_t controls;
    sigemptyset(&controls);
    sigaddset(&controls, SIGTERM);
    sigaddset(&controls, SIGINT);
    pthread_sigmask(SIG_BLOCK, &controls, nullptr);
    signal(SIGPIPE, SIG_IGN);
    const int signals = signalfd(-1, &controls, SFD_CLOEXEC);
    if (signals < 0) {
        std::printf("signalfd failed (%d)\n", errno);
        return 1;
    }

    const std::string runtimeDirectory = parentDirectory(options.socketPath);
    makeDirectory(runtimeDirectory);

    // The tunnel's DNS: what a crashed service or an OpenVPN killed with it left in the
    // resolver is put back before any request is served; from then on, the resolver is
    // restored whenever the OpenVPN that changed it ends, and when the service stops.
    makeDirectory(options.stateDir);
    dns::ResolverPaths resolverPaths;
    resolverPaths.stateDirectory = options.stateDir + "/dns";
    dns::DnsGuard dnsGuard(resolverPaths, std::cout);
    std::string dnsError;
    if (!dnsGuard.prepare(dnsError)) {
        std::printf("DNS: %s\n", dnsError.c_str());
    }
    dnsGuard.restoreLeftover();
    if (!dnsGuard.start()) {
        std::printf("DNS: the end of OpenVPN cannot be watched (%d)\n", errno);
    }

    // Process-wide objects, destroyed at exit in reverse order: the changed zone is put
    // back, then the firewall's rules are removed.
    firewall::Firewall firewall(firewall::makeSystemEngine());
    timezones::TimezoneChanger timezone(zoneAccessFor(options.timezoneRoot),
                                        std::make_unique<timezones::IanaZoneMapping>());
    const service::SavedState savedState(options.stateDir);
    launcher::LaunchSettings launch;
    launch.openvpnProgram = options.openvpnPath;
    launch.privateDirectory = std::filesystem::path(runtimeDirectory) / "launch";
    launch.dnsHook = serviceplatform::executableDirectory() / "quarnel-dns-hook";
    launch.dnsStateDirectory = resolverPaths.stateDirectory;
    service::LauncherRunner runner(launch);
    service::Dispatcher dispatcher(firewall, timezone, runner, savedState);

    service::SystemdReporter reporter;
    service::ServiceStatus status(reporter);
    service::ServiceHost host(status, dispatcher, firewall, [&options](const servicepipe::StopEvent& stopEvent) {
        return std::make_unique<servicepipe::PipeServer>(options.socketPath, stopEvent);
    });

    servicepipe::StopEvent finished;
    if (!finished.isValid()) {
        std::printf("eventfd failed (%lu)\n", finished.error());
        return 1;
    }
    std::thread serviceMain([&host, &finished] {
        host.serviceMain();
        finished.set();
    });

    // The control handler's thread: every stop signal is offered to the host, which
    // acts on it only while running.
    for (;;) {
        pollfd entries[2] = {{signals, POLLIN, 0}, {static_cast<int>(finished.native()), POLLIN, 0}};
        if (poll(entries, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (entries[1].revents != 0) {
            break;
        }
        signalfd_siginfo info = {};
        if ((entries[0].revents & POLLIN) != 0 && read(signals, &info, sizeof info) == sizeof info) {
            host.stop();
        }
    }
    serviceMain.join();
    dnsGuard.stop();
    dnsGuard.restoreLeftover();
    close(signals);
    return 0;
}
