#include "pipe/PipeClient.h"
#include "pipe/PipeEndpoint.h"
#include "pipe/PipeServer.h"
#include "pipe/ServiceCommand.h"
#include "pipe/StopEvent.h"

#include "TemporaryDirectory.h"
#include "linux/ThreadWait.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using servicepipe::PipeClient;
using servicepipe::PipeServer;
using servicepipe::ServerTransport;
using servicepipe::ServiceCommand;
using servicepipe::ServiceReply;
using servicepipe::ServiceRequest;
using servicepipe::StopEvent;
using Clock = std::chrono::steady_clock;

namespace {

class PipeTransport : public ::testing::Test
{
protected:
    // One exchange on the server side: the reply carries the request's command as value.
    static bool serveOne(PipeServer& server)
    {
        if (server.waitForClient() != ServerTransport::Wait::Connected) {
            return false;
        }
        std::vector<std::uint8_t> buffer(servicepipe::requestSize);
        std::size_t received = 0;
        const bool read = server.readRequest(buffer.data(), buffer.size(), received);
        if (read) {
            ServiceReply reply;
            reply.ok = 1;
            reply.value = ServiceRequest::fromBytes(buffer.data(), received).command();
            const auto bytes = reply.toBytes();
            server.writeReply(bytes.data(), bytes.size());
        }
        server.disconnect();
        return read;
    }

    int rawConnect() const
    {
        const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        EXPECT_EQ(connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        return fd;
    }

    TemporaryDirectory directory{"quarnel-pipe"};
    std::string path = (directory / "socket").string();
    StopEvent stop;
};

} // namespace

TEST_F(PipeTransport, SocketIsOpenToEveryLocalUserAndRemovedOnClose)
{
    PipeServer server(path, stop);
    ASSERT_TRUE(server.open());
    struct stat status = {};
    ASSERT_EQ(lstat(path.c_str(), &status), 0);
    EXPECT_TRUE(S_ISSOCK(status.st_mode));
    EXPECT_EQ(status.st_mode & 07777, 0666u);
    server.close();
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(PipeTransport, OpenNeverTakesOverALiveSocketOrAnotherFile)
{
    PipeServer first(path, stop);
    ASSERT_TRUE(first.open());
    PipeServer second(path, stop);
    EXPECT_FALSE(second.open()) << "another instance listens there";
    second.close();
    EXPECT_TRUE(std::filesystem::exists(path)) << "the loser must not remove the winner's socket";

    // The probe's connection reaches the live server as a client without a request.
    EXPECT_FALSE(serveOne(first));
    std::thread client([&] {
        ServiceReply reply;
        EXPECT_EQ(PipeClient(path).exchange(ServiceRequest(ServiceCommand::QueryFirewallSupport), reply),
                  PipeClient::Result::Replied);
    });
    EXPECT_TRUE(serveOne(first));
    client.join();
    first.close();

    // A socket left behind by a dead service is replaced.
    const int stale = socket(AF_UNIX, SOCK_SEQPACKET, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(bind(stale, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    close(stale);
    PipeServer third(path, stop);
    EXPECT_TRUE(third.open());
    third.close();

    // Anything else is left alone.
    std::ofstream(path) << "not a socket";
    PipeServer fourth(path, stop);
    EXPECT_FALSE(fourth.open());
    EXPECT_TRUE(std::filesystem::is_regular_file(path));
}

TEST_F(PipeTransport, ClientWaitsForAServiceThatIsStillStarting)
{
    std::promise<pid_t> clientThread;
    ServiceReply reply;
    PipeClient::Result result = PipeClient::Result::Failed;
    std::thread client([&] {
        clientThread.set_value(currentThreadId());
        result = PipeClient(path).exchange(ServiceRequest(ServiceCommand::SaveFirewallState), reply);
        // A client that gave up must not leave the server below waiting for it forever.
        stop.set();
    });
    // Found no socket and pausing before its next attempt: only now does the service start.
    EXPECT_TRUE(waitUntilThreadWaits(clientThread.get_future().get(), 20s));
    EXPECT_FALSE(std::filesystem::exists(path));
    PipeServer server(path, stop);
    EXPECT_TRUE(server.open());
    EXPECT_TRUE(serveOne(server));
    client.join();
    EXPECT_EQ(result, PipeClient::Result::Replied);
    EXPECT_EQ(reply.ok, 1);
    EXPECT_EQ(reply.value, 6);
}

TEST_F(PipeTransport, ClientGivesUpOnAMissingOrSilentService)
{
    PipeClient client(path);
    client.setConnectTimeout(300ms);
    client.setReplyTimeout(300ms);
    ServiceReply reply;
    reply.ok = 7;

    auto start = Clock::now();
    EXPECT_EQ(client.exchange(ServiceRequest(), reply), PipeClient::Result::Unreachable);
    EXPECT_GE(Clock::now() - start, 300ms);
    EXPECT_LT(Clock::now() - start, 3s);

    // A listener that takes the connection but never answers.
    PipeServer server(path, stop);
    ASSERT_TRUE(server.open());
    start = Clock::now();
    EXPECT_EQ(client.exchange(ServiceRequest(), reply), PipeClient::Result::Failed);
    EXPECT_GE(Clock::now() - start, 300ms);
    EXPECT_LT(Clock::now() - start, 3s);
    EXPECT_EQ(reply.ok, 7) << "no reply, nothing filled in";

    // A service that reads and then drops the client without a reply. The client that
    // gave up above is still queued, its request with it, and is taken first.
    std::thread dropper([&] {
        for (int connection = 0; connection < 2; ++connection) {
            ASSERT_EQ(server.waitForClient(), ServerTransport::Wait::Connected);
            std::vector<std::uint8_t> buffer(servicepipe::requestSize);
            std::size_t received = 0;
            EXPECT_TRUE(server.readRequest(buffer.data(), buffer.size(), received));
            server.disconnect();
        }
    });
    client.setReplyTimeout(10s);
    start = Clock::now();
    EXPECT_EQ(client.exchange(ServiceRequest(), reply), PipeClient::Result::Failed);
    EXPECT_LT(Clock::now() - start, 3s) << "a closed connection fails at once";
    dropper.join();
}

// Message boundaries as a message-mode pipe keeps them: a short write is read as short,
// a message longer than a request is no request, and a client that leaves is none.
TEST_F(PipeTransport, ReadsOneMessage)
{
    PipeServer server(path, stop);
    ASSERT_TRUE(server.open());
    struct Case
    {
        const char* name;
        std::size_t bytes; // 0: close without writing
        bool read;
    };
    const Case cases[] = {
        {"short write", 5, true},
        {"full record", servicepipe::requestSize, true},
        {"longer than a record", servicepipe::requestSize + 1, false},
        {"nothing written", 0, false},
    };
    for (const Case& c : cases) {
        const int fd = rawConnect();
        if (c.bytes > 0) {
            std::vector<std::uint8_t> message(c.bytes, 0x41);
            ASSERT_EQ(send(fd, message.data(), message.size(), 0), static_cast<ssize_t>(message.size())) << c.name;
        } else {
            shutdown(fd, SHUT_WR);
        }
        ASSERT_EQ(server.waitForClient(), ServerTransport::Wait::Connected) << c.name;
        std::vector<std::uint8_t> buffer(servicepipe::requestSize);
        std::size_t received = 0;
        EXPECT_EQ(server.readRequest(buffer.data(), buffer.size(), received), c.read) << c.name;
        if (c.read) {
            EXPECT_EQ(received, c.bytes) << c.name;
        }
        server.disconnect();
        close(fd);
    }
}

TEST_F(PipeTransport, StopEventWinsOverAWaitingClient)
{
    PipeServer server(path, stop);
    ASSERT_TRUE(server.open());
    const int fd = rawConnect();
    stop.set();
    EXPECT_TRUE(stop.isSet());
    EXPECT_EQ(server.waitForClient(), ServerTransport::Wait::Stopped);
    close(fd);
}

TEST(PipeEndpoint, EnvironmentOverridesTheDefaultSocket)
{
    const char* saved = std::getenv("QUARNEL_SERVICE_SOCKET");
    const std::string previous = saved != nullptr ? saved : "";
    unsetenv("QUARNEL_SERVICE_SOCKET");
    EXPECT_EQ(servicepipe::defaultEndpoint(), "/run/quarnel/QuarnelOpenVPNService");
    setenv("QUARNEL_SERVICE_SOCKET", "", 1);
    EXPECT_EQ(servicepipe::defaultEndpoint(), "/run/quarnel/QuarnelOpenVPNService");
    setenv("QUARNEL_SERVICE_SOCKET", "/tmp/q/socket", 1);
    EXPECT_EQ(servicepipe::defaultEndpoint(), "/tmp/q/socket");
    EXPECT_EQ(PipeClient().endpointName(), "/tmp/q/socket");
    if (saved != nullptr) {
        setenv("QUARNEL_SERVICE_SOCKET", previous.c_str(), 1);
    } else {
        unsetenv("QUARNEL_SERVICE_SOCKET");
    }
}
