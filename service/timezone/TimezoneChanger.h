#pragma once

#include "timezone/Zone.h"
#include "timezone/ZoneAccess.h"
#include "timezone/ZoneMapping.h"

#include <memory>
#include <string>

namespace timezones {

// Sets the system time zone for an IANA name and puts back the zone that was in force
// when the service started. Used from the service's worker thread only.
class TimezoneChanger
{
public:
    // Captures the zone in force now; when it cannot be read, no zone is ever set.
    TimezoneChanger(std::unique_ptr<ZoneAccess> access, std::unique_ptr<ZoneMapping> mapping);
    // Puts the saved zone back if a change is still in force.
    ~TimezoneChanger();

    TimezoneChanger(const TimezoneChanger&) = delete;
    TimezoneChanger& operator=(const TimezoneChanger&) = delete;

    // The zone at start could be read, so a change can be undone.
    bool isSupported() const { return restorable; }
    // A zone set by setZone is in force and not restored yet.
    bool isChanged() const { return changed; }

    // True when the zone named by ianaName was applied.
    bool setZone(const std::string& ianaName);
    // Puts the saved zone back when a change is in force; true when it did so.
    bool restoreIfChanged();

private:
    bool restore();

    std::unique_ptr<ZoneAccess> access;
    std::unique_ptr<ZoneMapping> mapping;
    bool restorable = false;
    bool changed = false;
    Zone savedZone;
    // Cache of the last successful lookup, so that the same name again needs neither
    // the mapping nor the zone data.
    std::string lastName;
    std::string windowsKey;
    Zone appliedZone;
};

} // namespace timezones
