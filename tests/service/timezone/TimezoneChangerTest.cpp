#include "timezone/TimezoneChanger.h"

#include "FakeZoneAccess.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

using timezones::TimezoneChanger;
using timezones::ZoneMapping;

namespace {

class FakeMapping : public ZoneMapping
{
public:
    explicit FakeMapping(int& lookups) : lookups(lookups) {}

    bool lookup(const std::string& ianaName, std::string& key) override
    {
        ++lookups;
        const auto found = keys.find(ianaName);
        if (found == keys.end()) {
            return false;
        }
        key = found->second;
        return true;
    }

    // Counted outside the mapping, which the changer owns and destroys.
    int& lookups;
    std::map<std::string, std::string> keys = {
        {"Europe/Berlin", "W. Europe Standard Time"},
        {"Asia/Tokyo", "Tokyo Standard Time"},
        {"Etc/GMT+1", "Cape Verde Standard Time"},
    };
};

class TimezoneChangerTest : public ::testing::Test
{
protected:
    TimezoneChangerTest()
    {
        system.current = "Saved Zone";
        system.known = {"W. Europe Standard Time", "Tokyo Standard Time", "Cape Verde Standard Time"};
    }

    // The system is set up before the changer reads its zone.
    std::unique_ptr<TimezoneChanger> makeChanger()
    {
        return std::make_unique<TimezoneChanger>(std::make_unique<FakeZoneAccess>(system),
                                                 std::make_unique<FakeMapping>(lookups));
    }

    FakeSystemZone system;
    int lookups = 0;
};

} // namespace

TEST_F(TimezoneChangerTest, SetsZoneWithPrivilegeHeldOnlyAroundTheChange)
{
    auto changer = makeChanger();
    ASSERT_TRUE(changer->isSupported());
    EXPECT_FALSE(changer->isChanged());

    ASSERT_TRUE(changer->setZone("Europe/Berlin"));

    EXPECT_TRUE(changer->isChanged());
    const std::vector<std::string> expected = {
        "readCurrent",   "privilege on", "readZone W. Europe Standard Time", "apply W. Europe Standard Time",
        "privilege off", "broadcast"};
    EXPECT_EQ(system.calls, expected);
}

TEST_F(TimezoneChangerTest, SameNameTwiceReadsMappingAndZoneDataOnce)
{
    auto changer = makeChanger();
    ASSERT_TRUE(changer->setZone("Europe/Berlin"));
    ASSERT_TRUE(changer->setZone("Europe/Berlin"));

    EXPECT_EQ(lookups, 1);
    EXPECT_EQ(system.zoneReads, 1);
    const std::vector<std::string> applied = {"W. Europe Standard Time", "W. Europe Standard Time"};
    EXPECT_EQ(system.applied, applied);

    // The cache holds one name: switching away and back reads again.
    ASSERT_TRUE(changer->setZone("Asia/Tokyo"));
    ASSERT_TRUE(changer->setZone("Europe/Berlin"));
    EXPECT_EQ(lookups, 3);
    EXPECT_EQ(system.zoneReads, 3);
    EXPECT_EQ(system.applied.back(), "W. Europe Standard Time");
}

TEST_F(TimezoneChangerTest, RestoreWithoutChangeDoesNothing)
{
    auto changer = makeChanger();
    const std::size_t start = system.calls.size();

    EXPECT_FALSE(changer->restoreIfChanged());
    changer.reset();

    EXPECT_TRUE(system.callsSince(start).empty());
}

TEST_F(TimezoneChangerTest, RestorePutsSavedZoneBackOnce)
{
    auto changer = makeChanger();
    ASSERT_TRUE(changer->setZone("Europe/Berlin"));
    ASSERT_TRUE(changer->setZone("Asia/Tokyo"));
    const std::size_t start = system.calls.size();

    EXPECT_TRUE(changer->restoreIfChanged());

    EXPECT_FALSE(changer->isChanged());
    const std::vector<std::string> expected = {"privilege on", "apply Saved Zone", "privilege off", "broadcast"};
    EXPECT_EQ(system.callsSince(start), expected);

    EXPECT_FALSE(changer->restoreIfChanged());
    EXPECT_EQ(system.calls.size(), start + expected.size());
}

TEST_F(TimezoneChangerTest, DestructionAfterChangeRestores)
{
    auto changer = makeChanger();
    ASSERT_TRUE(changer->setZone("Etc/GMT+1"));

    changer.reset();

    const std::vector<std::string> applied = {"Cape Verde Standard Time", "Saved Zone"};
    EXPECT_EQ(system.applied, applied);
    EXPECT_EQ(system.calls.back(), "broadcast");
}

TEST_F(TimezoneChangerTest, DestructionAfterRestoreLeavesZoneAlone)
{
    auto changer = makeChanger();
    ASSERT_TRUE(changer->setZone("Etc/GMT+1"));
    ASSERT_TRUE(changer->restoreIfChanged());
    const std::size_t start = system.calls.size();

    changer.reset();

    EXPECT_TRUE(system.callsSince(start).empty());
}

TEST_F(TimezoneChangerTest, UnreadableZoneAtStartRefusesEveryChange)
{
    system.readable = false;
    auto changer = makeChanger();

    EXPECT_FALSE(changer->isSupported());
    EXPECT_FALSE(changer->setZone("Europe/Berlin"));
    EXPECT_FALSE(changer->restoreIfChanged());
    changer.reset();

    EXPECT_EQ(lookups, 0);
    const std::vector<std::string> expected = {"readCurrent"};
    EXPECT_EQ(system.calls, expected);
}

TEST_F(TimezoneChangerTest, UnknownOrEmptyNameChangesNothing)
{
    auto changer = makeChanger();
    const std::size_t start = system.calls.size();

    // A fresh changer's cache is empty as well: an empty name must not count as a hit
    // and apply the blank cached record.
    for (const char* name : {"Mars/Olympus_Mons", "", "Europe"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(changer->setZone(name));
    }

    EXPECT_FALSE(changer->isChanged());
    EXPECT_TRUE(system.callsSince(start).empty());
}

TEST_F(TimezoneChangerTest, UnreadableZoneDataChangesNothingAndKeepsTheCache)
{
    auto changer = makeChanger();
    ASSERT_TRUE(changer->setZone("Europe/Berlin"));
    system.known.erase("Tokyo Standard Time");
    const std::size_t start = system.calls.size();

    EXPECT_FALSE(changer->setZone("Asia/Tokyo"));

    const std::vector<std::string> expected = {"privilege on", "readZone Tokyo Standard Time", "privilege off"};
    EXPECT_EQ(system.callsSince(start), expected);
    EXPECT_TRUE(changer->isChanged());

    // The failed name was not cached; the previous one still is.
    EXPECT_FALSE(changer->setZone("Asia/Tokyo"));
    EXPECT_EQ(system.zoneReads, 3);
    ASSERT_TRUE(changer->setZone("Europe/Berlin"));
    EXPECT_EQ(system.zoneReads, 3);
    EXPECT_EQ(system.applied.back(), "W. Europe Standard Time");
}

TEST_F(TimezoneChangerTest, FailedApplyLeavesStateAsItWas)
{
    auto changer = makeChanger();
    system.applyFails = true;

    EXPECT_FALSE(changer->setZone("Europe/Berlin"));
    EXPECT_FALSE(changer->isChanged());
    EXPECT_EQ(system.calls.back(), "privilege off");
    EXPECT_FALSE(changer->restoreIfChanged());

    // The zone data was complete, so a retry needs neither mapping nor data again.
    system.applyFails = false;
    EXPECT_TRUE(changer->setZone("Europe/Berlin"));
    EXPECT_EQ(lookups, 1);
    EXPECT_EQ(system.zoneReads, 1);
}

TEST_F(TimezoneChangerTest, FailedRestoreKeepsTheChangeAndRetriesAtExit)
{
    auto changer = makeChanger();
    ASSERT_TRUE(changer->setZone("Europe/Berlin"));
    system.applyFails = true;

    EXPECT_FALSE(changer->restoreIfChanged());
    EXPECT_TRUE(changer->isChanged());
    EXPECT_EQ(system.calls.back(), "privilege off");

    system.applyFails = false;
    changer.reset();
    EXPECT_EQ(system.applied.back(), "Saved Zone");
}

TEST(TimezoneChanger, WithoutAccessIsUnsupported)
{
    TimezoneChanger changer(nullptr, nullptr);
    EXPECT_FALSE(changer.isSupported());
    EXPECT_FALSE(changer.setZone("Europe/Berlin"));
    EXPECT_FALSE(changer.restoreIfChanged());
}
