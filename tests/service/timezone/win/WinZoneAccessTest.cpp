#include "timezone/win/WinZoneAccess.h"

#include "timezone/TimezoneChanger.h"

#include "KnownZones.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using timezones::TimezoneChanger;
using timezones::WinZoneAccess;
using timezones::Zone;

namespace {

std::string narrow(const std::wstring& text)
{
    std::string result;
    for (wchar_t c : text) {
        result += static_cast<char>(c);
    }
    return result;
}

bool sameDate(const SYSTEMTIME& left, const SYSTEMTIME& right)
{
    return std::memcmp(&left, &right, sizeof left) == 0;
}

// Field by field: the record's trailing padding carries no meaning.
bool sameRecord(const DYNAMIC_TIME_ZONE_INFORMATION& left, const DYNAMIC_TIME_ZONE_INFORMATION& right)
{
    return left.Bias == right.Bias && std::wstring(left.StandardName) == right.StandardName &&
           sameDate(left.StandardDate, right.StandardDate) && left.StandardBias == right.StandardBias &&
           std::wstring(left.DaylightName) == right.DaylightName && sameDate(left.DaylightDate, right.DaylightDate) &&
           left.DaylightBias == right.DaylightBias && std::wstring(left.TimeZoneKeyName) == right.TimeZoneKeyName &&
           !left.DynamicDaylightTimeDisabled == !right.DynamicDaylightTimeDisabled;
}

// The CLDR names of the shared table, standing in for the mapping file, which needs a
// tinyxml2 that this cross-build does not have.
class TableMapping : public timezones::ZoneMapping
{
public:
    bool lookup(const std::string& ianaName, std::string& key) override
    {
        for (const KnownZone& zone : knownZones) {
            if (ianaName == zone.ianaName) {
                key = zone.windowsKey;
                return true;
            }
        }
        return false;
    }
};

// Takes the place of SetDynamicTimeZoneInformation: a test never changes the zone.
struct AppliedRecords
{
    std::vector<DYNAMIC_TIME_ZONE_INFORMATION> records;
    DWORD result = ERROR_SUCCESS;

    WinZoneAccess::ApplyFunction function()
    {
        return [this](const DYNAMIC_TIME_ZONE_INFORMATION& information) {
            records.push_back(information);
            return result;
        };
    }
};

} // namespace

TEST(WinZoneAccess, ReadsKnownZonesFromTheRegistry)
{
    WinZoneAccess access(nullptr);
    for (const KnownZone& known : knownZones) {
        SCOPED_TRACE(known.windowsKey);
        Zone zone;
        ASSERT_TRUE(access.readZone(known.windowsKey, zone));
        EXPECT_EQ(zone.bias, known.bias);
        EXPECT_EQ(narrow(zone.keyName), known.windowsKey);
        EXPECT_FALSE(zone.standardName.empty());
        EXPECT_LE(zone.standardName.size(), 31u);
        EXPECT_LE(zone.daylightName.size(), 31u);
        EXPECT_FALSE(zone.dynamicDaylightTimeDisabled);
    }
}

TEST(WinZoneAccess, RecordsMatchTheSystemsOwnZoneList)
{
    // The system decodes the same registry values for its zone list: every field of our
    // record must agree with its record.
    WinZoneAccess access(nullptr);
    int compared = 0;
    for (DWORD index = 0;; ++index) {
        DYNAMIC_TIME_ZONE_INFORMATION system = {};
        const DWORD status = EnumDynamicTimeZoneInformation(index, &system);
        if (status == ERROR_NO_MORE_ITEMS) {
            break;
        }
        ASSERT_EQ(status, static_cast<DWORD>(ERROR_SUCCESS));
        const std::string key = narrow(system.TimeZoneKeyName);
        SCOPED_TRACE(key);
        Zone zone;
        ASSERT_TRUE(access.readZone(key, zone));
        EXPECT_TRUE(sameRecord(WinZoneAccess::toDynamic(zone), system));
        ++compared;
    }
    EXPECT_GE(compared, 100);
}

TEST(WinZoneAccess, MissingZoneReportsTheRegistryError)
{
    WinZoneAccess access(nullptr);
    Zone zone;
    zone.bias = 123;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(access.readZone("No Such Standard Time", zone));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failed to retrieve new time zone info, error code was 2\n");
    EXPECT_EQ(zone.bias, 123);
}

TEST(WinZoneAccess, CurrentZoneSurvivesTheRoundTrip)
{
    WinZoneAccess access(nullptr);
    Zone zone;
    ASSERT_TRUE(access.readCurrent(zone));
    DYNAMIC_TIME_ZONE_INFORMATION system = {};
    ASSERT_NE(GetDynamicTimeZoneInformation(&system), TIME_ZONE_ID_INVALID);
    EXPECT_TRUE(sameRecord(WinZoneAccess::toDynamic(zone), system));
}

TEST(WinZoneAccess, TextsAreCutAndTerminatedInTheRecord)
{
    Zone zone;
    zone.standardName = std::wstring(40, L's');
    zone.daylightName = std::wstring(32, L'd');
    zone.keyName = std::wstring(200, L'k');
    const DYNAMIC_TIME_ZONE_INFORMATION record = WinZoneAccess::toDynamic(zone);
    EXPECT_EQ(std::wstring(record.StandardName), std::wstring(31, L's'));
    EXPECT_EQ(std::wstring(record.DaylightName), std::wstring(31, L'd'));
    EXPECT_EQ(std::wstring(record.TimeZoneKeyName), std::wstring(127, L'k'));
}

TEST(WinZoneAccess, ChangerAppliesTheRegistryZoneAndRestoresTheSavedOne)
{
    AppliedRecords applied;
    DYNAMIC_TIME_ZONE_INFORMATION saved = {};
    ASSERT_NE(GetDynamicTimeZoneInformation(&saved), TIME_ZONE_ID_INVALID);
    {
        TimezoneChanger changer(std::make_unique<WinZoneAccess>(applied.function()), std::make_unique<TableMapping>());
        ASSERT_TRUE(changer.isSupported());

        ASSERT_TRUE(changer.setZone("Etc/GMT+1"));
        ASSERT_EQ(applied.records.size(), 1u);
        const DYNAMIC_TIME_ZONE_INFORMATION& record = applied.records[0];
        EXPECT_EQ(std::wstring(record.TimeZoneKeyName), L"Cape Verde Standard Time");
        EXPECT_EQ(record.Bias, 60);
        EXPECT_FALSE(record.DynamicDaylightTimeDisabled);

        ASSERT_TRUE(changer.restoreIfChanged());
        ASSERT_EQ(applied.records.size(), 2u);
        EXPECT_TRUE(sameRecord(applied.records[1], saved));

        ASSERT_TRUE(changer.setZone("Asia/Katmandu"));
    }
    ASSERT_EQ(applied.records.size(), 4u);
    EXPECT_EQ(applied.records[2].Bias, -345);
    EXPECT_TRUE(sameRecord(applied.records[3], saved));
}

TEST(WinZoneAccess, FailedApplyReportsTheErrorAndChangesNothing)
{
    AppliedRecords applied;
    applied.result = ERROR_ACCESS_DENIED;
    TimezoneChanger changer(std::make_unique<WinZoneAccess>(applied.function()), std::make_unique<TableMapping>());

    testing::internal::CaptureStdout();
    EXPECT_FALSE(changer.setZone("Europe/Berlin"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "SetDynamicTimeZoneInformation failed (5)\n");
    EXPECT_FALSE(changer.isChanged());
    EXPECT_EQ(applied.records.size(), 1u);
}
