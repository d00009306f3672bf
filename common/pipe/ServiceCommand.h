#pragma once

#include <cstdint>

namespace servicepipe {

// Command codes of a service request; any other code is answered with ok 0.
enum class ServiceCommand : std::int32_t
{
    RunProcess = 0,
    EnableFirewall = 1,
    DisableFirewall = 2,
    UpdateFirewall = 3,
    QueryFirewallSupport = 5,
    SaveFirewallState = 6,
    QueryTimezoneSupport = 7,
    ChangeTimezone = 8,
};

} // namespace servicepipe
