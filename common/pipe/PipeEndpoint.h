#pragma once

#include <string>

namespace servicepipe {

// Where the service listens and the client connects: the named pipe
// "\\.\pipe\QuarnelOpenVPNService" on Windows; on Linux the Unix socket named by
// QUARNEL_SERVICE_SOCKET, else /run/quarnel/QuarnelOpenVPNService.
std::string defaultEndpoint();

} // namespace servicepipe
