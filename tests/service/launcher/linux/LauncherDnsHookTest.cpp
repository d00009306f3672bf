// The service's own DNS hook on OpenVPN's command line: after everything the client
// asked for, only when it is one no one else can change, never with a path OpenVPN
// would split.

#include "launcher/Launcher.h"

#include "LauncherTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using launcher::Launcher;
using launcher::LaunchSettings;
using namespace launchertest;

namespace {

class LauncherDnsHookTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        record = temporary.path() / "record.txt";
        clientConfig = temporary.path() / "client.ovpn";
        writeFile(clientConfig, "remote 10.0.0.1 1194 udp\nclient\ndev tun\nauth-user-pass\n");
        passwordFile = temporary.path() / "management.txt";
        writeFile(passwordFile, managementPassword + "\n");
        setEnvironment("QUARNEL_STANDIN_RECORD", record.string());
        setEnvironment("QUARNEL_STANDIN_EXIT", "0");
        settings.openvpnProgram = standInPath();
        settings.privateDirectory = temporary.path() / "private";
        // Any program only root can change will do as the hook: the stand-in is one.
        settings.dnsHook = standInPath();
        settings.dnsStateDirectory = temporary.path() / "state" / "dns";
    }

    void TearDown() override { unsetenv("QUARNEL_STANDIN_RECORD"); }

    launcher::LaunchResult run()
    {
        Launcher launcher(settings, log);
        return launcher.run(clientLine(text(standInPath()), clientConfig, passwordFile, u"1194"), true);
    }

    TemporaryDirectory temporary{"quarnel-dns-hook"};
    std::filesystem::path record;
    std::filesystem::path clientConfig;
    std::filesystem::path passwordFile;
    LaunchSettings settings;
    SharedLog log;
};

TEST_F(LauncherDnsHookTest, HookFollowsEverythingTheClientAskedFor)
{
    if (geteuid() != 0) {
        GTEST_SKIP() << "SKIP the build tree's programs count as trusted only for root";
    }
    ASSERT_TRUE(run().started) << log.text();
    const std::vector<std::string> arguments = recordedArgumentsOf(record);
    const std::string hook = standInPath().string() + " --state-dir " + settings.dnsStateDirectory.string();
    ASSERT_GE(arguments.size(), 7u);
    const std::vector<std::string> tail(arguments.end() - 6, arguments.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"--script-security", "2", "--up", hook, "--down", hook}));
    EXPECT_EQ(arguments[arguments.size() - 7], "--management-query-passwords");
}

TEST_F(LauncherDnsHookTest, WithoutAHookTheLineIsTheClients)
{
    settings.dnsHook.clear();
    ASSERT_TRUE(run().started) << log.text();
    EXPECT_EQ(recordedArgumentsOf(record).back(), "--management-query-passwords");
}

TEST_F(LauncherDnsHookTest, HookOthersCouldChangeRefusesTheRun)
{
    const std::filesystem::path hook = temporary.path() / "quarnel-dns-hook";
    std::filesystem::copy_file(standInPath(), hook);
    chmod(hook.c_str(), 0777);
    settings.dnsHook = hook;
    const launcher::LaunchResult result = run();
    EXPECT_FALSE(result.started);
    EXPECT_EQ(result.refusal, "untrusted DNS hook");
    EXPECT_FALSE(std::filesystem::exists(record));
}

TEST_F(LauncherDnsHookTest, PathsOpenVpnWouldSplitOrUnquoteAreRefused)
{
    for (const std::string directory : {"state dir", "state\"dir", "state\\dir", "state'dir"}) {
        settings.dnsStateDirectory = temporary.path() / directory;
        const launcher::LaunchResult result = run();
        EXPECT_FALSE(result.started) << directory;
        EXPECT_EQ(result.refusal, "the DNS hook or its state directory path cannot be passed to OpenVPN");
    }
    settings.dnsStateDirectory = "relative/dns";
    EXPECT_FALSE(run().started);
    EXPECT_FALSE(std::filesystem::exists(record));
}

} // namespace
