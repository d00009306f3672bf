#pragma once

#include "firewall/Engine.h"

#include <memory>

namespace firewall {

// The filtering engine of the platform the service runs on: the Windows Filtering
// Platform on Windows, nftables on Linux. Each platform's library defines it.
std::unique_ptr<Engine> makeSystemEngine();

} // namespace firewall
