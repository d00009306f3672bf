#include "timezone/IanaZoneMapping.h"

namespace timezones {

bool IanaZoneMapping::lookup(const std::string& ianaName, std::string& key)
{
    if (ianaName.empty()) {
        return false;
    }
    key = ianaName;
    return true;
}

} // namespace timezones
