#include "FakeZoneAccess.h"

namespace {

timezones::Zone named(const std::string& name)
{
    timezones::Zone zone;
    zone.keyName.assign(name.begin(), name.end());
    return zone;
}

std::string keyOf(const timezones::Zone& zone)
{
    return std::string(zone.keyName.begin(), zone.keyName.end());
}

} // namespace

std::vector<std::string> FakeSystemZone::callsSince(std::size_t start) const
{
    return std::vector<std::string>(calls.begin() + static_cast<std::ptrdiff_t>(start), calls.end());
}

bool FakeZoneAccess::readCurrent(timezones::Zone& zone)
{
    system.calls.push_back("readCurrent");
    if (!system.readable) {
        return false;
    }
    zone = named(system.current);
    return true;
}

bool FakeZoneAccess::readZone(const std::string& key, timezones::Zone& zone)
{
    system.calls.push_back("readZone " + key);
    ++system.zoneReads;
    if (system.known.count(key) == 0) {
        return false;
    }
    zone = named(key);
    return true;
}

bool FakeZoneAccess::apply(const timezones::Zone& zone)
{
    const std::string key = keyOf(zone);
    system.calls.push_back("apply " + key);
    ++system.applies;
    if (system.applyFails) {
        return false;
    }
    system.current = key;
    system.applied.push_back(key);
    return true;
}

void FakeZoneAccess::setPrivilege(bool enabled)
{
    system.calls.push_back(enabled ? "privilege on" : "privilege off");
}

void FakeZoneAccess::broadcastChange()
{
    system.calls.push_back("broadcast");
}
