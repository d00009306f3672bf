#include "pipe/linux/PeerRights.h"

#include <sys/fsuid.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace servicepipe {

namespace {

constexpr uid_t currentUid = static_cast<uid_t>(-1);
constexpr gid_t currentGid = static_cast<gid_t>(-1);

// The calling thread's groups only.
bool setThreadGroups(const std::vector<gid_t>& groups)
{
    return syscall(SYS_setgroups, groups.size(), groups.data()) == 0;
}

bool threadGroups(std::vector<gid_t>& groups)
{
    const int count = getgroups(0, nullptr);
    if (count < 0) {
        return false;
    }
    groups.resize(static_cast<std::size_t>(count));
    const int read = getgroups(count, groups.data());
    if (read < 0) {
        return false;
    }
    groups.resize(static_cast<std::size_t>(read));
    return true;
}

bool peerGroups(int socket, std::vector<gid_t>& groups)
{
    groups.resize(32);
    for (;;) {
        socklen_t length = static_cast<socklen_t>(groups.size() * sizeof(gid_t));
        if (getsockopt(socket, SOL_SOCKET, SO_PEERGROUPS, groups.data(), &length) == 0) {
            groups.resize(length / sizeof(gid_t));
            return true;
        }
        if (errno == ERANGE && length / sizeof(gid_t) > groups.size()) {
            groups.resize(length / sizeof(gid_t));
            continue;
        }
        // A kernel before 4.13 cannot tell: no supplementary groups, which can only
        // refuse what the client might have opened, never open more.
        if (errno == ENOPROTOOPT) {
            groups.clear();
            return true;
        }
        return false;
    }
}

} // namespace

void PeerRights::readFrom(int socket)
{
    clear();
    ucred credentials = {};
    socklen_t length = sizeof credentials;
    if (getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0 || length != sizeof credentials ||
        !peerGroups(socket, groups)) {
        groups.clear();
        return;
    }
    uid = credentials.uid;
    gid = credentials.gid;
    known = true;
}

void PeerRights::clear()
{
    known = false;
    groups.clear();
}

bool PeerRights::assume()
{
    if (!known || switched) {
        return false;
    }
    // The service's own user gains nothing from a switch (and could not make one
    // without root): the service's rights are already the client's.
    if (uid == geteuid()) {
        return true;
    }
    savedUid = setfsuid(currentUid);
    savedGid = setfsgid(currentGid);
    if (!threadGroups(savedGroups) || !setThreadGroups(groups)) {
        return false;
    }
    // setfsuid and setfsgid report no failure: the value read back tells.
    setfsgid(gid);
    if (static_cast<gid_t>(setfsgid(currentGid)) != gid) {
        setThreadGroups(savedGroups);
        return false;
    }
    setfsuid(uid);
    if (static_cast<uid_t>(setfsuid(currentUid)) != uid) {
        setfsgid(savedGid);
        setThreadGroups(savedGroups);
        return false;
    }
    switched = true;
    return true;
}

void PeerRights::revert()
{
    if (!switched) {
        return;
    }
    switched = false;
    // The uid first: back to root, the thread has its file capabilities again.
    setfsuid(savedUid);
    setfsgid(savedGid);
    const bool groupsBack = setThreadGroups(savedGroups);
    // A worker that kept a client's identity would serve the next request with it.
    if (!groupsBack || static_cast<uid_t>(setfsuid(currentUid)) != savedUid ||
        static_cast<gid_t>(setfsgid(currentGid)) != savedGid) {
        std::abort();
    }
}

} // namespace servicepipe
