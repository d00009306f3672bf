#include "pipe/PipeEndpoint.h"

namespace servicepipe {

std::string defaultEndpoint()
{
    return "\\\\.\\pipe\\QuarnelOpenVPNService";
}

} // namespace servicepipe
