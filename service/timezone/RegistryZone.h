#pragma once

#include "timezone/Zone.h"

#include <cstddef>
#include <string>

namespace timezones {

// Size of the registry's REG_TZI_FORMAT record: bias, standard bias, daylight bias,
// standard date, daylight date.
constexpr std::size_t registryTziSize = 44;

// Builds the zone record from a zone's registry values ("Std", "Dlt", "TZI"). The key is
// 8-bit text and is widened byte by byte; texts are cut to the record's fields. False
// when tzi is not a complete REG_TZI_FORMAT record.
bool buildRegistryZone(const std::string& key, const std::wstring& standardName, const std::wstring& daylightName,
                       const unsigned char* tzi, std::size_t tziSize, Zone& zone);

} // namespace timezones
