#include "pipe/PipeEndpoint.h"

#include <cstdlib>
#include <cstring>

namespace servicepipe {

std::string defaultEndpoint()
{
    // Only a local pipe name may replace the default: the client opens the endpoint with
    // CreateFile, which would as readily write a request into a file or to another host.
    static const char localPipePrefix[] = "\\\\.\\pipe\\";
    const std::size_t prefixLength = sizeof localPipePrefix - 1;
    const char* overridden = std::getenv("QUARNEL_SERVICE_SOCKET");
    if (overridden != nullptr && _strnicmp(overridden, localPipePrefix, prefixLength) == 0 &&
        std::strlen(overridden) > prefixLength && std::strpbrk(overridden + prefixLength, "\\/") == nullptr) {
        return overridden;
    }
    return "\\\\.\\pipe\\QuarnelOpenVPNService";
}

} // namespace servicepipe
