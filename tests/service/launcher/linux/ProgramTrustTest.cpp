// The OpenVPN the service starts must be one that no one but root (the service's own
// user) can change: its file, every directory above it and every link on the way. That
// the service refuses such a program and never runs it, ServiceDaemonTest shows.

#include "launcher/ProgramTrust.h"

#include "LauncherTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

using launcher::isTrustedProgram;
using namespace launchertest;
namespace fs = std::filesystem;

namespace {

constexpr uid_t nobody = 65534;

class ProgramTrustTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The temporary directory's own parents (/tmp, /) are what the machine has; they
        // must pass for any case here to mean something.
        base = temporary.path();
        fs::permissions(base, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
        ASSERT_TRUE(isTrustedProgram(program("safe"))) << "the temporary directory is not a safe place: " << base;
    }

    // A copy of the stand-in in directory (made with mode), the program itself of mode file.
    fs::path program(const std::string& directory, mode_t mode = 0755, mode_t file = 0755)
    {
        const fs::path folder = base / directory;
        fs::create_directories(folder);
        chmod(folder.c_str(), mode);
        const fs::path path = folder / "openvpn";
        if (!fs::exists(path)) {
            fs::copy_file(standInPath(), path);
        }
        chmod(path.c_str(), file);
        return path;
    }

    TemporaryDirectory temporary{"quarnel-trust"};
    fs::path base;
};

TEST_F(ProgramTrustTest, ModesOfTheFileAndItsDirectories)
{
    struct Case
    {
        const char* name;
        mode_t directory;
        mode_t file;
        bool trusted;
    };
    const Case cases[] = {
        {"plain", 0755, 0755, true},
        {"private", 0700, 0700, true},
        {"directory writable by others", 0777, 0755, false},
        {"directory writable by its group", 0775, 0755, false},
        {"sticky directory writable by all, like /tmp", 01777, 0755, true},
        {"file writable by others", 0755, 0757, false},
        {"file writable by its group", 0755, 0775, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isTrustedProgram(program(c.name, c.directory, c.file)), c.trusted) << c.name;
    }

    // A safe directory below an unsafe one: whoever may write above can swap it.
    const fs::path above = base / "open";
    fs::create_directories(above / "inner");
    chmod(above.c_str(), 0777);
    fs::copy_file(standInPath(), above / "inner" / "openvpn");
    EXPECT_FALSE(isTrustedProgram(above / "inner" / "openvpn"));

    EXPECT_FALSE(isTrustedProgram(base / "missing" / "openvpn"));
    EXPECT_FALSE(isTrustedProgram(base / "plain"));                // a directory
    EXPECT_FALSE(isTrustedProgram(program("plain") / "more"));     // below a file
    EXPECT_FALSE(isTrustedProgram(fs::path("plain") / "openvpn")); // relative
}

TEST_F(ProgramTrustTest, LinksAreFollowedAndEveryStepChecked)
{
    const fs::path safe = program("plain");
    const fs::path open = program("open", 0777);

    fs::create_directories(base / "links");
    fs::create_symlink(safe, base / "links" / "absolute");
    fs::create_symlink("../plain/./openvpn", base / "links" / "relative");
    fs::create_symlink(open, base / "links" / "to-open");
    // A link in a safe place whose next link lies where anyone may change it.
    fs::create_symlink(safe, base / "open" / "hop");
    fs::create_symlink(base / "open" / "hop", base / "links" / "via-open");
    // A directory reached through a link.
    fs::create_directory_symlink(base / "plain", base / "links" / "folder");
    fs::create_symlink(base / "links" / "loop-b", base / "links" / "loop-a");
    fs::create_symlink(base / "links" / "loop-a", base / "links" / "loop-b");

    EXPECT_TRUE(isTrustedProgram(base / "links" / "absolute"));
    EXPECT_TRUE(isTrustedProgram(base / "links" / "relative"));
    EXPECT_TRUE(isTrustedProgram(base / "links" / "folder" / "openvpn"));
    EXPECT_FALSE(isTrustedProgram(base / "links" / "to-open"));
    EXPECT_FALSE(isTrustedProgram(base / "links" / "via-open"));
    EXPECT_FALSE(isTrustedProgram(base / "links" / "loop-a"));
    // The links themselves in a directory anyone may write to.
    EXPECT_FALSE(isTrustedProgram(base / "open" / "hop"));
}

// Debian's OpenVPN, the default, as the system installed it (through /sbin, a link on
// merged-/usr systems, too).
TEST_F(ProgramTrustTest, InstalledOpenVpnIsTrusted)
{
    if (!fs::exists("/usr/sbin/openvpn")) {
        std::printf("SKIP /usr/sbin/openvpn is not installed\n");
        GTEST_SKIP() << "no OpenVPN";
    }
    EXPECT_TRUE(isTrustedProgram("/usr/sbin/openvpn"));
    EXPECT_TRUE(isTrustedProgram("/sbin/openvpn"));
    EXPECT_TRUE(isTrustedProgram("/usr/sbin/../sbin/openvpn"));
}

TEST_F(ProgramTrustTest, OwnedByAnotherUser)
{
    if (geteuid() != 0) {
        std::printf("SKIP giving a file to another user needs root\n");
        GTEST_SKIP() << "needs root";
    }
    const fs::path file = program("their file");
    ASSERT_EQ(chown(file.c_str(), nobody, static_cast<gid_t>(-1)), 0);
    EXPECT_FALSE(isTrustedProgram(file));

    const fs::path inFolder = program("their folder");
    ASSERT_EQ(chown(inFolder.parent_path().c_str(), nobody, static_cast<gid_t>(-1)), 0);
    EXPECT_FALSE(isTrustedProgram(inFolder));

    // Another user's link to root's program: its owner may point it elsewhere in a
    // sticky directory.
    const fs::path sticky = base / "sticky";
    fs::create_directories(sticky);
    chmod(sticky.c_str(), 01777);
    fs::create_symlink(program("plain"), sticky / "link");
    ASSERT_EQ(lchown((sticky / "link").c_str(), nobody, static_cast<gid_t>(-1)), 0);
    EXPECT_FALSE(isTrustedProgram(sticky / "link"));
}

} // namespace
