#pragma once

#include "dns/DnsRecord.h"
#include "dns/ResolverSwitch.h"

#include <iosfwd>
#include <thread>

namespace dns {

// The service's side of the tunnel's DNS: it puts the resolver back whenever the
// OpenVPN that changed it ends, whatever rights that OpenVPN had left by then, and
// after a crash at the next start.
//
// A thread watches the state directory (inotify) for the record the hook writes, and
// the OpenVPN named in it (a pidfd); when that process ends with its change still
// recorded, the change is undone. The host calls restoreLeftover before serving
// requests and again when the service stops, after stop.
class DnsGuard
{
public:
    DnsGuard(ResolverPaths paths, std::ostream& log);
    ~DnsGuard();
    DnsGuard(const DnsGuard&) = delete;
    DnsGuard& operator=(const DnsGuard&) = delete;

    // Makes the state directory (see ResolverSwitch::prepareDirectory).
    bool prepare(std::string& error);
    // Undoes whatever change is still recorded.
    void restoreLeftover();
    // Starts the watching thread; false when the system gives no inotify or eventfd.
    bool start();
    void stop();

private:
    void watch(int inotify, int stopEvent);

    ResolverPaths paths;
    std::ostream& log;
    ResolverSwitch resolver;
    std::thread watcher;
    int stopEvent = -1;
};

} // namespace dns
