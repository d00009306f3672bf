#include "timezone/TimezoneChanger.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

using timezones::TimezoneChanger;
using timezones::Zone;
using timezones::ZoneAccess;
using timezones::ZoneMapping;

namespace {

// What the changer asked of the system, kept outside the fakes so that it can be read
// after the changer (which owns them) is gone.
struct Journal
{
    std::vector<std::string> calls;
    int lookups = 0;
    int zoneReads = 0;
    std::vector<std::string> applied;

    std::vector<std::string> callsSince(std::size_t start) const
    {
        return std::vector<std::string>(calls.begin() + static_cast<std::ptrdiff_t>(start), calls.end());
    }
};

std::string keyOf(const Zone& zone)
{
    return std::string(zone.keyName.begin(), zone.keyName.end());
}

Zone zoneWithKey(const std::string& key, int bias)
{
    Zone zone;
    zone.keyName.assign(key.begin(), key.end());
    zone.bias = bias;
    zone.standardName = zone.keyName;
    return zone;
}

class FakeZoneAccess : public ZoneAccess
{
public:
    explicit FakeZoneAccess(Journal& journal) : journal(journal) {}

    bool readCurrent(Zone& zone) override
    {
        journal.calls.push_back("readCurrent");
        if (!currentReadable) {
            return false;
        }
        zone = zoneWithKey("Saved Zone", 0);
        return true;
    }

    bool readZone(const std::string& key, Zone& zone) override
    {
        ++journal.zoneReads;
        journal.calls.push_back("readZone " + key);
        if (key == unreadableKey) {
            return false;
        }
        zone = zoneWithKey(key, static_cast<int>(key.size()));
        return true;
    }

    bool apply(const Zone& zone) override
    {
        journal.calls.push_back("apply " + keyOf(zone));
        if (failApply) {
            return false;
        }
        journal.applied.push_back(keyOf(zone));
        return true;
    }

    void setPrivilege(bool enabled) override { journal.calls.push_back(enabled ? "privilege on" : "privilege off"); }

    void broadcastChange() override { journal.calls.push_back("broadcast"); }

    Journal& journal;
    bool currentReadable = true;
    bool failApply = false;
    std::string unreadableKey;
};

class FakeMapping : public ZoneMapping
{
public:
    explicit FakeMapping(Journal& journal) : journal(journal) {}

    bool lookup(const std::string& ianaName, std::string& key) override
    {
        ++journal.lookups;
        const auto found = keys.find(ianaName);
        if (found == keys.end()) {
            return false;
        }
        key = found->second;
        return true;
    }

    Journal& journal;
    std::map<std::string, std::string> keys = {
        {"Europe/Berlin", "W. Europe Standard Time"},
        {"Asia/Tokyo", "Tokyo Standard Time"},
        {"Etc/GMT+1", "Cape Verde Standard Time"},
    };
};

class TimezoneChangerTest : public ::testing::Test
{
protected:
    // Options are set on the fakes before the changer takes them over.
    std::unique_ptr<TimezoneChanger> makeChanger()
    {
        return std::make_unique<TimezoneChanger>(std::move(access), std::move(mapping));
    }

    Journal journal;
    std::unique_ptr<FakeZoneAccess> access = std::make_unique<FakeZoneAccess>(journal);
    std::unique_ptr<FakeMapping> mapping = std::make_unique<FakeMapping>(journal);
    FakeZoneAccess* accessView = access.get();
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
    EXPECT_EQ(journal.calls, expected);
}

TEST_F(TimezoneChangerTest, SameNameTwiceReadsMappingAndZoneDataOnce)
{
    auto changer = makeChanger();
    ASSERT_TRUE(changer->setZone("Europe/Berlin"));
    ASSERT_TRUE(changer->setZone("Europe/Berlin"));

    EXPECT_EQ(journal.lookups, 1);
    EXPECT_EQ(journal.zoneReads, 1);
    const std::vector<std::string> applied = {"W. Europe Standard Time", "W. Europe Standard Time"};
    EXPECT_EQ(journal.applied, applied);

    // The cache holds one name: switching away and back reads again.
    ASSERT_TRUE(changer->setZone("Asia/Tokyo"));
    ASSERT_TRUE(changer->setZone("Europe/Berlin"));
    EXPECT_EQ(journal.lookups, 3);
    EXPECT_EQ(journal.zoneReads, 3);
    EXPECT_EQ(journal.applied.back(), "W. Europe Standard Time");
}

TEST_F(TimezoneChangerTest, RestoreWithoutChangeDoesNothing)
{
    auto changer = makeChanger();
    const std::size_t start = journal.calls.size();

    EXPECT_FALSE(changer->restoreIfChanged());
    changer.reset();

    EXPECT_TRUE(journal.callsSince(start).empty());
}

TEST_F(TimezoneChangerTest, RestorePutsSavedZoneBackOnce)
{
    auto changer = makeChanger();
    ASSERT_TRUE(changer->setZone("Europe/Berlin"));
    ASSERT_TRUE(changer->setZone("Asia/Tokyo"));
    const std::size_t start = journal.calls.size();

    EXPECT_TRUE(changer->restoreIfChanged());

    EXPECT_FALSE(changer->isChanged());
    const std::vector<std::string> expected = {"privilege on", "apply Saved Zone", "privilege off", "broadcast"};
    EXPECT_EQ(journal.callsSince(start), expected);

    EXPECT_FALSE(changer->restoreIfChanged());
    EXPECT_EQ(journal.calls.size(), start + expected.size());
}

TEST_F(TimezoneChangerTest, DestructionAfterChangeRestores)
{
    auto changer = makeChanger();
    ASSERT_TRUE(changer->setZone("Etc/GMT+1"));

    changer.reset();

    const std::vector<std::string> applied = {"Cape Verde Standard Time", "Saved Zone"};
    EXPECT_EQ(journal.applied, applied);
    EXPECT_EQ(journal.calls.back(), "broadcast");
}

TEST_F(TimezoneChangerTest, DestructionAfterRestoreLeavesZoneAlone)
{
    auto changer = makeChanger();
    ASSERT_TRUE(changer->setZone("Etc/GMT+1"));
    ASSERT_TRUE(changer->restoreIfChanged());
    const std::size_t start = journal.calls.size();

    changer.reset();

    EXPECT_TRUE(journal.callsSince(start).empty());
}

TEST_F(TimezoneChangerTest, UnreadableZoneAtStartRefusesEveryChange)
{
    accessView->currentReadable = false;
    auto changer = makeChanger();

    EXPECT_FALSE(changer->isSupported());
    EXPECT_FALSE(changer->setZone("Europe/Berlin"));
    EXPECT_FALSE(changer->restoreIfChanged());
    changer.reset();

    EXPECT_EQ(journal.lookups, 0);
    const std::vector<std::string> expected = {"readCurrent"};
    EXPECT_EQ(journal.calls, expected);
}

TEST_F(TimezoneChangerTest, UnknownOrEmptyNameChangesNothing)
{
    auto changer = makeChanger();
    const std::size_t start = journal.calls.size();

    // A fresh changer's cache is empty as well: an empty name must not count as a hit
    // and apply the blank cached record.
    for (const char* name : {"Mars/Olympus_Mons", "", "Europe"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(changer->setZone(name));
    }

    EXPECT_FALSE(changer->isChanged());
    EXPECT_TRUE(journal.callsSince(start).empty());
}

TEST_F(TimezoneChangerTest, UnreadableZoneDataChangesNothingAndKeepsTheCache)
{
    auto changer = makeChanger();
    ASSERT_TRUE(changer->setZone("Europe/Berlin"));
    accessView->unreadableKey = "Tokyo Standard Time";
    const std::size_t start = journal.calls.size();

    EXPECT_FALSE(changer->setZone("Asia/Tokyo"));

    const std::vector<std::string> expected = {"privilege on", "readZone Tokyo Standard Time", "privilege off"};
    EXPECT_EQ(journal.callsSince(start), expected);
    EXPECT_TRUE(changer->isChanged());

    // The failed name was not cached; the previous one still is.
    EXPECT_FALSE(changer->setZone("Asia/Tokyo"));
    EXPECT_EQ(journal.zoneReads, 3);
    ASSERT_TRUE(changer->setZone("Europe/Berlin"));
    EXPECT_EQ(journal.zoneReads, 3);
    EXPECT_EQ(journal.applied.back(), "W. Europe Standard Time");
}

TEST_F(TimezoneChangerTest, FailedApplyLeavesStateAsItWas)
{
    auto changer = makeChanger();
    accessView->failApply = true;

    EXPECT_FALSE(changer->setZone("Europe/Berlin"));
    EXPECT_FALSE(changer->isChanged());
    EXPECT_EQ(journal.calls.back(), "privilege off");
    EXPECT_FALSE(changer->restoreIfChanged());

    // The zone data was complete, so a retry needs neither mapping nor data again.
    accessView->failApply = false;
    EXPECT_TRUE(changer->setZone("Europe/Berlin"));
    EXPECT_EQ(journal.lookups, 1);
    EXPECT_EQ(journal.zoneReads, 1);
}

TEST_F(TimezoneChangerTest, FailedRestoreKeepsTheChangeAndRetriesAtExit)
{
    auto changer = makeChanger();
    ASSERT_TRUE(changer->setZone("Europe/Berlin"));
    accessView->failApply = true;

    EXPECT_FALSE(changer->restoreIfChanged());
    EXPECT_TRUE(changer->isChanged());
    EXPECT_EQ(journal.calls.back(), "privilege off");

    accessView->failApply = false;
    changer.reset();
    EXPECT_EQ(journal.applied.back(), "Saved Zone");
}

TEST(TimezoneChanger, WithoutAccessIsUnsupported)
{
    TimezoneChanger changer(nullptr, nullptr);
    EXPECT_FALSE(changer.isSupported());
    EXPECT_FALSE(changer.setZone("Europe/Berlin"));
    EXPECT_FALSE(changer.restoreIfChanged());
}
