#include "launcher/Launcher.h"

#include "launcher/ConfigPolicy.h"

#include "LauncherTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

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
        setEnvironment("QUARNEL_STANDIN_RECORD", record.string());
        setEnvironment("QUARNEL_STANDIN_EXIT", "0");
    }

    void TearDown() override { setEnvironment("QUARNEL_STANDIN_RECORD", ""); }

    LaunchSettings settings() const { return LaunchSettings{standInPath(), privateDirectory}; }

    // The command line exactly as the client builds it.
    static std::u16string clientLine(const std::u16string& program, const std::filesystem::path& config,
                                     const std::u16string& port = u"50123")
    {
        return program + u" --config \"" + text(config) + u"\" --management 127.0.0.1 " + port +
               u" --management-query-passwords";
    }
    std::u16string clientLine() const { return clientLine(text(standInPath()), clientConfig); }

    std::vector<std::string> recordedArguments() const { return recordedArgumentsOf(record); }

    TemporaryDirectory temporary{"quarnel-launcher"};
    std::filesystem::path record;
    std::filesystem::path privateDirectory;
    std::filesystem::path clientConfig;
    std::ostringstream log;
};

TEST_F(LauncherTest, WaitedRunGetsTheCheckedCopyAndReturnsTheExitCode)
{
    setEnvironment("QUARNEL_STANDIN_EXIT", "7");
    Launcher launcher(settings(), log);
    const auto result = launcher.run(clientLine(), true);

    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 7);
    EXPECT_TRUE(result.refusal.empty()) << result.refusal;
    EXPECT_EQ(log.str(), "");

    // The installed program, on a copy in the private directory, with the client's port.
    const auto arguments = recordedArguments();
    ASSERT_EQ(arguments.size(), 7u) << readFile(record);
    EXPECT_EQ(std::filesystem::path(arguments[0]).filename(), standInPath().filename());
    EXPECT_EQ(arguments[1], "--config");
    EXPECT_EQ(std::filesystem::path(arguments[2]).parent_path(), privateDirectory);
    EXPECT_EQ(arguments[3], "--management");
    EXPECT_EQ(arguments[4], "127.0.0.1");
    EXPECT_EQ(arguments[5], "50123");
    EXPECT_EQ(arguments[6], "--management-query-passwords");
    EXPECT_EQ(readFile(record.string() + ".config"), allowedConfig);

    // The program has ended: its copy is gone.
    EXPECT_TRUE(copiesIn(privateDirectory).empty());
}

TEST_F(LauncherTest, CopyOfARunNotWaitedForLastsUntilTheProgramHasEnded)
{
    setEnvironment("QUARNEL_STANDIN_EXIT", "5");
    Launcher launcher(settings(), log);
    const auto result = launcher.run(clientLine(), false);
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 0);
    ASSERT_EQ(copiesIn(privateDirectory).size(), 1u);

    ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(record); }));
    EXPECT_EQ(readFile(record.string() + ".config"), allowedConfig);
    EXPECT_TRUE(waitUntil([&] {
        launcher.removeEndedCopies();
        return copiesIn(privateDirectory).empty();
    }));
}

TEST_F(LauncherTest, RemoveCopiesLeavesNoCopyBehind)
{
    // Left by an earlier run of the service that ended without cleaning up.
    std::filesystem::create_directories(privateDirectory);
    writeFile(privateDirectory / "config-99999-1.ovpn", "stale");
    writeFile(privateDirectory / "unrelated.txt", "kept");

    Launcher launcher(settings(), log);
    ASSERT_TRUE(launcher.run(clientLine(), false).started);
    ASSERT_TRUE(launcher.run(clientLine(), false).started);
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
        EXPECT_EQ(copiesIn(privateDirectory).size(), 1u);
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
    ASSERT_EQ(recordedArguments().size(), 7u) << readFile(record);
    EXPECT_EQ(std::filesystem::path(recordedArguments()[0]).parent_path().parent_path().filename(), "Quarnel App");
}

TEST_F(LauncherTest, PrivateDirectoryRemovedWhileRunningIsMadeAgain)
{
    Launcher launcher(settings(), log);
    ASSERT_TRUE(launcher.run(clientLine(), true).started) << log.str();
    // Windows holds the directory open without delete sharing, so there it stays.
    std::error_code error;
    std::filesystem::remove_all(privateDirectory, error);
    std::filesystem::remove(record);

    ASSERT_TRUE(launcher.run(clientLine(), true).started) << log.str();
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

    const std::vector<std::pair<std::string, std::u16string>> requests = {
        {"another program", clientLine(other, clientConfig)},
        {"an extra option", program + u" --config \"" + text(clientConfig) +
                                u"\" --verb 9 --management 127.0.0.1 50123 --management-query-passwords"},
        {"an option missing", program + u" --config \"" + text(clientConfig) + u"\" --management 127.0.0.1 50123"},
        {"port 0", clientLine(program, clientConfig, u"0")},
        {"port 65536", clientLine(program, clientConfig, u"65536")},
        {"a port that is no number", clientLine(program, clientConfig, u"http")},
        {"an unquoted configuration path", program + u" --config " + text(write("plain.ovpn", allowedConfig)) +
                                               u" --management 127.0.0.1 50123 --management-query-passwords"},
        {"up", clientLine(program, write("up.ovpn", allowedConfig + "up /bin/sh\r\n"))},
        {"plugin", clientLine(program, write("plugin.ovpn", "plugin /tmp/x.so\r\n" + allowedConfig))},
        {"script-security 2", clientLine(program, write("security.ovpn", allowedConfig + "script-security 2\r\n"))},
        {"a nested config", clientLine(program, write("nested.ovpn", allowedConfig + "config /tmp/other.ovpn\r\n"))},
        {"management", clientLine(program, write("management.ovpn", "management 0.0.0.0 7505\r\n"))},
        {"a vanished file", clientLine(program, vanished)},
        {"a directory", clientLine(program, temporary.path())},
        {"a file over the limit", clientLine(program, write("big.ovpn", oversized))},
        {"a relative path", clientLine(program, std::filesystem::path("relative.ovpn"))},
    };
    Launcher launcher(settings(), log);
    for (const auto& [what, line] : requests) {
        log.str("");
        const auto result = launcher.run(line, true);
        EXPECT_FALSE(result.started) << what;
        EXPECT_FALSE(result.refusal.empty()) << what;
        const auto logged = lines(log.str());
        ASSERT_EQ(logged.size(), 1u) << what << ": " << log.str();
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
    EXPECT_NE(log.str().find("could not be started"), std::string::npos) << log.str();
    EXPECT_TRUE(copiesIn(privateDirectory).empty());
}

} // namespace
