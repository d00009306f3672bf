#include "ServiceRig.h"

#include "ServiceHost.h"
#include "ServiceStatus.h"
#include "Worker.h"

#include "pipe/ServiceCommand.h"
#include "pipe/ServiceReply.h"
#include "pipe/ServiceRequest.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

using servicepipe::ServerTransport;
using servicepipe::ServiceCommand;
using servicepipe::ServiceReply;
using servicepipe::ServiceRequest;

namespace {

// A transport that plays a script of clients. Each message is copied into the worker's
// buffer as it stands, without zeroing the rest, as a pipe read does.
class ScriptedTransport : public ServerTransport
{
public:
    struct Client
    {
        Wait wait = Wait::Connected;
        bool readFails = false;
        std::vector<std::uint8_t> message;
    };

    bool open() override
    {
        journal.push_back("open");
        if (onOpen) {
            onOpen();
        }
        return opens;
    }

    Wait waitForClient() override
    {
        if (clients.empty()) {
            journal.push_back("stopped");
            return Wait::Stopped;
        }
        current = clients.front();
        clients.pop_front();
        journal.push_back(current.wait == Wait::Connected ? "connected" : "failed wait");
        return current.wait;
    }

    bool readRequest(std::uint8_t* buffer, std::size_t size, std::size_t& received) override
    {
        journal.push_back("read");
        received = 0;
        if (current.readFails || current.message.size() > size) {
            return false;
        }
        std::copy(current.message.begin(), current.message.end(), buffer);
        received = current.message.size();
        return true;
    }

    bool writeReply(const std::uint8_t* data, std::size_t size) override
    {
        journal.push_back("reply");
        replies.push_back(ServiceReply::fromBytes(data, size));
        EXPECT_EQ(size, servicepipe::replySize);
        return true;
    }

    servicepipe::ClientRights& clientRights() override { return rights; }
    void disconnect() override { journal.push_back("disconnect"); }
    void close() override { journal.push_back("close"); }

    void add(const std::vector<std::uint8_t>& message) { clients.push_back({Wait::Connected, false, message}); }
    void add(const ServiceRequest& request)
    {
        add(std::vector<std::uint8_t>(request.bytes().begin(), request.bytes().end()));
    }

    bool opens = true;
    servicepipe::OwnRights rights;
    std::function<void()> onOpen;
    std::deque<Client> clients;
    Client current;
    std::vector<std::string> journal;
    std::vector<ServiceReply> replies;
};

class RecordingReporter : public service::StatusReporter
{
public:
    void report(const service::StatusReport& status) override { reports.push_back(status); }
    std::vector<service::StatusReport> reports;
};

ServiceRequest zoneRequest(const std::string& name)
{
    ServiceRequest request(ServiceCommand::ChangeTimezone);
    request.setZoneName(name);
    return request;
}

} // namespace

TEST(Worker, ServesEachClientOnceAndEndsOnStop)
{
    ServiceRig rig;
    ScriptedTransport transport;
    transport.add(ServiceRequest(ServiceCommand::QueryFirewallSupport));
    transport.clients.push_back({ServerTransport::Wait::Failed, false, {}});
    transport.clients.push_back({ServerTransport::Wait::Connected, true, {}});
    transport.add(ServiceRequest(ServiceCommand::QueryTimezoneSupport));
    int readyCalls = 0;
    service::Worker(transport, rig.dispatcher, [&] {
        ++readyCalls;
        transport.journal.push_back("ready");
    }).run();

    EXPECT_EQ(readyCalls, 1);
    // A failed wait is waited again; a failed read gets no reply but the client is
    // still let go.
    const std::vector<std::string> expected = {
        "open", "ready",      "connected", "read", "reply", "disconnect", "failed wait", "connected",
        "read", "disconnect", "connected", "read", "reply", "disconnect", "stopped",     "close"};
    EXPECT_EQ(transport.journal, expected);
    ASSERT_EQ(transport.replies.size(), 2u);
    EXPECT_EQ(transport.replies[0].ok, 1);
    EXPECT_EQ(transport.replies[1].ok, 1);
}

// settings.dat is applied before the pipe accepts anyone, and also when it never does.
TEST(Worker, SavedStateComesFirstAndAFailedPipeEndsTheWorker)
{
    for (const bool pipeOpens : {true, false}) {
        ServiceRig rig;
        std::filesystem::create_directories(rig.settingsFile().parent_path());
        writeFile(rig.settingsFile(), "127.0.0.1");
        ScriptedTransport transport;
        transport.opens = pipeOpens;
        bool sessionAtOpen = false;
        bool ready = false;
        transport.onOpen = [&] { sessionAtOpen = rig.firewall.isSessionOpen(); };
        service::Worker(transport, rig.dispatcher, [&] { ready = true; }).run();
        EXPECT_TRUE(sessionAtOpen);
        EXPECT_EQ(ready, pipeOpens);
        if (!pipeOpens) {
            EXPECT_EQ(transport.journal, std::vector<std::string>{"open"});
        }
    }
}

// A request shorter than the record reads as zeros beyond its end, never as the bytes
// an earlier request left in the buffer.
TEST(Worker, ShortRequestDoesNotReuseEarlierBytes)
{
    ServiceRig rig;
    ScriptedTransport transport;
    transport.add(zoneRequest("Europe/Berlin"));
    // DisableFirewall restores the zone; being short, it leaves the name in place in a
    // buffer that is not cleared.
    transport.add(std::vector<std::uint8_t>{2, 0, 0, 0});
    // Only the command: flag and name are missing, so the name is empty.
    transport.add(std::vector<std::uint8_t>{8, 0, 0, 0});
    service::Worker(transport, rig.dispatcher, nullptr).run();
    EXPECT_EQ(rig.zone.current, "Etc/UTC");
    EXPECT_EQ(rig.zone.applies, 2) << "Berlin, then the restore; the short request sets nothing";

    // The same for a firewall list: the short request leaves the saved list empty.
    ScriptedTransport second;
    ServiceRequest enable(ServiceCommand::EnableFirewall);
    enable.setAddressList(u"127.0.0.1;198.51.100.7");
    second.add(enable);
    second.add(std::vector<std::uint8_t>{3, 0, 0, 0});
    second.add(ServiceRequest(ServiceCommand::SaveFirewallState));
    service::Worker(second, rig.dispatcher, nullptr).run();
    EXPECT_TRUE(std::filesystem::exists(rig.settingsFile()));
    EXPECT_EQ(readFile(rig.settingsFile()), "");
}

TEST(ServiceStatus, StopControlActsOnlyWhileRunning)
{
    RecordingReporter reporter;
    service::ServiceStatus status(reporter);
    EXPECT_FALSE(status.stopControl()) << "before start";
    status.startPending();
    EXPECT_FALSE(status.stopControl()) << "start pending";
    status.running();
    EXPECT_TRUE(status.stopControl());
    EXPECT_FALSE(status.stopControl()) << "stop pending";
    status.stopped(0, service::CheckPoint::WorkerEnded);
    EXPECT_FALSE(status.stopControl()) << "stopped";

    using service::ServiceState;
    ASSERT_EQ(reporter.reports.size(), 4u) << "ignored controls report nothing";
    const struct
    {
        ServiceState state;
        bool acceptsStop;
        std::uint32_t checkPoint;
    } expected[] = {{ServiceState::StartPending, false, 0},
                    {ServiceState::Running, true, 0},
                    {ServiceState::StopPending, false, 4},
                    {ServiceState::Stopped, false, 3}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(reporter.reports[i].state, expected[i].state) << i;
        EXPECT_EQ(reporter.reports[i].acceptsStop, expected[i].acceptsStop) << i;
        // The numbers the Service Control Manager receives.
        EXPECT_EQ(static_cast<std::uint32_t>(reporter.reports[i].checkPoint), expected[i].checkPoint) << i;
        EXPECT_EQ(reporter.reports[i].win32ExitCode, 0u) << i;
    }
}

// A pipe that cannot be created: start pending, then stopped with exit code 0 and
// check point 3, never running; the saved kill switch is removed again at the end.
TEST(ServiceHost, PipeFailureStopsWithoutRunning)
{
    ServiceRig rig;
    std::filesystem::create_directories(rig.settingsFile().parent_path());
    writeFile(rig.settingsFile(), "127.0.0.1");
    RecordingReporter reporter;
    service::ServiceStatus status(reporter);
    service::ServiceHost host(status, rig.dispatcher, rig.firewall, [](const servicepipe::StopEvent&) {
        auto transport = std::make_unique<ScriptedTransport>();
        transport->opens = false;
        return transport;
    });
    host.serviceMain();
    host.stop();

    ASSERT_EQ(reporter.reports.size(), 2u);
    EXPECT_EQ(reporter.reports[0].state, service::ServiceState::StartPending);
    EXPECT_EQ(reporter.reports[1].state, service::ServiceState::Stopped);
    EXPECT_EQ(reporter.reports[1].win32ExitCode, 0u);
    EXPECT_EQ(reporter.reports[1].checkPoint, service::CheckPoint::WorkerEnded);
    EXPECT_FALSE(rig.firewall.isSessionOpen());
    EXPECT_TRUE(rig.engine->installedFilters().empty());
}
