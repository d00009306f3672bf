#include "pipe/win/PipeClientRights.h"

#include <cstdlib>

namespace servicepipe {

bool PipeClientRights::assume()
{
    return pipe != INVALID_HANDLE_VALUE && ImpersonateNamedPipeClient(pipe) != FALSE;
}

void PipeClientRights::revert()
{
    // A worker left in the client's token would serve every later request with it.
    if (!RevertToSelf()) {
        std::abort();
    }
}

} // namespace servicepipe
