#pragma once

namespace firewall {

// What a firewall request asks for, as the Firewall reads it. The pipe carries these as
// option bytes (servicepipe::FirewallOptions); the dispatcher turns those into this.
struct RuleOptions
{
    bool killConnect = false; // without it no rule is installed at all
    bool iPv6LeakProtect = false;
    bool allowLocalDevices = false;
    bool blockDNS = false;

    // The kill switch in its plain form: what a saved list and an update with no
    // session bring back.
    static constexpr RuleOptions plainKillSwitch() { return {true, false, false, false}; }
};

} // namespace firewall
