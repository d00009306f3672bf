#pragma once

// IANA names with the Windows zone key that the CLDR file gives them and that key's
// standard bias (minutes, UTC minus local time) in the registry. The names that occur
// inside longer entries of a "type" list come first: a substring search gets them wrong.
struct KnownZone
{
    const char* ianaName;
    const char* windowsKey;
    int bias;
};

inline const KnownZone knownZones[] = {
    {"Etc/GMT+1", "Cape Verde Standard Time", 60},
    {"Etc/GMT", "UTC", 0},
    {"America/Bahia", "Bahia Standard Time", 180},
    {"America/Dawson", "Yukon Standard Time", 420},
    {"Etc/GMT+12", "Dateline Standard Time", 720},
    {"Etc/UTC", "UTC", 0},
    {"Etc/GMT-14", "Line Islands Standard Time", -840},
    {"America/Bahia_Banderas", "Central Standard Time (Mexico)", 360},
    {"America/Dawson_Creek", "US Mountain Standard Time", 420},
    {"America/Juneau", "Alaskan Standard Time", 540},
    {"America/New_York", "Eastern Standard Time", 300},
    {"America/Los_Angeles", "Pacific Standard Time", 480},
    {"America/Sao_Paulo", "E. South America Standard Time", 180},
    {"America/St_Johns", "Newfoundland Standard Time", 210},
    {"Pacific/Honolulu", "Hawaiian Standard Time", 600},
    {"Europe/London", "GMT Standard Time", 0},
    {"Europe/Berlin", "W. Europe Standard Time", -60},
    {"Europe/Paris", "Romance Standard Time", -60},
    {"Europe/Kiev", "FLE Standard Time", -120},
    {"Europe/Moscow", "Russian Standard Time", -180},
    {"Africa/Johannesburg", "South Africa Standard Time", -120},
    {"Asia/Tehran", "Iran Standard Time", -210},
    {"Asia/Dubai", "Arabian Standard Time", -240},
    {"Asia/Calcutta", "India Standard Time", -330},
    {"Asia/Katmandu", "Nepal Standard Time", -345},
    {"Asia/Shanghai", "China Standard Time", -480},
    {"Asia/Tokyo", "Tokyo Standard Time", -540},
    {"Australia/Sydney", "AUS Eastern Standard Time", -600},
    {"Pacific/Auckland", "New Zealand Standard Time", -720},
    {"Pacific/Chatham", "Chatham Islands Standard Time", -765},
};
