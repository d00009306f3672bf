#include "pipe/PipeEndpoint.h"

#include <cstdlib>

namespace servicepipe {

std::string defaultEndpoint()
{
    const char* overridden = std::getenv("QUARNEL_SERVICE_SOCKET");
    if (overridden != nullptr && *overridden != '\0') {
        return overridden;
    }
    return "/run/quarnel/QuarnelOpenVPNService";
}

} // namespace servicepipe
