#pragma once

#include <string>

namespace timezones {

// Turns the IANA name a client sends into the key under which the system's zone
// access knows the zone.
class ZoneMapping
{
public:
    virtual ~ZoneMapping() = default;

    // False when the name is unknown; key is then left as it was.
    virtual bool lookup(const std::string& ianaName, std::string& key) = 0;
};

} // namespace timezones
