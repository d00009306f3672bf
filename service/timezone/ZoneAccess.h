#pragma once

#include "timezone/Zone.h"

#include <memory>
#include <string>

namespace timezones {

// What the operating system offers to read and change the system time zone. The
// changer's logic is written once over it; each system has one implementation, and
// tests substitute a fake. Failures are reported as false; messages for the service's
// log are written by the implementation, which knows the error codes.
class ZoneAccess
{
public:
    virtual ~ZoneAccess() = default;

    // The zone in force now; false when the system reports no valid zone.
    virtual bool readCurrent(Zone& zone) = 0;

    // The definition of the zone named by key: a Windows zone key, or an IANA name on
    // Linux. False when the zone is unknown or its data cannot be read.
    virtual bool readZone(const std::string& key, Zone& zone) = 0;

    // Makes zone the system time zone.
    virtual bool apply(const Zone& zone) = 0;

    // The right to change the zone is held only around a change.
    virtual void setPrivilege(bool enabled) = 0;

    // Tells running programs that the zone changed.
    virtual void broadcastChange() = 0;
};

// The access to this machine's zone, for the service process.
std::unique_ptr<ZoneAccess> createSystemZoneAccess();

} // namespace timezones
