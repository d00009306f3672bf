#pragma once

#include "pipe/ClientRights.h"

#include <windows.h>

namespace servicepipe {

// The rights of the client of a connected named-pipe instance: the calling thread
// impersonates it (ImpersonateNamedPipeClient, possible once a message has been read)
// and RevertToSelf gives the service's own token back. A client that allowed less than
// impersonation (SECURITY_IDENTIFICATION) opens nothing.
class PipeClientRights : public ClientRights
{
public:
    void attach(HANDLE connectedPipe) { pipe = connectedPipe; }
    void clear() { pipe = INVALID_HANDLE_VALUE; }

    bool assume() override;
    void revert() override;

private:
    HANDLE pipe = INVALID_HANDLE_VALUE;
};

} // namespace servicepipe
