#pragma once

#include "launcher/PrivateStore.h"
#include "launcher/RunningProcess.h"
#include "pipe/ClientRights.h"

#include <chrono>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace launcher {

class LaunchLog;

struct LaunchSettings
{
    // The OpenVPN the service was installed with: Linux the host's --openvpn (Debian's
    // /usr/sbin/openvpn by default), Windows defaultOpenVpnPath(), beside the service.
    std::filesystem::path openvpnProgram;
    // Where the configuration copies are kept, a directory only the service may use:
    // Linux "<runtime dir>/launch" (/run/quarnel/launch under the systemd unit);
    // Windows "<application data of the service account>\Quarnel\launch", beside
    // settings.dat. See PrivateStore for what is checked and enforced.
    std::filesystem::path privateDirectory;
    // Linux: the service's own DNS hook, which OpenVPN runs as --up and --down (with
    // --script-security 2, after the configuration, so nothing in it can change them) to
    // point the resolver at the tunnel's servers and back: quarnel-dns-hook beside the
    // service, and the directory where it records what it changed. Empty: no hook
    // (Windows, where OpenVPN and the TAP adapter see to DNS). A hook that is set but not
    // trusted refuses every run: a tunnel without it would resolve outside the tunnel.
    std::filesystem::path dnsHook = {};
    std::filesystem::path dnsStateDirectory = {};
    // How long an OpenVPN started earlier gets to end at each step (see run).
    std::chrono::milliseconds endGrace = std::chrono::seconds(5);
};

struct LaunchResult
{
    // The reply of RunProcess: ok is started, value is exitCode.
    bool started = false;
    int exitCode = 0;
    // Why the request was refused; empty when it was not.
    std::string refusal;
};

// RunProcess of the service. A request starts something only when:
// - its command line has exactly the shape the client builds (OpenVpnCommandLine);
// - the program it names is the installed OpenVPN, and no one else can change that
//   program (isTrustedProgram);
// - the configuration file it names is a regular file of at most 1 MiB whose every
//   directive passes the allowlist (checkConfig);
// - the management password file it names holds one password line
//   (isManagementPasswordFile).
// Each file is read once; the checked bytes are written to new copies in the private
// directory (the configuration as launchCopyOf gives it), and the installed OpenVPN is
// started on those copies, never on the client's files, so that nothing can change
// between the check and OpenVPN's read.
//
// The log stream (the service's standard output) gets one line per request:
// "RunProcess refused: <why>" for a refused one, which starts nothing, else
// "RunProcess: started <program> on <copy>, management port <port>, process <pid>";
// then OpenVPN's own output (Linux) and, when it ends, "RunProcess: OpenVPN process
// <pid> exited with status <code>", which for an end within its first seconds adds the
// first options error OpenVPN printed. The password is never written.
//
// Copies live as long as their OpenVPN: they are removed as soon as it has ended (for a
// run not waited for, by the thread that watches it), failing that at the next run once
// the process is seen to have ended, and all of them by removeCopies.
//
// One tunnel at a time: before it starts OpenVPN, the launcher ends every OpenVPN it
// started earlier that still runs (one whose client went away without a word, killed
// say), and waits until it has ended: "RunProcess: ending the OpenVPN process started
// earlier" is logged. One that will not end is a refusal, and nothing is started. The
// firewall is not touched meanwhile: its rules hold for any tunnel device.
//
// What the host does: build it once with the settings above, call run from the worker
// thread only, and call removeCopies when the service stops (the destructor does too).
// On Linux, children are reaped by the launcher itself (ProcessLauncher): the host must
// leave SIGCHLD at its default and never wait for any child but its own.
class Launcher
{
public:
    explicit Launcher(LaunchSettings settings);
    Launcher(LaunchSettings settings, std::ostream& log);
    ~Launcher();

    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    // The configuration file is opened with the client's rights: one it may not read is
    // refused as "not readable", whatever the reason.
    LaunchResult run(const std::u16string& commandLine, bool wait, servicepipe::ClientRights& client);
    // With the service's own rights, for a caller that acts for no one else.
    LaunchResult run(const std::u16string& commandLine, bool wait);
    // Removes the copies whose OpenVPN has ended; run does this first every time.
    void removeEndedCopies();
    // Removes every copy, those of programs still running included (OpenVPN has read
    // its copy at start).
    void removeCopies();

private:
    struct LiveCopy
    {
        std::u16string name;
        std::shared_ptr<RunningProcess> process;
    };

    LaunchResult refuse(const std::string& reason);
    bool endEarlierRuns();

    LaunchSettings settings;
    std::shared_ptr<LaunchLog> log;
    PrivateStore store;
    std::vector<LiveCopy> liveCopies;
};

} // namespace launcher
