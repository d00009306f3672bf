#pragma once

#include "pipe/ClientRights.h"

#include <sys/types.h>

#include <vector>

namespace servicepipe {

// The rights of the process at the other end of a connected Unix socket, as the kernel
// recorded them when it connected (SO_PEERCRED, SO_PEERGROUPS): nothing the client
// writes can change them. Assumed as the calling thread's filesystem uid and gid and its
// supplementary groups, so that an open is checked as the client's own would be.
//
// The groups are part of it: the service's own groups (root's group 0 at least) would
// otherwise still count for a file's group bits, and a file of mode 0640 root:root would
// open for anyone. The thread's groups are set with the raw system call, which changes
// the calling thread only (the C library's setgroups changes every thread).
class PeerRights : public ClientRights
{
public:
    // Reads the peer of a connected socket; unknown (never assumed) when it cannot be read.
    void readFrom(int socket);
    void clear();

    bool assume() override;
    void revert() override;

private:
    bool known = false;
    uid_t uid = 0;
    gid_t gid = 0;
    std::vector<gid_t> groups;

    bool switched = false;
    uid_t savedUid = 0;
    gid_t savedGid = 0;
    std::vector<gid_t> savedGroups;
};

} // namespace servicepipe
