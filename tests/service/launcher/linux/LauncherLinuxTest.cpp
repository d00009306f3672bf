// What only Linux decides: descriptors and signals of the child, reaping, the modes and
// owners of the private directory, links planted in it, files that are not files.

#include "launcher/Launcher.h"
#include "launcher/ProcessLauncher.h"

#include "LauncherTestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sstream>

using launcher::Launcher;
using launcher::LaunchSettings;
using launcher::startProcess;
using namespace launchertest;

namespace {

const std::string allowedConfig = "remote 10.0.0.1 1194 udp\nclient\ndev tun\nauth-user-pass\n";

class LauncherLinuxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        record = temporary.path() / "record.txt";
        privateDirectory = temporary.path() / "private";
        clientConfig = temporary.path() / "client.ovpn";
        writeFile(clientConfig, allowedConfig);
        passwordFile = temporary.path() / "management.txt";
        writeFile(passwordFile, managementPassword + "\n");
        setEnvironment("QUARNEL_STANDIN_RECORD", record.string());
        setEnvironment("QUARNEL_STANDIN_EXIT", "0");
        unsetenv("QUARNEL_STANDIN_SIGNAL");
    }

    void TearDown() override
    {
        unsetenv("QUARNEL_STANDIN_RECORD");
        unsetenv("QUARNEL_STANDIN_SIGNAL");
    }

    std::u16string standInLine(const std::string& arguments = std::string()) const
    {
        return text("\"" + standInPath().string() + "\"" + arguments);
    }

    std::u16string clientLine(const std::filesystem::path& config) const
    {
        return launchertest::clientLine(text(standInPath()), config, passwordFile, u"1194");
    }

    std::string recorded(const std::string& key) const
    {
        for (const auto& line : lines(readFile(record))) {
            if (line.rfind(key + ":", 0) == 0) {
                return line.substr(key.size() + 1);
            }
        }
        return "(none)";
    }

    std::vector<std::string> recordedArguments() const { return recordedArgumentsOf(record); }

    TemporaryDirectory temporary{"quarnel-launcher"};
    std::filesystem::path record;
    std::filesystem::path privateDirectory;
    std::filesystem::path clientConfig;
    std::filesystem::path passwordFile;
    SharedLog log;
};

TEST_F(LauncherLinuxTest, ChildGetsNoDescriptorButTheStandardOnes)
{
    // Descriptors a careless part of the service could have opened without O_CLOEXEC.
    const int file = open("/dev/null", O_RDONLY);
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    ASSERT_GE(file, 0);

    const auto result = startProcess(standInLine(), true);
    close(file);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    ASSERT_TRUE(result.started);
    EXPECT_EQ(recorded("fds"), "0,1,2");
    EXPECT_EQ(recorded("stdin"), "null");
}

TEST_F(LauncherLinuxTest, ChildStartsWithNoSignalBlocked)
{
    // The daemon blocks its stop signals for signalfd; OpenVPN must still get them.
    sigset_t blocked;
    sigset_t previous;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGTERM);
    sigaddset(&blocked, SIGINT);
    pthread_sigmask(SIG_BLOCK, &blocked, &previous);
    const auto result = startProcess(standInLine(), true);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    ASSERT_TRUE(result.started);
    EXPECT_EQ(recorded("sigblk"), "0000000000000000");
}

TEST_F(LauncherLinuxTest, ArgumentsFollowTheWindowsRules)
{
    ASSERT_TRUE(startProcess(standInLine(" \"a b\" c\\\"d \"\" e\\\\f"), true).started);
    const std::vector<std::string> expected = {standInPath().string(), "a b", "c\"d", "", "e\\\\f"};
    EXPECT_EQ(recordedArguments(), expected);
}

TEST_F(LauncherLinuxTest, ExitCodesAndSignalsAreReported)
{
    setEnvironment("QUARNEL_STANDIN_EXIT", "42");
    auto result = startProcess(standInLine(), true);
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 42);

    setenv("QUARNEL_STANDIN_SIGNAL", "15", 1);
    result = startProcess(standInLine(), true);
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 128 + SIGTERM);
}

TEST_F(LauncherLinuxTest, ProgramThatCannotStartIsReportedSo)
{
    EXPECT_FALSE(startProcess(u"/nonexistent/program --config \"x\"", true).started);
    EXPECT_FALSE(startProcess(u"/nonexistent/program", false).started);
    EXPECT_FALSE(startProcess(u"", true).started);
    EXPECT_FALSE(startProcess(text(temporary.path()), true).started);
    // A lone surrogate has no UTF-8 form: nothing is started rather than a changed path.
    EXPECT_FALSE(startProcess(standInLine() + u" " + std::u16string(1, char16_t(0xD800)), true).started);
    EXPECT_FALSE(std::filesystem::exists(record));
}

TEST_F(LauncherLinuxTest, ProgramNotWaitedForNeverLingersAsAZombie)
{
    const auto result = startProcess(standInLine(), false);
    ASSERT_TRUE(result.started);
    ASSERT_TRUE(result.process);
    ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(record); }));
    const std::string proc = "/proc/" + recorded("pid");

    // Nobody asks: the launcher's own reaper collects it.
    EXPECT_TRUE(waitUntil([&] { return !std::filesystem::exists(proc); })) << readFile(proc + "/stat");
    EXPECT_TRUE(result.process->hasEnded());
}

TEST_F(LauncherLinuxTest, PrivateDirectoryAndCopyAreOnlyTheServices)
{
    // Already there and too open: tightened, not trusted as it is.
    std::filesystem::create_directories(privateDirectory);
    chmod(privateDirectory.c_str(), 0755);

    // Stopped once it has started, so that its copies stay while they are looked at.
    setenv("QUARNEL_STANDIN_SIGNAL", "19", 1);
    Launcher launcher(LaunchSettings{standInPath(), privateDirectory}, log);
    ASSERT_TRUE(launcher.run(clientLine(clientConfig), false).started) << log.text();
    ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(record); }));
    struct stat status;
    ASSERT_EQ(lstat(privateDirectory.c_str(), &status), 0);
    EXPECT_TRUE(S_ISDIR(status.st_mode));
    EXPECT_EQ(status.st_mode & 07777, 0700u);
    EXPECT_EQ(status.st_uid, geteuid());

    // The configuration and the management password.
    const auto copies = copiesIn(privateDirectory);
    ASSERT_EQ(copies.size(), 2u);
    for (const auto& copy : copies) {
        ASSERT_EQ(lstat(copy.c_str(), &status), 0);
        EXPECT_TRUE(S_ISREG(status.st_mode));
        EXPECT_EQ(status.st_mode & 07777, 0600u);
        EXPECT_EQ(status.st_uid, geteuid());
        EXPECT_EQ(readFile(copy), copy.extension() == ".pass" ? managementPassword + "\n" : allowedConfig);
    }
    kill(std::atoi(recorded("pid").c_str()), SIGKILL);
    EXPECT_TRUE(waitUntil([&] { return copiesIn(privateDirectory).empty(); }));
}

TEST_F(LauncherLinuxTest, LinksPlantedAtCopyNamesAreNotFollowed)
{
    Launcher launcher(LaunchSettings{standInPath(), privateDirectory}, log);
    ASSERT_TRUE(launcher.run(clientLine(clientConfig), true).started) << log.text();

    // The next names the launcher will try: one link to a file that must stay as it is,
    // one to a file that must not come into being.
    const auto victim = temporary.path() / "victim";
    const auto absent = temporary.path() / "absent";
    writeFile(victim, "victim");
    const std::string pid = std::to_string(getpid());
    // The first run took the names ending in 1 and 2; the second tries 3, then its
    // configuration takes 4 and its password 5.
    std::filesystem::create_symlink(victim, privateDirectory / ("config-" + pid + "-3.ovpn"));
    std::filesystem::create_symlink(absent, privateDirectory / ("config-" + pid + "-5.pass"));

    std::filesystem::remove(record);
    ASSERT_TRUE(launcher.run(clientLine(clientConfig), true).started) << log.text();
    EXPECT_EQ(readFile(victim), "victim");
    EXPECT_FALSE(std::filesystem::exists(absent));
    EXPECT_EQ(readFile(record.string() + ".config"), allowedConfig);
}

TEST_F(LauncherLinuxTest, PrivateDirectoryThatIsALinkIsRefused)
{
    const auto elsewhere = temporary.path() / "elsewhere";
    std::filesystem::create_directories(elsewhere);
    std::filesystem::create_directory_symlink(elsewhere, privateDirectory);

    Launcher launcher(LaunchSettings{standInPath(), privateDirectory}, log);
    const auto result = launcher.run(clientLine(clientConfig), true);
    EXPECT_FALSE(result.started);
    EXPECT_NE(result.refusal.find("private directory"), std::string::npos) << result.refusal;
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere));
    EXPECT_FALSE(std::filesystem::exists(record));
}

TEST_F(LauncherLinuxTest, PrivateDirectoryOfAnotherUserIsRefused)
{
    if (geteuid() != 0) {
        GTEST_SKIP() << "SKIP: giving a directory to another user needs root";
    }
    std::filesystem::create_directories(privateDirectory);
    ASSERT_EQ(chown(privateDirectory.c_str(), 65534, 65534), 0);

    Launcher launcher(LaunchSettings{standInPath(), privateDirectory}, log);
    const auto result = launcher.run(clientLine(clientConfig), true);
    EXPECT_FALSE(result.started);
    EXPECT_NE(result.refusal.find("another user"), std::string::npos) << result.refusal;
    EXPECT_FALSE(std::filesystem::exists(record));
}

TEST_F(LauncherLinuxTest, ConfigurationThatIsNoRegularFileIsNeverOpened)
{
    // Opening a FIFO without a writer for reading would block the worker for good.
    const auto fifo = temporary.path() / "fifo.ovpn";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    Launcher launcher(LaunchSettings{standInPath(), privateDirectory}, log);
    for (const auto& path : {fifo, std::filesystem::path("/dev/null"), std::filesystem::path("/dev/zero")}) {
        const auto result = launcher.run(clientLine(path), true);
        EXPECT_FALSE(result.started) << path;
        EXPECT_NE(result.refusal.find("not a regular file"), std::string::npos) << result.refusal;
    }
    EXPECT_FALSE(std::filesystem::exists(record));
}

TEST_F(LauncherLinuxTest, ProgramReachedThroughALinkIsTheInstalledOne)
{
    const auto link = temporary.path() / "openvpn-link";
    std::filesystem::create_symlink(standInPath(), link);
    Launcher launcher(LaunchSettings{standInPath(), privateDirectory}, log);
    const auto line = launchertest::clientLine(text(link), clientConfig, passwordFile);
    ASSERT_TRUE(launcher.run(line, true).started) << log.text();
    // What runs is the installed path, never the name the client gave.
    ASSERT_FALSE(recordedArguments().empty());
    EXPECT_EQ(recordedArguments()[0], standInPath().string());
}

// An OpenVPN started earlier gets SIGTERM, so that it can run its down hook; one that
// does not end within the grace gets SIGKILL. Either way it is gone, reaped, before the
// next one starts.
TEST_F(LauncherLinuxTest, EarlierRunIsAskedToEndThenKilled)
{
    struct Reset
    {
        ~Reset()
        {
            unsetenv("QUARNEL_STANDIN_STAY");
            unsetenv("QUARNEL_STANDIN_DEAF");
        }
    } reset;
    for (const bool deaf : {false, true}) {
        SCOPED_TRACE(deaf ? "ignores SIGTERM" : "ends on SIGTERM");
        log.clear();
        std::filesystem::remove(record);
        setEnvironment("QUARNEL_STANDIN_STAY", "60");
        if (deaf) {
            setEnvironment("QUARNEL_STANDIN_DEAF", "1");
        }
        LaunchSettings settings{standInPath(), privateDirectory};
        settings.endGrace = std::chrono::milliseconds(300);
        Launcher launcher(settings, log);
        ASSERT_TRUE(launcher.run(clientLine(clientConfig), false).started) << log.text();
        ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(record); }));
        const pid_t first = std::atoi(recorded("pid").c_str());
        ASSERT_GT(first, 0);

        unsetenv("QUARNEL_STANDIN_STAY");
        unsetenv("QUARNEL_STANDIN_DEAF");
        ASSERT_TRUE(launcher.run(clientLine(clientConfig), true).started) << log.text();
        EXPECT_NE(kill(first, 0), 0);
        const std::string logged = log.text();
        const std::string ended = "process " + std::to_string(first) + " exited with status " +
                                  std::to_string(128 + (deaf ? SIGKILL : SIGTERM));
        const std::size_t endAt = logged.find(ended);
        ASSERT_NE(endAt, std::string::npos) << logged;
        // Its end is logged before the next one's start.
        EXPECT_LT(endAt, logged.rfind("RunProcess: started")) << logged;
    }
}

} // namespace
