#include "timezone/CldrZoneMapping.h"

#include "KnownZones.h"
#include "TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

using timezones::CldrZoneMapping;

namespace {

// Debian's unicode-cldr-core, a declared test dependency.
const char* const cldrFile = "/usr/share/unicode/cldr/common/supplemental/windowsZones.xml";

std::string keyFor(CldrZoneMapping& mapping, const std::string& name)
{
    std::string key;
    return mapping.lookup(name, key) ? key : std::string("<unknown>");
}

class CldrFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(access(cldrFile, R_OK), 0) << cldrFile << " is missing: install unicode-cldr-core";
    }

    CldrZoneMapping mapping{cldrFile};
};

class SyntheticFileTest : public ::testing::Test
{
protected:
    std::string path() const { return (directory / "windowsZones.xml").string(); }

    void write(const std::string& text) const { std::ofstream(path()) << text; }

    TemporaryDirectory directory{"quarnel-cldr"};
};

} // namespace

TEST_F(CldrFileTest, RealNamesMapToTheirWindowsKeys)
{
    // The table starts with names that also begin a longer entry earlier in the file,
    // where a substring search returns the zone of the longer name; America/Juneau sits
    // in the middle of its list.
    for (const KnownZone& zone : knownZones) {
        EXPECT_EQ(keyFor(mapping, zone.ianaName), zone.windowsKey) << zone.ianaName;
    }
    // The last entry of a list.
    EXPECT_EQ(keyFor(mapping, "America/Yakutat"), "Alaskan Standard Time");
}

TEST_F(CldrFileTest, PartsOfNamesAndUnknownNamesAreUnknown)
{
    for (const char* name : {"", "GMT+1", "Etc/GMT+", "Berlin", "Europe", "Europe/Berli", "europe/berlin",
                             "Europe/Berlin ", "Mars/Olympus_Mons", "Europe/Berlin America/New_York"}) {
        std::string key = "untouched";
        EXPECT_FALSE(mapping.lookup(name, key)) << '"' << name << '"';
        EXPECT_EQ(key, "untouched");
    }
}

TEST_F(SyntheticFileTest, FirstWholeEntryInDocumentOrderWins)
{
    write("<supplementalData><windowsZones><mapTimezones>"
          "<mapZone other=\"Long\" type=\"Area/CityName\"/>"
          "<mapZone other=\"NoKey\" type=\"Area/City\"/>"
          "<mapZone other=\"\" type=\"Area/City\"/>"
          "<mapZone type=\"Area/City\"/>"
          "<mapZone other=\"First\" type=\"Other/Town\tArea/City\nArea/Village\"/>"
          "<mapZone other=\"Second\" type=\"Area/City\"/>"
          "</mapTimezones></windowsZones></supplementalData>");
    CldrZoneMapping mapping(path());

    EXPECT_EQ(keyFor(mapping, "Area/City"), "NoKey");
    EXPECT_EQ(keyFor(mapping, "Area/Village"), "First");
    EXPECT_EQ(keyFor(mapping, "Other/Town"), "First");
    EXPECT_EQ(keyFor(mapping, "Area"), "<unknown>");
}

TEST_F(SyntheticFileTest, MissingFileOrElementMakesEveryNameUnknown)
{
    const std::string zone = "<mapZone other=\"Key\" type=\"Area/City\"/>";
    const std::pair<const char*, std::string> cases[] = {
        {"no file", ""},
        {"not XML", "<supplementalData><windowsZones>" + zone},
        {"other root", "<data><windowsZones><mapTimezones>" + zone + "</mapTimezones></windowsZones></data>"},
        {"no windowsZones", "<supplementalData><mapTimezones>" + zone + "</mapTimezones></supplementalData>"},
        {"no mapTimezones", "<supplementalData><windowsZones>" + zone + "</windowsZones></supplementalData>"},
        {"no mapZone", "<supplementalData><windowsZones><mapTimezones/></windowsZones></supplementalData>"},
    };
    for (const auto& [label, text] : cases) {
        SCOPED_TRACE(label);
        std::remove(path().c_str());
        if (!text.empty()) {
            write(text);
        }
        CldrZoneMapping mapping(path());
        EXPECT_EQ(keyFor(mapping, "Area/City"), "<unknown>");
    }
}
