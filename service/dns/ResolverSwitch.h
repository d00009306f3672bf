#pragma once

#include "dns/DnsRecord.h"
#include "dns/PushedDns.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace dns {

struct ResolverPaths
{
    // Where the record of the change is kept: a directory owned by the service's user
    // and closed to everybody else (the service's state directory plus "dns").
    std::string stateDirectory;
    std::string resolvConf = "/etc/resolv.conf";
    std::string resolvectl = "/usr/bin/resolvectl";
    // systemd-resolved's own socket: it accepts connections only while resolved runs.
    std::string resolvedSocket = "/run/systemd/resolve/io.systemd.Resolve";
};

// Points the system resolver at a tunnel's DNS servers and back. With systemd-resolved
// running, the tunnel device gets the servers and the "~." routing domain (resolvectl);
// otherwise the resolver file is replaced by rename, its original saved beside the
// record. Every step takes an exclusive lock in the state directory, so the hook that
// OpenVPN runs and the service never act at once.
//
// The record is written before the system is changed and removed only once the
// original is back, so a crash at any point leaves what the next restore needs.
class ResolverSwitch
{
public:
    enum class Outcome
    {
        Nothing,
        Restored,
        Failed,
    };

    ResolverSwitch(ResolverPaths paths, std::ostream& log);

    // Makes the state directory (mode 0700), or checks that the one there is a real
    // directory of this user, and closes it to others.
    static bool prepareDirectory(const std::string& path, std::string& error);

    // Undoes a change still recorded (a tunnel that ended without it being undone),
    // then applies dns for the tunnel device on behalf of owner.
    bool apply(const PushedDns& dns, const std::string& device, const ProcessIdentity& owner, std::string& error);
    // Undoes the recorded change; with onlyFor, only a change that program made. A
    // resolver file that another program rewrote meanwhile is left as it is.
    Outcome restore(const ProcessIdentity* onlyFor, std::string& error);
    // The record as it stands, read without the lock (it is always replaced whole).
    bool readRecord(DnsRecord& record) const;

    bool resolvedRuns() const;

private:
    class State;

    Outcome restoreLocked(State& state, const ProcessIdentity* onlyFor, std::string& error);
    bool applyResolved(State& state, const PushedDns& dns, const std::string& device, const ProcessIdentity& owner,
                       std::string& error);
    bool applyResolvConf(State& state, const PushedDns& dns, const ProcessIdentity& owner, std::string& error);
    bool runResolvectl(const std::vector<std::string>& arguments);

    ResolverPaths paths;
    std::ostream& log;
};

// The identity of a running process from /proc; false when it is not there.
bool identifyProcess(long pid, ProcessIdentity& identity);

} // namespace dns
