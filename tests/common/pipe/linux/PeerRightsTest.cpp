// The rights of the socket's peer, as the service takes them for an open in a client's
// name: from the kernel's record of the connecting process, on the serving thread only,
// and given back whole.

#include "pipe/PipeClient.h"
#include "pipe/PipeServer.h"
#include "pipe/ServiceCommand.h"
#include "pipe/StopEvent.h"

#include "TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using servicepipe::PipeClient;
using servicepipe::PipeServer;
using servicepipe::ServerTransport;
using servicepipe::ServiceCommand;
using servicepipe::ServiceReply;
using servicepipe::ServiceRequest;

namespace {

constexpr uid_t nobody = 65534;
constexpr gid_t extraGroup = 4242;

std::vector<gid_t> threadGroups()
{
    std::vector<gid_t> groups(static_cast<std::size_t>(getgroups(0, nullptr)));
    groups.resize(static_cast<std::size_t>(getgroups(static_cast<int>(groups.size()), groups.data())));
    return groups;
}

bool opens(const fs::path& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        close(fd);
    }
    return fd >= 0;
}

class PeerRights : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (geteuid() != 0) {
            std::printf("SKIP taking another user's rights needs root\n");
            GTEST_SKIP() << "needs root";
        }
        fs::permissions(temporary.path(), fs::perms::owner_all | fs::perms::others_exec);
        rootOnly = file("root-only", 0600, 0, 0);
        theirs = file("theirs", 0600, nobody, nobody);
        viaGroup = file("via-group", 0640, 0, extraGroup);
    }

    fs::path file(const std::string& name, mode_t mode, uid_t owner, gid_t group)
    {
        const fs::path path = temporary.path() / name;
        std::ofstream(path) << "client\n";
        chmod(path.c_str(), mode);
        EXPECT_EQ(chown(path.c_str(), owner, group), 0);
        return path;
    }

    // A client process as nobody, with these supplementary groups, sends one request.
    // Forked while this process has no other thread.
    pid_t clientAsNobody(const std::vector<gid_t>& groups)
    {
        const pid_t child = fork();
        if (child == 0) {
            const bool dropped =
                setgroups(groups.size(), groups.data()) == 0 && setgid(nobody) == 0 && setuid(nobody) == 0;
            ServiceReply reply;
            PipeClient client(socket);
            const bool replied = dropped && client.exchange(ServiceRequest(ServiceCommand::QueryFirewallSupport),
                                                            reply) == PipeClient::Result::Replied;
            _exit(replied ? 0 : 1);
        }
        return child;
    }

    static bool receive(PipeServer& server)
    {
        if (server.waitForClient() != ServerTransport::Wait::Connected) {
            return false;
        }
        std::vector<std::uint8_t> buffer(servicepipe::requestSize);
        std::size_t received = 0;
        return server.readRequest(buffer.data(), buffer.size(), received);
    }

    static void replyAndLetGo(PipeServer& server)
    {
        ServiceReply reply;
        const auto bytes = reply.toBytes();
        server.writeReply(bytes.data(), bytes.size());
        server.disconnect();
    }

    static int exitOf(pid_t child)
    {
        int status = 0;
        return waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    TemporaryDirectory temporary{"quarnel-peer"};
    std::string socket = (temporary.path() / "socket").string();
    fs::path rootOnly;
    fs::path theirs;
    fs::path viaGroup;
    servicepipe::StopEvent stop;
};

TEST_F(PeerRights, OpensAsThePeerOnThisThreadOnlyAndGivesTheRightsBack)
{
    PipeServer server(socket, stop);
    ASSERT_TRUE(server.open());
    const std::vector<gid_t> ownGroups = threadGroups();
    const pid_t child = clientAsNobody({extraGroup});
    ASSERT_TRUE(receive(server));

    // A thread that was there before, as the service's main thread is: it keeps the
    // service's identity while the serving thread has the client's.
    std::promise<void> assumed;
    std::promise<void> looked;
    std::thread other([&] {
        assumed.get_future().wait();
        EXPECT_EQ(setfsuid(static_cast<uid_t>(-1)), 0u);
        EXPECT_EQ(threadGroups(), ownGroups);
        EXPECT_TRUE(opens(rootOnly));
        looked.set_value();
    });
    servicepipe::ClientRights& rights = server.clientRights();
    const bool taken = rights.assume();
    EXPECT_TRUE(taken);
    EXPECT_FALSE(opens(rootOnly));
    EXPECT_TRUE(opens(theirs));
    EXPECT_TRUE(opens(viaGroup)) << "the peer's supplementary group";
    EXPECT_EQ(threadGroups(), std::vector<gid_t>{extraGroup});
    assumed.set_value();
    looked.get_future().wait();
    other.join();
    if (taken) {
        rights.revert();
    }

    EXPECT_EQ(setfsuid(static_cast<uid_t>(-1)), 0);
    EXPECT_EQ(setfsgid(static_cast<gid_t>(-1)), 0);
    EXPECT_EQ(threadGroups(), ownGroups);
    EXPECT_TRUE(opens(rootOnly));
    replyAndLetGo(server);
    EXPECT_EQ(exitOf(child), 0);

    // Once the client is gone there is no one to act for.
    EXPECT_FALSE(server.clientRights().assume());
}

TEST_F(PeerRights, ThePeersOwnGroupsOnly)
{
    PipeServer server(socket, stop);
    ASSERT_TRUE(server.open());
    // The service's own group must not open a file for a client outside it.
    const std::vector<gid_t> ownGroups = threadGroups();
    const gid_t serviceGroup = extraGroup;
    ASSERT_EQ(setgroups(1, &serviceGroup), 0);
    const pid_t child = clientAsNobody({});
    ASSERT_TRUE(receive(server));
    ASSERT_TRUE(server.clientRights().assume());
    EXPECT_FALSE(opens(viaGroup));
    EXPECT_TRUE(threadGroups().empty());
    server.clientRights().revert();
    EXPECT_EQ(threadGroups(), std::vector<gid_t>{serviceGroup});
    ASSERT_EQ(setgroups(ownGroups.size(), ownGroups.data()), 0);
    replyAndLetGo(server);
    EXPECT_EQ(exitOf(child), 0);
}

} // namespace
