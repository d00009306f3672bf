#pragma once

#include "timezone/ZoneMapping.h"

#include <filesystem>
#include <string>

namespace timezones {

// IANA name → Windows zone key through the CLDR supplemental file windowsZones.xml.
// The file is read at each lookup; the changer caches the last result.
class CldrZoneMapping : public ZoneMapping
{
public:
    // The file beside the service executable.
    CldrZoneMapping();
    explicit CldrZoneMapping(std::filesystem::path mappingPath);

    const std::filesystem::path& path() const { return mappingPath; }

    // The "other" attribute of the first mapZone, in document order, whose "type" list
    // holds the name as one of its blank-separated entries. A missing file, a missing
    // element on the way or no such mapZone make the name unknown.
    bool lookup(const std::string& ianaName, std::string& key) override;

private:
    std::filesystem::path mappingPath;
};

} // namespace timezones
