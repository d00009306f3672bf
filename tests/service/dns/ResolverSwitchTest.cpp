// The resolver switch on a private copy of the machine: a resolver file, a state
// directory and, for the systemd-resolved path, a stand-in resolvectl that records its
// arguments and a socket that stands for resolved's own.

#include "dns/DnsGuard.h"
#include "dns/ResolverSwitch.h"

#include "TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

using dns::DnsRecord;
using dns::ProcessIdentity;
using dns::PushedDns;
using dns::ResolverPaths;
using dns::ResolverSwitch;

namespace {

const std::string machineResolver = "# the machine's own\nnameserver 192.0.2.53\noptions edns0\n";

void writeFile(const std::filesystem::path& path, const std::string& content)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << content;
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

PushedDns tunnelDns()
{
    PushedDns pushed;
    pushed.servers = {"10.8.0.1", "fd00::1"};
    pushed.domains = {"corp.example"};
    return pushed;
}

ProcessIdentity self()
{
    ProcessIdentity identity;
    EXPECT_TRUE(dns::identifyProcess(getpid(), identity));
    return identity;
}

class ResolverSwitchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(temporary / "etc");
        std::filesystem::create_directories(temporary / "bin");
        paths.stateDirectory = (temporary / "state").string();
        paths.resolvConf = (temporary / "etc" / "resolv.conf").string();
        paths.resolvectl = (temporary / "bin" / "resolvectl").string();
        paths.resolvedSocket = (temporary / "resolved.socket").string();
        std::string error;
        ASSERT_TRUE(ResolverSwitch::prepareDirectory(paths.stateDirectory, error)) << error;
        writeFile(paths.resolvConf, machineResolver);
        chmod(paths.resolvConf.c_str(), 0640);
    }

    void TearDown() override
    {
        if (resolvedSocket >= 0) {
            close(resolvedSocket);
        }
    }

    // resolved "runs" while something listens on its socket.
    void startResolved(int exitCode = 0)
    {
        writeFile(paths.resolvectl, "#!/bin/sh\necho \"$@\" >> '" + (temporary / "calls").string() + "'\nexit " +
                                        std::to_string(exitCode) + "\n");
        chmod(paths.resolvectl.c_str(), 0755);
        resolvedSocket = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, paths.resolvedSocket.c_str());
        ASSERT_EQ(bind(resolvedSocket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ASSERT_EQ(listen(resolvedSocket, 4), 0);
    }

    std::string calls() const { return readFile(temporary / "calls"); }
    bool recorded() const { return std::filesystem::exists(temporary / "state" / "record"); }

    TemporaryDirectory temporary{"quarnel-dns-test"};
    ResolverPaths paths;
    std::ostringstream log;
    int resolvedSocket = -1;

    ResolverSwitch make() { return ResolverSwitch(paths, log); }
};

TEST_F(ResolverSwitchTest, ResolverFileCarriesTheTunnelsServersAndComesBackByteForByte)
{
    ResolverSwitch resolver = make();
    std::string error;
    ASSERT_TRUE(resolver.apply(tunnelDns(), "tun0", self(), error)) << error;
    const std::string during = readFile(paths.resolvConf);
    EXPECT_NE(during.find("\nnameserver 10.8.0.1\nnameserver fd00::1\nsearch corp.example\n"), std::string::npos);
    EXPECT_EQ(during.find("192.0.2.53"), std::string::npos);
    EXPECT_EQ(calls(), "");

    ASSERT_EQ(resolver.restore(nullptr, error), ResolverSwitch::Outcome::Restored) << error;
    EXPECT_EQ(readFile(paths.resolvConf), machineResolver);
    struct stat status;
    ASSERT_EQ(lstat(paths.resolvConf.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_FALSE(recorded());
    // Nothing left to undo a second time.
    EXPECT_EQ(resolver.restore(nullptr, error), ResolverSwitch::Outcome::Nothing);
    EXPECT_FALSE(std::filesystem::exists(temporary / "state" / "original"));
}

TEST_F(ResolverSwitchTest, LinkOrMissingFileComesBackAsItWas)
{
    ResolverSwitch resolver = make();
    std::string error;
    std::filesystem::remove(paths.resolvConf);
    std::filesystem::create_symlink("../run/resolvconf/resolv.conf", paths.resolvConf);
    ASSERT_TRUE(resolver.apply(tunnelDns(), "tun0", self(), error)) << error;
    EXPECT_FALSE(std::filesystem::is_symlink(paths.resolvConf));
    ASSERT_EQ(resolver.restore(nullptr, error), ResolverSwitch::Outcome::Restored) << error;
    ASSERT_TRUE(std::filesystem::is_symlink(paths.resolvConf));
    EXPECT_EQ(std::filesystem::read_symlink(paths.resolvConf), "../run/resolvconf/resolv.conf");

    std::filesystem::remove(paths.resolvConf);
    ASSERT_TRUE(resolver.apply(tunnelDns(), "tun0", self(), error)) << error;
    EXPECT_TRUE(std::filesystem::exists(paths.resolvConf));
    ASSERT_EQ(resolver.restore(nullptr, error), ResolverSwitch::Outcome::Restored) << error;
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(paths.resolvConf)));
}

TEST_F(ResolverSwitchTest, OnlyTheOwnersEndUndoesTheChange)
{
    ResolverSwitch resolver = make();
    std::string error;
    const ProcessIdentity owner = self();
    ASSERT_TRUE(resolver.apply(tunnelDns(), "tun0", owner, error)) << error;
    ProcessIdentity later = owner;
    later.startTime += 1;
    ProcessIdentity other = owner;
    other.pid += 1;
    EXPECT_EQ(resolver.restore(&later, error), ResolverSwitch::Outcome::Nothing);
    EXPECT_EQ(resolver.restore(&other, error), ResolverSwitch::Outcome::Nothing);
    EXPECT_NE(readFile(paths.resolvConf), machineResolver);
    EXPECT_EQ(resolver.restore(&owner, error), ResolverSwitch::Outcome::Restored);
    EXPECT_EQ(readFile(paths.resolvConf), machineResolver);
}

TEST_F(ResolverSwitchTest, ANewTunnelKeepsTheMachinesOriginalNotTheLastTunnels)
{
    ResolverSwitch resolver = make();
    std::string error;
    ASSERT_TRUE(resolver.apply(tunnelDns(), "tun0", self(), error)) << error;
    PushedDns second;
    second.servers = {"10.9.0.1"};
    ProcessIdentity next = self();
    next.pid += 1;
    ASSERT_TRUE(resolver.apply(second, "tun1", next, error)) << error;
    EXPECT_NE(readFile(paths.resolvConf).find("nameserver 10.9.0.1\n"), std::string::npos);
    EXPECT_EQ(readFile(paths.resolvConf).find("10.8.0.1"), std::string::npos);
    ASSERT_EQ(resolver.restore(&next, error), ResolverSwitch::Outcome::Restored) << error;
    EXPECT_EQ(readFile(paths.resolvConf), machineResolver);
}

TEST_F(ResolverSwitchTest, AFileAnotherProgramWroteMeanwhileIsKept)
{
    ResolverSwitch resolver = make();
    std::string error;
    ASSERT_TRUE(resolver.apply(tunnelDns(), "tun0", self(), error)) << error;
    const std::string renewed = "nameserver 198.51.100.53\n";
    writeFile(paths.resolvConf, renewed);
    EXPECT_EQ(resolver.restore(nullptr, error), ResolverSwitch::Outcome::Restored);
    EXPECT_EQ(readFile(paths.resolvConf), renewed);
    EXPECT_FALSE(recorded());
}

// Containers bind a resolver file of their own in; nothing can be renamed over a mount
// point, so its content is rewritten instead.
TEST_F(ResolverSwitchTest, AResolverFileThatIsAMountPointIsRewrittenInPlace)
{
    if (geteuid() != 0) {
        GTEST_SKIP() << "SKIP needs root for a private mount namespace";
    }
    writeFile(temporary / "bound", machineResolver);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Mounts made here end with this process.
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount((temporary / "bound").c_str(), paths.resolvConf.c_str(), nullptr, MS_BIND, nullptr) != 0) {
            _exit(10);
        }
        ResolverSwitch resolver = make();
        std::string error;
        if (!resolver.apply(tunnelDns(), "tun0", self(), error)) {
            _exit(11);
        }
        if (readFile(temporary / "bound").find("nameserver 10.8.0.1\n") == std::string::npos) {
            _exit(12);
        }
        if (resolver.restore(nullptr, error) != ResolverSwitch::Outcome::Restored ||
            readFile(temporary / "bound") != machineResolver) {
            _exit(13);
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10: no mount namespace, 11: not applied, 12: not written, 13: not restored";
}

TEST_F(ResolverSwitchTest, RefusesWhatItCannotDoSafely)
{
    ResolverSwitch resolver = make();
    std::string error;
    // A device name that resolvectl would read as an option.
    EXPECT_FALSE(resolver.apply(tunnelDns(), "--interface", self(), error));
    EXPECT_FALSE(resolver.apply(tunnelDns(), "", self(), error));
    // A state directory others could write: nobody could trust its record.
    chmod(paths.stateDirectory.c_str(), 0777);
    EXPECT_FALSE(resolver.apply(tunnelDns(), "tun0", self(), error));
    EXPECT_NE(error.find("not private"), std::string::npos) << error;
    EXPECT_EQ(resolver.restore(nullptr, error), ResolverSwitch::Outcome::Failed);
    chmod(paths.stateDirectory.c_str(), 0700);
    // A resolver that is no file: left alone.
    std::filesystem::remove(paths.resolvConf);
    std::filesystem::create_directory(paths.resolvConf);
    EXPECT_FALSE(resolver.apply(tunnelDns(), "tun0", self(), error));
    EXPECT_FALSE(recorded());
    EXPECT_TRUE(std::filesystem::is_directory(paths.resolvConf));
}

TEST_F(ResolverSwitchTest, AnUnreadableRecordIsDroppedAndTheFileLeftAlone)
{
    ResolverSwitch resolver = make();
    std::string error;
    ASSERT_TRUE(resolver.apply(tunnelDns(), "tun0", self(), error)) << error;
    const std::string during = readFile(paths.resolvConf);
    writeFile(temporary / "state" / "record", "quarnel-dns 1\nowner 1 1\nmethod resolved\ndevice -x\n");
    EXPECT_EQ(resolver.restore(nullptr, error), ResolverSwitch::Outcome::Failed);
    EXPECT_FALSE(recorded());
    EXPECT_EQ(readFile(paths.resolvConf), during);
    // Nor does one block the next tunnel.
    writeFile(temporary / "state" / "record", "garbage");
    ASSERT_TRUE(resolver.apply(tunnelDns(), "tun0", self(), error)) << error;
    DnsRecord record;
    EXPECT_TRUE(resolver.readRecord(record));
}

TEST_F(ResolverSwitchTest, ResolvedGetsPerLinkServersAndTheCatchAllDomain)
{
    startResolved();
    ResolverSwitch resolver = make();
    ASSERT_TRUE(resolver.resolvedRuns());
    std::string error;
    ASSERT_TRUE(resolver.apply(tunnelDns(), "tun0", self(), error)) << error;
    const std::string applied = "domain tun0 ~. corp.example\ndefault-route tun0 yes\ndns tun0 10.8.0.1 fd00::1\n";
    EXPECT_EQ(calls(), applied);
    EXPECT_EQ(readFile(paths.resolvConf), machineResolver);
    DnsRecord record;
    ASSERT_TRUE(resolver.readRecord(record));
    EXPECT_EQ(record.method, DnsRecord::Method::Resolved);
    EXPECT_EQ(record.device, "tun0");

    ASSERT_EQ(resolver.restore(nullptr, error), ResolverSwitch::Outcome::Restored) << error;
    EXPECT_EQ(calls(), applied + "revert tun0\n");
    EXPECT_FALSE(recorded());
}

TEST_F(ResolverSwitchTest, AFailingResolvectlFailsTheTunnelAndLeavesNothing)
{
    startResolved(1);
    ResolverSwitch resolver = make();
    std::string error;
    EXPECT_FALSE(resolver.apply(tunnelDns(), "tun0", self(), error));
    EXPECT_EQ(calls(), "domain tun0 ~. corp.example\nrevert tun0\n");
    EXPECT_FALSE(recorded());
}

TEST_F(ResolverSwitchTest, ASocketNobodyListensOnIsNoRunningResolved)
{
    startResolved();
    close(resolvedSocket);
    resolvedSocket = -1;
    ASSERT_TRUE(std::filesystem::exists(paths.resolvedSocket));
    ResolverSwitch resolver = make();
    EXPECT_FALSE(resolver.resolvedRuns());
    std::string error;
    ASSERT_TRUE(resolver.apply(tunnelDns(), "tun0", self(), error)) << error;
    EXPECT_EQ(calls(), "");
    EXPECT_NE(readFile(paths.resolvConf), machineResolver);
}

// The guard restores when the recorded OpenVPN ends, whatever it could still do itself.
TEST_F(ResolverSwitchTest, GuardRestoresWhenTheOwnerEnds)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        pause();
        _exit(0);
    }
    ProcessIdentity owner;
    ASSERT_TRUE(dns::identifyProcess(child, owner));
    ResolverSwitch resolver = make();
    std::string error;
    ASSERT_TRUE(resolver.apply(tunnelDns(), "tun0", owner, error)) << error;

    dns::DnsGuard guard(paths, log);
    ASSERT_TRUE(guard.start());
    // Still running: nothing is undone.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_NE(readFile(paths.resolvConf), machineResolver);

    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (readFile(paths.resolvConf) != machineResolver && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(readFile(paths.resolvConf), machineResolver);
    EXPECT_FALSE(recorded());
    guard.stop();
}

TEST_F(ResolverSwitchTest, GuardRestoresARecordWhoseOwnerIsAlreadyGone)
{
    ResolverSwitch resolver = make();
    std::string error;
    ProcessIdentity gone = self();
    gone.startTime += 1; // this pid, but a process that is no more
    ASSERT_TRUE(resolver.apply(tunnelDns(), "tun0", gone, error)) << error;
    dns::DnsGuard guard(paths, log);
    ASSERT_TRUE(guard.start());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (recorded() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(readFile(paths.resolvConf), machineResolver);
    guard.stop();

    // At start, the service undoes whatever is recorded, running owner or not.
    ASSERT_TRUE(resolver.apply(tunnelDns(), "tun0", self(), error)) << error;
    dns::DnsGuard atStart(paths, log);
    atStart.restoreLeftover();
    EXPECT_EQ(readFile(paths.resolvConf), machineResolver);
}

} // namespace
