#include "launcher/Launcher.h"

#include "launcher/ConfigPolicy.h"

#include "LauncherTestSupport.h"

#include <gtest/gtest.h>

using launcher::Launcher;
using launcher::LaunchSettings;
using namespace launchertest;

namespace {

const std::string allowedConfig =
    "remote 10.0.0.1 1194 udp\r\nclient\r\ndev tun\r\nauth-user-pass\r\nverb 3\r\n"
    "<ca>\r\nCA\r\n</ca>\r\n\r\n<cert>\r\nCERT\r\n</cert>\r\n\r\n<key>\r\nKEY\r\n</key>\r\n";

class LauncherTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::exists(standInPath())) << standInPath();
        record = temporary.path() / "record.txt";
        privateDirectory = temporary.path() / "private";
        clientConfig = temporary.path() / "client dir" / "Quarnel.openvpn-Ab12Cd.txt";
        std::filesystem::create_directories(clientConfig.parent_path());
        writeFile(clientConfig, allowedConfig);
        passwordFile = clientConfig.parent_path() / "Quarnel.management-Ef34Gh.txt";
        writeFile(passwordFile, managementPassword + "\n");
        setEnvironment("QUARNEL_STANDIN_RECORD", record.string());
        setEnvironment("QUARNEL_STANDIN_EXIT", "0");
        setEnvironment("QUARNEL_STANDIN_SAY", "");
    }

    void TearDown() override
    {
        setEnvironment("QUARNEL_STANDIN_RECORD", "");
        setEnvironment("QUARNEL_STANDIN_SAY", "");
    }

    LaunchSettings settings() const { return LaunchSettings{standInPath(), privateDirectory}; }

    std::u16string clientLine(const std::u16string& program, const std::filesystem::path& config,
                              const std::u16string& port = u"50123") const
    {
        return launchertest::clientLine(program, config, passwordFile, port);
    }
    std::u16string clientLine() const { return clientLine(text(standInPath()), clientConfig); }

    // Waits for the line that reports the end of the run.
    bool waitForExitLine()
    {
        return waitUntil([&] { return logged().find("exited with status") != std::string::npos; });
    }
    std::string logged() { return log.text(); }

    std::vector<std::string> recordedArguments() const { return recordedArgumentsOf(record); }

    TemporaryDirectory temporary{"quarnel-launcher"};
    std::filesystem::path record;
    std::filesystem::path privateDirectory;
    std::filesystem::path clientConfig;
    std::filesystem::path passwordFile;
    SharedLog log;
};

TEST_F(LauncherTest, WaitedRunGetsTheCheckedCopyAndReturnsTheExitCode)
{
    setEnvironment("QUARNEL_STANDIN_EXIT", "7");
    Launcher launcher(settings(), log);
    const auto result = launcher.run(clientLine(), true);

    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 7);
    EXPECT_TRUE(result.refusal.empty()) << result.refusal;

    // The installed program, on copies in the private directory, with the client's port.
    const auto arguments = recordedArguments();
    ASSERT_EQ(arguments.size(), 8u) << readFile(record);
    EXPECT_EQ(std::filesystem::path(arguments[0]).filename(), standInPath().filename());
    EXPECT_EQ(arguments[1], "--config");
    EXPECT_EQ(std::filesystem::path(arguments[2]).parent_path(), privateDirectory);
    EXPECT_EQ(arguments[3], "--management");
    EXPECT_EQ(arguments[4], "127.0.0.1");
    EXPECT_EQ(arguments[5], "50123");
    EXPECT_EQ(std::filesystem::path(arguments[6]).parent_path(), privateDirectory);
    EXPECT_EQ(arguments[7], "--management-query-passwords");
    EXPECT_EQ(readFile(record.string() + ".config"), allowedConfig);
    EXPECT_EQ(readFile(record.string() + ".password"), managementPassword + "\n");

    // The program has ended: its copies are gone.
    EXPECT_TRUE(copiesIn(privateDirectory).empty());

    // One line for the start and one for the end, and never the password.
    const auto logged = lines(log.text());
    ASSERT_EQ(logged.size(), 2u) << log.text();
    EXPECT_EQ(logged[0].rfind("RunProcess: started " + standInPath().string() + " on " + arguments[2] +
                                  ", management port 50123, process ",
                              0),
              0u)
        << logged[0];
    const std::string pid = logged[0].substr(logged[0].rfind(' ') + 1);
    EXPECT_EQ(logged[1].rfind("RunProcess: OpenVPN process " + pid + " exited with status 7", 0), 0u) << logged[1];
    EXPECT_EQ(log.text().find(managementPassword), std::string::npos);
}

TEST_F(LauncherTest, EarlyExitIsLoggedWithTheFirstOptionsError)
{
#ifdef _WIN32
    GTEST_SKIP() << "SKIP: the service does not read OpenVPN's output on Windows";
#endif
    // What OpenVPN prints for a directive it does not know, twice, then its end.
    setEnvironment("QUARNEL_STANDIN_SAY",
                   "2026-01-01 Note: something harmless\n"
                   "Options error: Unrecognized option or missing or extra parameter(s) in x.ovpn:5: foo (2.6.14)\r\n"
                   "Options error: a second one\n"
                   "Use --help for more information.\n");
    setEnvironment("QUARNEL_STANDIN_EXIT", "1");
    {
        Launcher launcher(settings(), log);
        ASSERT_TRUE(launcher.run(clientLine(), false).started);
        ASSERT_TRUE(waitForExitLine()) << log.text();
    }
    const auto logged = lines(log.text());
    ASSERT_FALSE(logged.empty());
    const std::string& last = logged.back();
    EXPECT_NE(last.find("exited with status 1 within"), std::string::npos) << last;
    EXPECT_NE(last.find("first options error: Options error: Unrecognized option or missing or extra parameter(s) in "
                        "x.ovpn:5: foo (2.6.14)"),
              std::string::npos)
        << last;
    EXPECT_EQ(last.find("second"), std::string::npos) << last;
    EXPECT_EQ(last.find('\r'), std::string::npos) << last;
    // OpenVPN's own output stays in the service's log, before the end.
    EXPECT_NE(log.text().find("Note: something harmless\n"), std::string::npos) << log.text();
    EXPECT_NE(log.text().find("Use --help for more information.\n"), std::string::npos) << log.text();
}

TEST_F(LauncherTest, DirectivesTheInstalledOpenVpnMayNotKnowAreNeutralisedInTheCopy)
{
    const std::string providerConfig = allowedConfig + "block-outside-dns\r\nkeysize 256\r\ndisable-occ\r\n";
    writeFile(clientConfig, providerConfig);
    Launcher launcher(settings(), log);
    ASSERT_TRUE(launcher.run(clientLine(), true).started) << log.text();
    EXPECT_EQ(readFile(record.string() + ".config"),
              "ignore-unknown-option block-outside-dns keysize\n" + providerConfig);
}

TEST_F(LauncherTest, CopyOfARunNotWaitedForLastsUntilTheProgramHasEnded)
{
    setEnvironment("QUARNEL_STANDIN_EXIT", "5");
    Launcher launcher(settings(), log);
    const auto result = launcher.run(clientLine(), false);
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 0);

    // The program read both copies while it ran, ...
    ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(record); }));
    EXPECT_EQ(readFile(record.string() + ".config"), allowedConfig);
    EXPECT_EQ(readFile(record.string() + ".password"), managementPassword + "\n");
    // ... and they went with it, before anything else happens here.
    EXPECT_TRUE(waitUntil([&] { return copiesIn(privateDirectory).empty(); }));
    EXPECT_TRUE(waitForExitLine());
    launcher.removeEndedCopies();
}

TEST_F(LauncherTest, RemoveCopiesLeavesNoCopyBehind)
{
    // Left by an earlier run of the service that ended without cleaning up.
    std::filesystem::create_directories(privateDirectory);
    writeFile(privateDirectory / "config-99999-1.ovpn", "stale");
    writeFile(privateDirectory / "config-99999-2.pass", "stale");
    writeFile(privateDirectory / "unrelated.txt", "kept");

    // Still running when the copies go.
    setEnvironment("QUARNEL_STANDIN_STAY", "2");
    Launcher launcher(settings(), log);
    ASSERT_TRUE(launcher.run(clientLine(), false).started);
    setEnvironment("QUARNEL_STANDIN_STAY", "");
    EXPECT_EQ(copiesIn(privateDirectory).size(), 2u);

    launcher.removeCopies();
    EXPECT_TRUE(copiesIn(privateDirectory).empty());
    EXPECT_TRUE(std::filesystem::exists(privateDirectory / "unrelated.txt"));
    waitUntil([&] { return std::filesystem::exists(record); });
}

TEST_F(LauncherTest, DestructionRemovesTheCopies)
{
    {
        Launcher launcher(settings(), log);
        ASSERT_TRUE(launcher.run(clientLine(), false).started);
        // Fewer once the program has ended by itself.
        EXPECT_LE(copiesIn(privateDirectory).size(), 2u);
    }
    EXPECT_TRUE(copiesIn(privateDirectory).empty());
    waitUntil([&] { return std::filesystem::exists(record); });
}

TEST_F(LauncherTest, TheInstalledProgramRunsWhateverNameTheClientUsed)
{
    Launcher launcher(settings(), log);
    // Its bare file name, as a client that relies on the search path would send it.
    const auto result = launcher.run(clientLine(text(standInPath().filename()), clientConfig), true);
    EXPECT_TRUE(result.started) << result.refusal;
    ASSERT_FALSE(recordedArguments().empty());
    EXPECT_EQ(std::filesystem::path(recordedArguments()[0]).filename(), standInPath().filename());

    // Quoted.
    std::filesystem::remove(record);
    EXPECT_TRUE(launcher.run(clientLine(u"\"" + text(standInPath()) + u"\"", clientConfig), true).started);
    EXPECT_TRUE(std::filesystem::exists(record));
}

TEST_F(LauncherTest, InstalledPathWithBlanksComesUnquotedFromTheClient)
{
    // As "<client dir>/openvpn/openvpn.exe" under "Program Files".
    const auto installed = temporary.path() / "Quarnel App" / "openvpn" / standInPath().filename();
    std::filesystem::create_directories(installed.parent_path());
    std::filesystem::copy_file(standInPath(), installed);
    setEnvironment("QUARNEL_STANDIN_EXIT", "3");

    Launcher launcher(LaunchSettings{installed, privateDirectory}, log);
    const auto result = launcher.run(clientLine(text(installed), clientConfig), true);
    EXPECT_TRUE(result.started) << result.refusal;
    EXPECT_EQ(result.exitCode, 3);
    ASSERT_EQ(recordedArguments().size(), 8u) << readFile(record);
    EXPECT_EQ(std::filesystem::path(recordedArguments()[0]).parent_path().parent_path().filename(), "Quarnel App");
}

TEST_F(LauncherTest, PrivateDirectoryRemovedWhileRunningIsMadeAgain)
{
    Launcher launcher(settings(), log);
    ASSERT_TRUE(launcher.run(clientLine(), true).started) << log.text();
    // Windows holds the directory open without delete sharing, so there it stays.
    std::error_code error;
    std::filesystem::remove_all(privateDirectory, error);
    std::filesystem::remove(record);

    ASSERT_TRUE(launcher.run(clientLine(), true).started) << log.text();
    EXPECT_EQ(readFile(record.string() + ".config"), allowedConfig);
}

TEST_F(LauncherTest, RefusedRequestsStartNothing)
{
    const auto write = [&](const std::string& name, const std::string& content) {
        const auto path = temporary.path() / name;
        writeFile(path, content);
        return path;
    };
    const auto vanished = write("vanished.ovpn", allowedConfig);
    std::filesystem::remove(vanished);
    std::string oversized = allowedConfig;
    while (oversized.size() <= launcher::maxConfigBytes) {
        oversized += "# filler filler filler filler filler filler filler filler filler\r\n";
    }
    const std::u16string program = text(standInPath());
    // Another program that exists: the test itself.
    const std::u16string other = text(testProgramDirectory() / ("launcher_test" + standInPath().extension().string()));

    const std::u16string password = u" \"" + text(passwordFile) + u"\"";
    const auto withPassword = [&](const std::string& name, const std::string& content) {
        return launchertest::clientLine(program, clientConfig, write(name, content));
    };
    const std::vector<std::pair<std::string, std::u16string>> requests = {
        {"another program", clientLine(other, clientConfig)},
        {"an extra option", program + u" --config \"" + text(clientConfig) +
                                u"\" --verb 9 --management 127.0.0.1 50123" + password +
                                u" --management-query-passwords"},
        {"an option missing",
         program + u" --config \"" + text(clientConfig) + u"\" --management 127.0.0.1 50123" + password},
        {"no password file", program + u" --config \"" + text(clientConfig) +
                                 u"\" --management 127.0.0.1 50123 --management-query-passwords"},
        {"a vanished password file", launchertest::clientLine(program, clientConfig, vanished)},
        {"a password file that is a directory", launchertest::clientLine(program, clientConfig, temporary.path())},
        {"an empty password file", withPassword("empty.pass", "")},
        {"a short password", withPassword("short.pass", "abc\n")},
        {"two password lines", withPassword("two.pass", managementPassword + "\n" + managementPassword + "\n")},
        {"a blank in the password", withPassword("blank.pass", "0123456789 abcdef0123456789\n")},
        {"a long password file", withPassword("long.pass", std::string(4096, 'a'))},
        {"port 0", clientLine(program, clientConfig, u"0")},
        {"port 65536", clientLine(program, clientConfig, u"65536")},
        {"a port that is no number", clientLine(program, clientConfig, u"http")},
        {"an unquoted configuration path", program + u" --config " + text(write("plain.ovpn", allowedConfig)) +
                                               u" --management 127.0.0.1 50123" + password +
                                               u" --management-query-passwords"},
        {"up", clientLine(program, write("up.ovpn", allowedConfig + "up /bin/sh\r\n"))},
        {"plugin", clientLine(program, write("plugin.ovpn", "plugin /tmp/x.so\r\n" + allowedConfig))},
        {"script-security 2 with a hook",
         clientLine(program, write("security.ovpn", allowedConfig + "script-security 2\r\nroute-up /bin/sh\r\n"))},
        {"a nested config", clientLine(program, write("nested.ovpn", allowedConfig + "config /tmp/other.ovpn\r\n"))},
        {"management", clientLine(program, write("management.ovpn", "management 0.0.0.0 7505\r\n"))},
        {"a vanished file", clientLine(program, vanished)},
        {"a directory", clientLine(program, temporary.path())},
        {"a file over the limit", clientLine(program, write("big.ovpn", oversized))},
        {"a relative path", clientLine(program, std::filesystem::path("relative.ovpn"))},
    };
    Launcher launcher(settings(), log);
    for (const auto& [what, line] : requests) {
        log.clear();
        const auto result = launcher.run(line, true);
        EXPECT_FALSE(result.started) << what;
        EXPECT_FALSE(result.refusal.empty()) << what;
        const auto logged = lines(log.text());
        ASSERT_EQ(logged.size(), 1u) << what << ": " << log.text();
        EXPECT_EQ(logged[0], "RunProcess refused: " + result.refusal) << what;
        EXPECT_FALSE(std::filesystem::exists(record)) << what;
        EXPECT_TRUE(copiesIn(privateDirectory).empty()) << what;
    }
}

TEST_F(LauncherTest, ProgramThatCannotStartLeavesNoCopy)
{
    // Installed where only its owner may change it, but no program: the start fails.
    const auto broken = temporary.path() / "broken" / standInPath().filename();
    std::filesystem::create_directories(broken.parent_path());
    writeFile(broken, "not a program\n");
    Launcher launcher(LaunchSettings{broken, privateDirectory}, log);
    const auto result = launcher.run(clientLine(text(broken), clientConfig), true);
    EXPECT_FALSE(result.started);
    EXPECT_TRUE(result.refusal.empty());
    EXPECT_NE(log.text().find("could not be started"), std::string::npos) << log.text();
    EXPECT_TRUE(copiesIn(privateDirectory).empty());
}

// A client killed while connected never asks for its tunnel to go down: the next run
// ends it first, whatever the first run was waiting for, and a refused request leaves
// the running one alone.
TEST_F(LauncherTest, EachRunEndsTheOpenVpnStartedEarlier)
{
    const auto endings = [&] {
        std::size_t count = 0;
        for (const auto& line : lines(log.text())) {
            count += line == "RunProcess: ending the OpenVPN process started earlier" ? 1 : 0;
        }
        return count;
    };
    struct Reset
    {
        ~Reset() { setEnvironment("QUARNEL_STANDIN_STAY", ""); }
    } reset;
    setEnvironment("QUARNEL_STANDIN_STAY", "60");
    Launcher launcher(settings(), log);
    ASSERT_TRUE(launcher.run(clientLine(), false).started) << log.text();
    ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(record); }));

    EXPECT_FALSE(launcher.run(clientLine(text(standInPath()), temporary.path() / "missing.ovpn"), false).started);
    EXPECT_EQ(endings(), 0u) << log.text();
    EXPECT_EQ(copiesIn(privateDirectory).size(), 2u);

    std::filesystem::remove(record);
    ASSERT_TRUE(launcher.run(clientLine(), false).started) << log.text();
    EXPECT_EQ(endings(), 1u) << log.text();
    // Only the copies of the run that is up now are left.
    EXPECT_EQ(copiesIn(privateDirectory).size(), 2u);
    EXPECT_TRUE(waitForExitLine()) << log.text();
    ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(record); }));

    // A run waited for ends it too, and then returns with its own program's end.
    setEnvironment("QUARNEL_STANDIN_STAY", "");
    setEnvironment("QUARNEL_STANDIN_EXIT", "4");
    const auto last = launcher.run(clientLine(), true);
    EXPECT_TRUE(last.started);
    EXPECT_EQ(last.exitCode, 4);
    EXPECT_EQ(endings(), 2u) << log.text();
    EXPECT_TRUE(copiesIn(privateDirectory).empty());
}

} // namespace
