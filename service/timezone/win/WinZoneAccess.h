#pragma once

#include "timezone/ZoneAccess.h"

#include <windows.h>

#include <functional>
#include <string>

namespace timezones {

// The Windows system zone: zone definitions from the registry's Time Zones key, the
// zone in force through the dynamic time-zone functions.
class WinZoneAccess : public ZoneAccess
{
public:
    // Applies a record; ERROR_SUCCESS or the error code. Replaceable so that tests
    // exercise everything but the system-wide change.
    using ApplyFunction = std::function<DWORD(const DYNAMIC_TIME_ZONE_INFORMATION&)>;

    WinZoneAccess();
    explicit WinZoneAccess(ApplyFunction applyFunction);

    bool readCurrent(Zone& zone) override;
    // Reads "Std", "Dlt" and "TZI" of the zone's registry key; on failure writes the
    // registry error code to the standard output.
    bool readZone(const std::string& key, Zone& zone) override;
    // On failure writes the error code to the standard output.
    bool apply(const Zone& zone) override;
    // SeTimeZonePrivilege on the process token.
    void setPrivilege(bool enabled) override;
    // WM_SETTINGCHANGE "intl" to every top-level window, skipping hung ones.
    void broadcastChange() override;

    static Zone fromDynamic(const DYNAMIC_TIME_ZONE_INFORMATION& information);
    static DYNAMIC_TIME_ZONE_INFORMATION toDynamic(const Zone& zone);

private:
    ApplyFunction applyFunction;
};

} // namespace timezones
