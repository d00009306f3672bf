#include "timezone/RegistryZone.h"

namespace timezones {

namespace {

// The registry stores the record little-endian whatever the host, so it is decoded
// byte by byte rather than copied over a struct.
std::uint16_t readWord(const unsigned char* bytes)
{
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::int32_t readLong(const unsigned char* bytes)
{
    const std::uint32_t value = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
                                (static_cast<std::uint32_t>(bytes[2]) << 16) |
                                (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(value);
}

ZoneDate readDate(const unsigned char* bytes)
{
    ZoneDate date;
    date.year = readWord(bytes);
    date.month = readWord(bytes + 2);
    date.dayOfWeek = readWord(bytes + 4);
    date.day = readWord(bytes + 6);
    date.hour = readWord(bytes + 8);
    date.minute = readWord(bytes + 10);
    date.second = readWord(bytes + 12);
    date.milliseconds = readWord(bytes + 14);
    return date;
}

} // namespace

bool buildRegistryZone(const std::string& key, const std::wstring& standardName, const std::wstring& daylightName,
                       const unsigned char* tzi, std::size_t tziSize, Zone& zone)
{
    if (tzi == nullptr || tziSize != registryTziSize) {
        return false;
    }
    Zone built;
    built.bias = readLong(tzi);
    built.standardBias = readLong(tzi + 4);
    built.daylightBias = readLong(tzi + 8);
    built.standardDate = readDate(tzi + 12);
    built.daylightDate = readDate(tzi + 28);
    built.standardName = standardName.substr(0, zoneNameLength);
    built.daylightName = daylightName.substr(0, zoneNameLength);
    for (std::size_t i = 0; i < key.size() && i < zoneKeyLength; ++i) {
        built.keyName += static_cast<wchar_t>(static_cast<unsigned char>(key[i]));
    }
    built.dynamicDaylightTimeDisabled = false;
    zone = built;
    return true;
}

} // namespace timezones
