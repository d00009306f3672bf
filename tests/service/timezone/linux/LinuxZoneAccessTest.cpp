#include "timezone/linux/LinuxZoneAccess.h"

#include "timezone/IanaZoneMapping.h"
#include "timezone/TimezoneChanger.h"

#include "KnownZones.h"
#include "TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace fs = std::filesystem;
using timezones::LinuxZoneAccess;
using timezones::TimezoneChanger;
using timezones::Zone;

namespace {

std::string readText(const fs::path& path)
{
    std::ifstream stream(path);
    std::stringstream text;
    text << stream.rdbuf();
    return text.str();
}

void writeText(const fs::path& path, const std::string& text)
{
    std::ofstream(path) << text;
}

Zone zoneNamed(const std::string& name)
{
    Zone zone;
    zone.keyName.assign(name.begin(), name.end());
    return zone;
}

std::string nameOf(const Zone& zone)
{
    return std::string(zone.keyName.begin(), zone.keyName.end());
}

// A machine in a temporary directory: zoneinfo with a few real zones and some traps,
// /etc with its zone set to Etc/UTC, no systemd unless a test creates its directory.
class LinuxZoneAccessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        zoneinfo = root / "usr/share/zoneinfo";
        etc = root / "etc";
        fs::create_directories(zoneinfo / "Europe");
        fs::create_directories(zoneinfo / "Etc");
        fs::create_directories(zoneinfo / "America");
        fs::create_directories(zoneinfo / "Alias");
        fs::create_directories(etc);
        fs::create_directories(root / "outside");
        for (const char* name : {"Europe/Berlin", "Etc/UTC", "America/New_York"}) {
            fs::copy_file(fs::path("/usr/share/zoneinfo") / name, zoneinfo / name);
        }
        // The system's own aliases inside the root are zones.
        fs::create_symlink("../Europe/Berlin", zoneinfo / "Alias/Berlin");
        // Debian's zoneinfo/localtime points at /etc/localtime: not a zone.
        fs::create_symlink("../../../etc/localtime", zoneinfo / "localtime");
        // A TZif file reached through a link that leaves the root: not a zone.
        fs::copy_file(zoneinfo / "Etc/UTC", root / "outside/Fake");
        fs::create_symlink("../../../outside/Fake", zoneinfo / "Escape");
        writeText(zoneinfo / "zone.tab", "# not a zone file\n");
        fs::create_symlink(zoneinfo / "Etc/UTC", etc / "localtime");
        writeText(etc / "timezone", "Etc/UTC\n");

        paths.zoneinfoDir = zoneinfo.string();
        paths.etcDir = etc.string();
        paths.systemdDir = (root / "run/systemd/system").string();
        paths.timedatectl = (root / "bin/timedatectl").string();
    }

    std::string localtimeTarget() const { return fs::read_symlink(etc / "localtime").string(); }

    // A stand-in for timedatectl that records its arguments and exits with status.
    void installTimedatectl(int status) const
    {
        fs::create_directories(root / "run/systemd/system");
        fs::create_directories(root / "bin");
        writeText(root / "bin/timedatectl", "#!/bin/sh\necho \"$@\" >> '" + (root / "timedatectl.log").string() +
                                                "'\nexit " + std::to_string(status) + "\n");
        fs::permissions(root / "bin/timedatectl", fs::perms::owner_all);
    }

    TemporaryDirectory machine{"quarnel-tz"};
    const fs::path& root = machine.path();
    fs::path zoneinfo;
    fs::path etc;
    LinuxZoneAccess::Paths paths;
};

} // namespace

TEST_F(LinuxZoneAccessTest, RefusesNamesThatAreNoZoneInsideTheRoot)
{
    LinuxZoneAccess access(paths);
    const std::string refused[] = {
        "",
        "../../etc/passwd",
        "/etc/passwd",
        "Europe/../../x",
        "Europe/../Europe/Berlin",
        "./Europe/Berlin",
        "Europe/./Berlin",
        "Europe//Berlin",
        "Europe/Berlin/",
        "-Europe/Berlin",
        "Europe/Berlin\n",
        "Europe/Berlin ",
        "Europe\\Berlin",
        std::string("Europe/Berlin\0x", 15),
        "Europe",
        "Europe/Nowhere",
        "zone.tab",
        "localtime",
        "Escape",
        std::string(128, 'A'),
    };
    for (const std::string& name : refused) {
        SCOPED_TRACE("name \"" + name + "\"");
        EXPECT_NE(access.checkName(name), 0);
        Zone zone = zoneNamed("untouched");
        testing::internal::CaptureStdout();
        EXPECT_FALSE(access.readZone(name, zone));
        EXPECT_EQ(testing::internal::GetCapturedStdout().rfind("Failed to retrieve new time zone info", 0), 0u);
        EXPECT_EQ(nameOf(zone), "untouched");
        testing::internal::CaptureStdout();
        EXPECT_FALSE(access.apply(zoneNamed(name)));
        testing::internal::GetCapturedStdout();
    }
    EXPECT_EQ(localtimeTarget(), (zoneinfo / "Etc/UTC").string());
    EXPECT_EQ(readText(etc / "timezone"), "Etc/UTC\n");
}

TEST_F(LinuxZoneAccessTest, AcceptsZonesAndTheirAliases)
{
    LinuxZoneAccess access(paths);
    for (const char* name : {"Europe/Berlin", "Etc/UTC", "America/New_York", "Alias/Berlin"}) {
        SCOPED_TRACE(name);
        Zone zone;
        ASSERT_TRUE(access.readZone(name, zone));
        EXPECT_EQ(nameOf(zone), name);
    }
}

TEST(LinuxZoneAccess, SystemZoneinfoKnowsTheClientsNames)
{
    // Read only: names are checked against the machine's own zoneinfo.
    LinuxZoneAccess access;
    for (const KnownZone& zone : knownZones) {
        EXPECT_EQ(access.checkName(zone.ianaName), 0) << zone.ianaName;
    }
    EXPECT_EQ(access.checkName("posix/Europe/Berlin"), 0);
    EXPECT_EQ(access.checkName("US/Alaska"), 0);
    EXPECT_NE(access.checkName("localtime"), 0);
    EXPECT_NE(access.checkName("zone.tab"), 0);
}

TEST_F(LinuxZoneAccessTest, ReadsCurrentZoneFromLinkThenFromTimezoneFile)
{
    LinuxZoneAccess access(paths);
    Zone zone;
    ASSERT_TRUE(access.readCurrent(zone));
    EXPECT_EQ(nameOf(zone), "Etc/UTC");

    fs::remove(etc / "localtime");
    fs::create_symlink("../usr/share/zoneinfo/America/New_York", etc / "localtime");
    ASSERT_TRUE(access.readCurrent(zone));
    EXPECT_EQ(nameOf(zone), "America/New_York");

    // A copied zone file says nothing about its name.
    fs::remove(etc / "localtime");
    fs::copy_file(zoneinfo / "Europe/Berlin", etc / "localtime");
    writeText(etc / "timezone", "  Europe/Berlin \n");
    ASSERT_TRUE(access.readCurrent(zone));
    EXPECT_EQ(nameOf(zone), "Europe/Berlin");

    writeText(etc / "timezone", "../../outside/Fake\n");
    EXPECT_FALSE(access.readCurrent(zone));
    fs::remove(etc / "timezone");
    EXPECT_FALSE(access.readCurrent(zone));
}

TEST_F(LinuxZoneAccessTest, AppliesByReplacingLinkAndTimezoneFile)
{
    LinuxZoneAccess access(paths);
    const mode_t savedMask = umask(077);
    const bool applied = access.apply(zoneNamed("Europe/Berlin"));
    umask(savedMask);
    ASSERT_TRUE(applied);

    EXPECT_EQ(localtimeTarget(), (zoneinfo / "Europe/Berlin").string());
    EXPECT_EQ(readText(etc / "timezone"), "Europe/Berlin\n");
    EXPECT_EQ(fs::status(etc / "timezone").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
    // Nothing left behind beside them.
    int entries = 0;
    for (const auto& entry : fs::directory_iterator(etc)) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 2);
    Zone zone;
    ASSERT_TRUE(access.readCurrent(zone));
    EXPECT_EQ(nameOf(zone), "Europe/Berlin");
}

TEST_F(LinuxZoneAccessTest, AppliesThroughTimedatectlWhenSystemdRuns)
{
    installTimedatectl(0);
    LinuxZoneAccess access(paths);

    ASSERT_TRUE(access.apply(zoneNamed("America/New_York")));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(access.apply(zoneNamed("../../etc/passwd")));
    testing::internal::GetCapturedStdout();

    EXPECT_EQ(readText(root / "timedatectl.log"), "--no-ask-password set-timezone America/New_York\n");
    EXPECT_EQ(localtimeTarget(), (zoneinfo / "Etc/UTC").string());
}

TEST_F(LinuxZoneAccessTest, FailingTimedatectlIsAFailure)
{
    installTimedatectl(1);
    LinuxZoneAccess access(paths);

    testing::internal::CaptureStdout();
    EXPECT_FALSE(access.apply(zoneNamed("Europe/Berlin")));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failed to set the time zone (1)\n");

    fs::remove(root / "bin/timedatectl");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(access.apply(zoneNamed("Europe/Berlin")));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failed to set the time zone (2)\n");
}

TEST_F(LinuxZoneAccessTest, ChangerSetsAndRestoresInTheRoot)
{
    {
        TimezoneChanger changer(std::make_unique<LinuxZoneAccess>(paths),
                                std::make_unique<timezones::IanaZoneMapping>());
        ASSERT_TRUE(changer.isSupported());

        testing::internal::CaptureStdout();
        EXPECT_FALSE(changer.setZone("../../etc/passwd"));
        testing::internal::GetCapturedStdout();
        EXPECT_FALSE(changer.isChanged());

        ASSERT_TRUE(changer.setZone("America/New_York"));
        EXPECT_EQ(localtimeTarget(), (zoneinfo / "America/New_York").string());
        EXPECT_EQ(readText(etc / "timezone"), "America/New_York\n");

        ASSERT_TRUE(changer.restoreIfChanged());
        EXPECT_EQ(localtimeTarget(), (zoneinfo / "Etc/UTC").string());
        EXPECT_EQ(readText(etc / "timezone"), "Etc/UTC\n");

        ASSERT_TRUE(changer.setZone("Europe/Berlin"));
    }
    // Leaving the scope is the service's exit.
    EXPECT_EQ(localtimeTarget(), (zoneinfo / "Etc/UTC").string());
    EXPECT_EQ(readText(etc / "timezone"), "Etc/UTC\n");
}

TEST_F(LinuxZoneAccessTest, NoReadableZoneMeansNoChanges)
{
    fs::remove(etc / "localtime");
    fs::remove(etc / "timezone");
    TimezoneChanger changer(std::make_unique<LinuxZoneAccess>(paths), std::make_unique<timezones::IanaZoneMapping>());

    EXPECT_FALSE(changer.isSupported());
    EXPECT_FALSE(changer.setZone("Europe/Berlin"));
    EXPECT_FALSE(fs::exists(etc / "localtime"));
}
