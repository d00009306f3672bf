#include "platform/Autostart.h"

#include "TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <iterator>
#include <string>
#include <utility>

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The validator prints its findings into the test's output.
bool validates(const fs::path& path)
{
    return std::system(("desktop-file-validate '" + path.string() + "'").c_str()) == 0;
}

// Every per-user directory under a temporary root, so the real home is never touched.
// The program runs only these tests, so the variables are not restored.
class AutostartTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directory(root / "home");
        setenv("HOME", (root / "home").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    }

    std::set<std::string> everything() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(root.path())) {
            names.insert(fs::relative(entry.path(), root.path()).string());
        }
        return names;
    }

    fs::path entry() const { return root / "config/autostart/quarnel.desktop"; }

    TemporaryDirectory root{"quarnel-autostart-test"};
};

TEST_F(AutostartTest, EnablingWritesTheEntryAndDisablingRemovesIt)
{
    ASSERT_TRUE(platform::setAutostart(true, "/opt/quarnel/old/quarnel"));
    // Every save writes the entry again, for the program as it is now.
    ASSERT_TRUE(platform::setAutostart(true, "/opt/quarnel/bin/quarnel"));
    EXPECT_EQ(readFile(entry()), "[Desktop Entry]\n"
                                 "Type=Application\n"
                                 "Name=Quarnel\n"
                                 "Comment=Start the Quarnel VPN client at log-on\n"
                                 "Exec=/opt/quarnel/bin/quarnel -a\n"
                                 "Terminal=false\n"
                                 "X-GNOME-Autostart-enabled=true\n");
    for (const char* dir : {"config", "config/autostart"}) {
        EXPECT_EQ(fs::status(root / dir).permissions() & fs::perms::all, fs::perms::owner_all) << dir;
    }
    // No temporary file is left beside the entry, nothing lands in the home.
    EXPECT_EQ(everything(),
              (std::set<std::string>{"home", "config", "config/autostart", "config/autostart/quarnel.desktop"}));

    EXPECT_TRUE(platform::setAutostart(false, "/opt/quarnel/bin/quarnel"));
    EXPECT_FALSE(fs::exists(entry()));
    // Already gone, or never made: still success.
    EXPECT_TRUE(platform::setAutostart(false, std::string()));
}

TEST_F(AutostartTest, ExecQuotesReservedCharacters)
{
    const std::pair<std::string, std::string> cases[] = {
        {"/opt/Quarnel Client/quarnel", R"(Exec="/opt/Quarnel Client/quarnel" -a)"},
        {R"(/opt/a"b`c$d/quarnel)", R"(Exec="/opt/a\\"b\\`c\\$d/quarnel" -a)"},
        // One backslash in the path: escaped in the quotes, then again as a string value.
        {R"(/opt/back\slash/quarnel)", R"(Exec="/opt/back\\\\slash/quarnel" -a)"},
        {"/opt/it's/quarnel", R"(Exec="/opt/it's/quarnel" -a)"},
        {"/opt/100%/quarnel", "Exec=/opt/100%%/quarnel -a"},
        {"/opt/Quarnel—Клиент/quarnel", "Exec=/opt/Quarnel—Клиент/quarnel -a"},
    };
    const bool validator = std::system("command -v desktop-file-validate >/dev/null") == 0;
    for (const auto& [path, exec] : cases) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(platform::setAutostart(true, path));
        const std::string text = readFile(entry());
        EXPECT_NE(text.find("\n" + exec + "\n"), std::string::npos) << text;
        if (validator) {
            EXPECT_TRUE(validates(entry()));
        }
    }
    if (!validator) {
        GTEST_SKIP() << "SKIP: desktop-file-validate is not installed (Debian package desktop-file-utils)";
    }
}

TEST_F(AutostartTest, RefusesPathsAnEntryCannotHold)
{
    for (const char* path : {"", "quarnel", "bin/quarnel", "/opt/line\nbreak/quarnel", "/opt/\xC3(/quarnel"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(platform::setAutostart(true, path));
    }
    EXPECT_EQ(everything(), std::set<std::string>{"home"});
}

TEST_F(AutostartTest, RelativeOrMissingConfigHomeFallsBackToDotConfig)
{
    // An empty name here stands for an unset variable.
    for (const char* config : {"relative/config", ""}) {
        SCOPED_TRACE(config);
        *config != '\0' ? setenv("XDG_CONFIG_HOME", config, 1) : unsetenv("XDG_CONFIG_HOME");
        ASSERT_TRUE(platform::setAutostart(true, "/usr/bin/quarnel"));
        EXPECT_TRUE(fs::is_regular_file(root / "home/.config/autostart/quarnel.desktop"));
        EXPECT_TRUE(platform::setAutostart(false, "/usr/bin/quarnel"));
        EXPECT_EQ(everything(), (std::set<std::string>{"home", "home/.config", "home/.config/autostart"}));
    }
}

} // namespace
