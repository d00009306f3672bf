#include "dns/DnsGuard.h"

#include "platform/linux/Descriptor.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <ostream>
#include <utility>

namespace dns {

namespace {

using serviceplatform::Descriptor;

// A descriptor that becomes readable when the process ends; -1 when it has already
// ended or is not the one recorded (its id was taken by a later process).
int openProcess(const ProcessIdentity& owner)
{
    const int fd = static_cast<int>(syscall(SYS_pidfd_open, static_cast<pid_t>(owner.pid), 0));
    if (fd < 0) {
        return -1;
    }
    // Checked after the open: the descriptor now holds this very process, whatever
    // happens to the id.
    ProcessIdentity now;
    if (!identifyProcess(owner.pid, now) || now != owner) {
        close(fd);
        return -1;
    }
    return fd;
}

} // namespace

DnsGuard::DnsGuard(ResolverPaths paths, std::ostream& log) : paths(paths), log(log), resolver(std::move(paths), log) {}

DnsGuard::~DnsGuard()
{
    stop();
}

bool DnsGuard::prepare(std::string& error)
{
    return ResolverSwitch::prepareDirectory(paths.stateDirectory, error);
}

void DnsGuard::restoreLeftover()
{
    std::string error;
    if (resolver.restore(nullptr, error) == ResolverSwitch::Outcome::Failed) {
        log << "DNS: the resolver could not be restored: " << error << std::endl;
    }
}

bool DnsGuard::start()
{
    if (watcher.joinable()) {
        return true;
    }
    const int inotify = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (inotify < 0 ||
        inotify_add_watch(inotify, paths.stateDirectory.c_str(), IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE) < 0) {
        if (inotify >= 0) {
            close(inotify);
        }
        return false;
    }
    stopEvent = eventfd(0, EFD_CLOEXEC);
    if (stopEvent < 0) {
        close(inotify);
        return false;
    }
    watcher = std::thread([this, inotify] {
        watch(inotify, stopEvent);
        close(inotify);
    });
    return true;
}

void DnsGuard::stop()
{
    if (watcher.joinable()) {
        const std::uint64_t one = 1;
        if (write(stopEvent, &one, sizeof one) != sizeof one) {
            log << "DNS: the watcher could not be told to stop" << std::endl;
        }
        watcher.join();
    }
    if (stopEvent >= 0) {
        close(stopEvent);
        stopEvent = -1;
    }
}

void DnsGuard::watch(int inotify, int stop)
{
    Descriptor process;
    ProcessIdentity watched;
    // The OpenVPN whose end was handled: its record, if a restore failed, is left for
    // the next tunnel or start instead of being retried in a loop.
    ProcessIdentity handled;
    for (;;) {
        DnsRecord record;
        if (!resolver.readRecord(record)) {
            process.reset();
            watched = ProcessIdentity();
        } else if (record.owner != watched && record.owner != handled) {
            watched = record.owner;
            process.reset(openProcess(watched));
            if (process.get() < 0) {
                handled = watched;
                std::string error;
                if (resolver.restore(&watched, error) == ResolverSwitch::Outcome::Failed) {
                    log << "DNS: the resolver could not be restored: " << error << std::endl;
                }
                continue;
            }
        }

        pollfd entries[3] = {{stop, POLLIN, 0}, {inotify, POLLIN, 0}, {process.get(), POLLIN, 0}};
        if (poll(entries, process.get() >= 0 ? 3 : 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            log << "DNS: the watcher stopped (poll failed)" << std::endl;
            return;
        }
        if (entries[0].revents != 0) {
            return;
        }
        if (process.get() >= 0 && entries[2].revents != 0) {
            process.reset();
            handled = watched;
            std::string error;
            if (resolver.restore(&watched, error) == ResolverSwitch::Outcome::Failed) {
                log << "DNS: the resolver could not be restored: " << error << std::endl;
            }
        }
        if (entries[1].revents != 0) {
            char events[4096];
            while (read(inotify, events, sizeof events) > 0) {
            }
        }
    }
}

} // namespace dns
