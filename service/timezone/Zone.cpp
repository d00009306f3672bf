#include "timezone/Zone.h"

namespace timezones {

bool operator==(const ZoneDate& left, const ZoneDate& right)
{
    return left.year == right.year && left.month == right.month && left.dayOfWeek == right.dayOfWeek &&
           left.day == right.day && left.hour == right.hour && left.minute == right.minute &&
           left.second == right.second && left.milliseconds == right.milliseconds;
}

bool operator==(const Zone& left, const Zone& right)
{
    return left.bias == right.bias && left.standardName == right.standardName &&
           left.standardDate == right.standardDate && left.standardBias == right.standardBias &&
           left.daylightName == right.daylightName && left.daylightDate == right.daylightDate &&
           left.daylightBias == right.daylightBias && left.keyName == right.keyName &&
           left.dynamicDaylightTimeDisabled == right.dynamicDaylightTimeDisabled;
}

} // namespace timezones
