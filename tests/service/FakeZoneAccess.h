#pragma once

#include "timezone/ZoneAccess.h"

#include <set>
#include <string>

// The machine's time zone as the fake shows it, kept outside the fake so that it can be
// read after the changer that owns the fake is gone.
struct FakeSystemZone
{
    std::string current = "Etc/UTC";
    bool readable = true;
    std::set<std::string> known = {"Etc/UTC", "Europe/Berlin", "America/New_York"};
    int applies = 0;
};

// Zones known by IANA name, as on Linux, without touching the machine.
class FakeZoneAccess : public timezones::ZoneAccess
{
public:
    explicit FakeZoneAccess(FakeSystemZone& system) : system(system) {}

    bool readCurrent(timezones::Zone& zone) override
    {
        if (!system.readable) {
            return false;
        }
        zone = named(system.current);
        return true;
    }

    bool readZone(const std::string& key, timezones::Zone& zone) override
    {
        if (system.known.count(key) == 0) {
            return false;
        }
        zone = named(key);
        return true;
    }

    bool apply(const timezones::Zone& zone) override
    {
        ++system.applies;
        system.current.assign(zone.keyName.begin(), zone.keyName.end());
        return true;
    }

    void setPrivilege(bool) override {}
    void broadcastChange() override {}

private:
    static timezones::Zone named(const std::string& name)
    {
        timezones::Zone zone;
        zone.keyName.assign(name.begin(), name.end());
        return zone;
    }

    FakeSystemZone& system;
};
