#pragma once

#include <string>

namespace servicepipe {

// Where the service listens and the client connects. QUARNEL_SERVICE_SOCKET names
// another endpoint (tests, a second installation): on Linux any socket path, else
// /run/quarnel/QuarnelOpenVPNService; on Windows only a local pipe name
// ("\\.\pipe\" and a name without separators), else "\\.\pipe\QuarnelOpenVPNService".
std::string defaultEndpoint();

} // namespace servicepipe
