#include "timezone/RegistryZone.h"
#include "timezone/IanaZoneMapping.h"
#include "timezone/MappingPath.h"

#include "platform/ExecutablePath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using timezones::buildRegistryZone;
using timezones::registryTziSize;
using timezones::Zone;
using timezones::ZoneDate;

namespace {

void putLong(std::vector<unsigned char>& bytes, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<unsigned char>(bits >> shift));
    }
}

void putDate(std::vector<unsigned char>& bytes, const ZoneDate& date)
{
    for (std::uint16_t word :
         {date.year, date.month, date.dayOfWeek, date.day, date.hour, date.minute, date.second, date.milliseconds}) {
        bytes.push_back(static_cast<unsigned char>(word & 0xff));
        bytes.push_back(static_cast<unsigned char>(word >> 8));
    }
}

ZoneDate rule(std::uint16_t month, std::uint16_t week, std::uint16_t hour)
{
    ZoneDate date;
    date.month = month;
    date.day = week;
    date.hour = hour;
    return date;
}

} // namespace

TEST(RegistryZone, DecodesTheRegistryRecord)
{
    // Central Europe: UTC+1, summer time from the last Sunday of March 02:00 to the
    // last Sunday of October 03:00.
    std::vector<unsigned char> tzi;
    putLong(tzi, -60);
    putLong(tzi, 0);
    putLong(tzi, -60);
    putDate(tzi, rule(10, 5, 3));
    putDate(tzi, rule(3, 5, 2));
    ASSERT_EQ(tzi.size(), registryTziSize);

    Zone zone;
    ASSERT_TRUE(buildRegistryZone("W. Europe Standard Time", L"W. Europe Standard Time", L"W. Europe Daylight Time",
                                  tzi.data(), tzi.size(), zone));

    EXPECT_EQ(zone.bias, -60);
    EXPECT_EQ(zone.standardBias, 0);
    EXPECT_EQ(zone.daylightBias, -60);
    EXPECT_EQ(zone.standardDate, rule(10, 5, 3));
    EXPECT_EQ(zone.daylightDate, rule(3, 5, 2));
    EXPECT_EQ(zone.standardName, L"W. Europe Standard Time");
    EXPECT_EQ(zone.daylightName, L"W. Europe Daylight Time");
    EXPECT_EQ(zone.keyName, L"W. Europe Standard Time");
    EXPECT_FALSE(zone.dynamicDaylightTimeDisabled);
}

TEST(RegistryZone, CutsTextsToTheirFieldsAndWidensTheKeyByteByByte)
{
    std::vector<unsigned char> tzi(registryTziSize, 0);
    const std::wstring longName(40, L'n');
    std::string key(150, 'k');
    key[0] = '\xe9';

    Zone zone;
    ASSERT_TRUE(buildRegistryZone(key, longName, longName, tzi.data(), tzi.size(), zone));

    EXPECT_EQ(zone.standardName, std::wstring(31, L'n'));
    EXPECT_EQ(zone.daylightName, std::wstring(31, L'n'));
    ASSERT_EQ(zone.keyName.size(), 127u);
    EXPECT_EQ(zone.keyName[0], static_cast<wchar_t>(0xe9));
    EXPECT_EQ(zone.keyName.substr(1), std::wstring(126, L'k'));
}

TEST(RegistryZone, RefusesIncompleteRecordAndLeavesZoneAlone)
{
    Zone zone;
    zone.bias = 123;
    for (std::size_t size : {std::size_t(0), registryTziSize - 1, registryTziSize + 1}) {
        SCOPED_TRACE(size);
        std::vector<unsigned char> tzi(size + 1, 0);
        EXPECT_FALSE(buildRegistryZone("UTC", L"UTC", L"UTC", tzi.data(), size, zone));
    }
    EXPECT_FALSE(buildRegistryZone("UTC", L"UTC", L"UTC", nullptr, registryTziSize, zone));
    EXPECT_EQ(zone.bias, 123);
}

TEST(IanaZoneMapping, NameIsItsOwnKey)
{
    timezones::IanaZoneMapping mapping;
    std::string key = "previous";
    EXPECT_FALSE(mapping.lookup("", key));
    EXPECT_EQ(key, "previous");
    ASSERT_TRUE(mapping.lookup("Europe/Berlin", key));
    EXPECT_EQ(key, "Europe/Berlin");
}

TEST(MappingPath, FileBesideTheProgram)
{
    const std::filesystem::path program = serviceplatform::executablePath();
    ASSERT_FALSE(program.empty());
    // In the system's own spelling: on Windows joined with a backslash.
    const std::filesystem::path::string_type expected = program.parent_path().native() +
                                                        std::filesystem::path::preferred_separator +
                                                        std::filesystem::path("windowsZones.xml").native();
    EXPECT_EQ(timezones::defaultMappingPath().native(), expected);
}
