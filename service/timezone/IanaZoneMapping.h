#pragma once

#include "timezone/ZoneMapping.h"

namespace timezones {

// For systems that know their zones by IANA name (Linux): the name is its own key,
// and the zone access decides whether it names a zone.
class IanaZoneMapping : public ZoneMapping
{
public:
    bool lookup(const std::string& ianaName, std::string& key) override;
};

} // namespace timezones
