#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace timezones {

// Field sizes of the Windows dynamic time-zone record, without the terminator.
constexpr std::size_t zoneNameLength = 31;
constexpr std::size_t zoneKeyLength = 127;

// A calendar moment in the layout of SYSTEMTIME; in a zone record it encodes the
// transition rule (month, week as day, day of week, time of day).
struct ZoneDate
{
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t dayOfWeek = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;
};

bool operator==(const ZoneDate& left, const ZoneDate& right);
inline bool operator!=(const ZoneDate& left, const ZoneDate& right)
{
    return !(left == right);
}

// A time zone as the zone access applies it. The fields mirror the Windows dynamic
// time-zone record, so that the Windows access converts it one to one; the Linux
// access uses only keyName, which then holds the IANA name.
struct Zone
{
    std::int32_t bias = 0;
    std::wstring standardName;
    ZoneDate standardDate;
    std::int32_t standardBias = 0;
    std::wstring daylightName;
    ZoneDate daylightDate;
    std::int32_t daylightBias = 0;
    std::wstring keyName;
    bool dynamicDaylightTimeDisabled = false;
};

bool operator==(const Zone& left, const Zone& right);
inline bool operator!=(const Zone& left, const Zone& right)
{
    return !(left == right);
}

} // namespace timezones
