#pragma once

#include "timezone/ZoneAccess.h"

#include <cstddef>
#include <set>
#include <string>
#include <vector>

// The machine's time zone as the fake shows it, kept outside the fake so that it can be
// set up before and read after the changer that owns the fake.
struct FakeSystemZone
{
    std::string current = "Etc/UTC";
    bool readable = true;
    bool applyFails = false;
    std::set<std::string> known = {"Etc/UTC", "Europe/Berlin", "America/New_York"};

    // What was asked of the system, in order: "readCurrent", "readZone <key>",
    // "apply <key>", "privilege on", "privilege off", "broadcast".
    std::vector<std::string> calls;
    int zoneReads = 0;
    int applies = 0;                  // failed ones included
    std::vector<std::string> applied; // keys that became the system's zone

    std::vector<std::string> callsSince(std::size_t start) const;
};

// Zones known by name (an IANA name, or a Windows key: the fake does not care), without
// touching the machine. A zone read is a record that carries only its key.
class FakeZoneAccess : public timezones::ZoneAccess
{
public:
    explicit FakeZoneAccess(FakeSystemZone& system) : system(system) {}

    bool readCurrent(timezones::Zone& zone) override;
    bool readZone(const std::string& key, timezones::Zone& zone) override;
    bool apply(const timezones::Zone& zone) override;
    void setPrivilege(bool enabled) override;
    void broadcastChange() override;

private:
    FakeSystemZone& system;
};
