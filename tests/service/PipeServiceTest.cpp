// The service main routine, worker loop and dispatch over the real pipe of the system
// the test runs on: the Unix socket on Linux, the named pipe under Wine.

#include "ServiceRig.h"

#include "ServiceHost.h"
#include "ServiceStatus.h"

#include "pipe/PipeClient.h"
#include "pipe/PipeServer.h"
#include "pipe/ServiceCommand.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "linux/ThreadWait.h"
#endif

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using service::ServiceState;
using servicepipe::PipeClient;
using servicepipe::ServiceCommand;
using servicepipe::ServiceReply;
using servicepipe::ServiceRequest;

namespace {

class WaitableReporter : public service::StatusReporter
{
public:
    void report(const service::StatusReport& status) override
    {
        std::lock_guard<std::mutex> guard(lock);
        reports.push_back(status);
        changed.notify_all();
    }

    bool waitFor(ServiceState state, std::chrono::milliseconds timeout = 10s)
    {
        std::unique_lock<std::mutex> guard(lock);
        return changed.wait_for(guard, timeout, [&] {
            for (const auto& report : reports) {
                if (report.state == state) {
                    return true;
                }
            }
            return false;
        });
    }

    std::vector<ServiceState> states()
    {
        std::lock_guard<std::mutex> guard(lock);
        std::vector<ServiceState> list;
        for (const auto& report : reports) {
            list.push_back(report.state);
        }
        return list;
    }

    service::StatusReport last()
    {
        std::lock_guard<std::mutex> guard(lock);
        return reports.back();
    }

private:
    std::mutex lock;
    std::condition_variable changed;
    std::vector<service::StatusReport> reports;
};

// The service of the rig, running its main routine on a thread of its own as the
// Service Control Manager would.
class RunningService
{
public:
    explicit RunningService(ServiceRig& rig, std::chrono::milliseconds requestTimeout = 10s)
        : status(reporter),
          host(status, rig.dispatcher, rig.firewall, [&rig, requestTimeout](const servicepipe::StopEvent& stopEvent) {
              auto server = std::make_unique<servicepipe::PipeServer>(rig.endpoint(), stopEvent);
              server->setRequestTimeout(requestTimeout);
              return server;
          })
    {
        main = std::thread([this] { host.serviceMain(); });
        EXPECT_TRUE(reporter.waitFor(ServiceState::Running));
    }

    ~RunningService() { stop(); }

    void stop()
    {
        host.stop();
        if (main.joinable()) {
            main.join();
        }
    }

    WaitableReporter reporter;
    service::ServiceStatus status;
    service::ServiceHost host;
    std::thread main;
};

ServiceRequest runRequest(std::uint8_t wait, const std::u16string& line)
{
    ServiceRequest request(ServiceCommand::RunProcess);
    request.setFlag(wait);
    request.setCommandLine(line);
    return request;
}

struct Outcome
{
    PipeClient::Result result = PipeClient::Result::Failed;
    ServiceReply reply;
};

Outcome sendRequest(const std::string& endpoint, const ServiceRequest& request,
                    std::chrono::milliseconds connectTimeout = PipeClient::defaultConnectTimeout)
{
    PipeClient client(endpoint);
    client.setConnectTimeout(connectTimeout);
    Outcome outcome;
    outcome.result = client.exchange(request, outcome.reply);
    return outcome;
}

// A connection that sends nothing and holds the only instance while it lasts.
class SilentConnection
{
public:
    explicit SilentConnection(const std::string& endpoint)
    {
#ifdef _WIN32
        const std::wstring name(endpoint.begin(), endpoint.end());
        handle = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        connected = handle != INVALID_HANDLE_VALUE;
#else
        fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, endpoint.c_str(), sizeof address.sun_path - 1);
        connected = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
#endif
    }

    ~SilentConnection()
    {
#ifdef _WIN32
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
#else
        close(fd);
#endif
    }

    bool connected = false;

private:
#ifdef _WIN32
    HANDLE handle = INVALID_HANDLE_VALUE;
#else
    int fd = -1;
#endif
};

} // namespace

// Fifty exchanges of every kind; each reply as the dispatch table says, and the fields
// arrive where the service reads them.
TEST(PipeService, ServesFiftyExchanges)
{
    ServiceRig rig;
    RunningService running(rig);
    const std::string endpoint = rig.endpoint();

    for (int i = 0; i < 50; ++i) {
        const std::string what = "exchange " + std::to_string(i);
        switch (i % 10) {
        case 0: {
            const std::u16string line = u"C:\\Quarnel\\openvpn\\openvpn.exe --config \"C:\\T\\\u00e9" +
                                        std::u16string(1, static_cast<char16_t>(u'0' + i / 10)) + u".ovpn\"";
            rig.runner.result = {true, i};
            const Outcome outcome = sendRequest(endpoint, runRequest(1, line));
            ASSERT_EQ(outcome.result, PipeClient::Result::Replied) << what;
            EXPECT_EQ(outcome.reply.ok, 1) << what;
            EXPECT_EQ(outcome.reply.value, i) << what;
            EXPECT_EQ(rig.runner.recorded().back().commandLine, line) << what;
            break;
        }
        case 1: {
            ServiceRequest request(ServiceCommand::EnableFirewall);
            request.setAddressList(u"127.0.0.1;198.51.100." + std::u16string(1, static_cast<char16_t>(u'0' + i / 10)));
            servicepipe::FirewallOptions options;
            options.killConnect = 1;
            request.setOptions(options);
            const Outcome outcome = sendRequest(endpoint, request);
            ASSERT_EQ(outcome.result, PipeClient::Result::Replied) << what;
            EXPECT_EQ(outcome.reply.ok, 1) << what;
            EXPECT_TRUE(rig.firewall.isSessionOpen()) << what;
            break;
        }
        case 2: {
            const Outcome outcome = sendRequest(endpoint, ServiceRequest(ServiceCommand::SaveFirewallState));
            ASSERT_EQ(outcome.result, PipeClient::Result::Replied) << what;
            EXPECT_EQ(outcome.reply.ok, 1) << what;
            EXPECT_EQ(readFile(rig.settingsFile()), "127.0.0.1;198.51.100." + std::to_string(i / 10)) << what;
            break;
        }
        case 3: {
            ServiceRequest request(ServiceCommand::ChangeTimezone);
            request.setZoneName(i % 20 == 3 ? "Europe/Berlin" : "America/New_York");
            const Outcome outcome = sendRequest(endpoint, request);
            ASSERT_EQ(outcome.result, PipeClient::Result::Replied) << what;
            EXPECT_EQ(outcome.reply.ok, 1) << what;
            EXPECT_EQ(rig.zone.current, i % 20 == 3 ? "Europe/Berlin" : "America/New_York") << what;
            break;
        }
        case 4: {
            const Outcome outcome = sendRequest(endpoint, ServiceRequest(ServiceCommand::DisableFirewall));
            ASSERT_EQ(outcome.result, PipeClient::Result::Replied) << what;
            EXPECT_EQ(outcome.reply.ok, 1) << what;
            EXPECT_FALSE(rig.firewall.isSessionOpen()) << what;
            EXPECT_EQ(rig.zone.current, "Etc/UTC") << what;
            break;
        }
        default: {
            const std::int32_t codes[] = {5, 7, 4, 9, -1};
            const int expected[] = {1, 1, 0, 0, 0};
            ServiceRequest request;
            request.setCommand(codes[i % 10 - 5]);
            const Outcome outcome = sendRequest(endpoint, request);
            ASSERT_EQ(outcome.result, PipeClient::Result::Replied) << what;
            EXPECT_EQ(outcome.reply.ok, expected[i % 10 - 5]) << what;
            EXPECT_EQ(outcome.reply.value, 0) << what;
            break;
        }
        }
    }
}

// A client that finds the only instance busy waits for it and is served next.
TEST(PipeService, BusyPipeIsWaitedFor)
{
    ServiceRig rig;
    RunningService running(rig);
    rig.runner.hold();
    rig.runner.result = {true, 7};

    Outcome first;
    std::thread slow([&] { first = sendRequest(rig.endpoint(), runRequest(1, u"slow")); });
    rig.runner.waitForRuns(1);

    std::mutex lock;
    std::condition_variable changed;
    bool secondStarted = false;
    bool secondDone = false;
#ifndef _WIN32
    pid_t secondThread = 0;
#endif
    Outcome second;
    std::thread waiting([&] {
        {
            std::lock_guard<std::mutex> guard(lock);
#ifndef _WIN32
            secondThread = currentThreadId();
#endif
            secondStarted = true;
        }
        changed.notify_all();
        second = sendRequest(rig.endpoint(), ServiceRequest(ServiceCommand::QueryFirewallSupport));
        {
            std::lock_guard<std::mutex> guard(lock);
            secondDone = true;
        }
        changed.notify_all();
    });
    {
        std::unique_lock<std::mutex> guard(lock);
        changed.wait(guard, [&] { return secondStarted; });
    }
#ifdef _WIN32
    // Whether a client waits for a busy pipe cannot be seen from outside: it is given a
    // while to meet the busy instance, and must not be served during it.
    {
        std::unique_lock<std::mutex> guard(lock);
        EXPECT_FALSE(changed.wait_for(guard, 300ms, [&] { return secondDone; }));
    }
#else
    // Connected behind the busy instance, its request sent, and waiting for the reply.
    EXPECT_TRUE(waitUntilThreadWaits(secondThread, 20s));
    {
        std::lock_guard<std::mutex> guard(lock);
        EXPECT_FALSE(secondDone);
    }
#endif
    rig.runner.release();
    slow.join();
    waiting.join();

    EXPECT_EQ(first.result, PipeClient::Result::Replied);
    EXPECT_EQ(first.reply.value, 7);
    ASSERT_EQ(second.result, PipeClient::Result::Replied);
    EXPECT_EQ(second.reply.ok, 1);
}

// The stop control while a request is served: the reply is written, then the service
// stops, and it removes its firewall rules on the way out.
TEST(PipeService, StopWhileServingRepliesFirst)
{
    ServiceRig rig;
    RunningService running(rig);
    ASSERT_EQ(sendRequest(rig.endpoint(),
                          [] {
                              ServiceRequest request(ServiceCommand::EnableFirewall);
                              request.setAddressList(u"127.0.0.1");
                              servicepipe::FirewallOptions options;
                              options.killConnect = 1;
                              request.setOptions(options);
                              return request;
                          }())
                  .result,
              PipeClient::Result::Replied);
    rig.runner.hold();
    rig.runner.result = {true, 42};

    Outcome served;
    std::thread client([&] { served = sendRequest(rig.endpoint(), runRequest(1, u"slow")); });
    rig.runner.waitForRuns(1);
    running.host.stop();
    EXPECT_TRUE(running.reporter.waitFor(ServiceState::StopPending));
    rig.runner.release();
    client.join();
    running.stop();

    ASSERT_EQ(served.result, PipeClient::Result::Replied);
    EXPECT_EQ(served.reply.ok, 1);
    EXPECT_EQ(served.reply.value, 42);
    const std::vector<ServiceState> expected = {ServiceState::StartPending, ServiceState::Running,
                                                ServiceState::StopPending, ServiceState::Stopped};
    EXPECT_EQ(running.reporter.states(), expected);
    EXPECT_EQ(running.reporter.last().checkPoint, service::CheckPoint::WorkerEnded);
    EXPECT_FALSE(rig.firewall.isSessionOpen());
    EXPECT_TRUE(rig.engine->installedFilters().empty());
    EXPECT_EQ(sendRequest(rig.endpoint(), ServiceRequest(ServiceCommand::QueryFirewallSupport), 200ms).result,
              PipeClient::Result::Unreachable);
}

// The stop control wakes an idle service at once instead of at the end of some wait: the
// request time-out, the longest the service has, is set far beyond the bound.
TEST(PipeService, StopWhileIdleDoesNotWaitForATimeout)
{
    ServiceRig rig;
    constexpr auto requestTimeout = 60s;
    RunningService running(rig, requestTimeout);
    const auto start = std::chrono::steady_clock::now();
    running.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, requestTimeout / 4);
    EXPECT_EQ(running.reporter.last().state, ServiceState::Stopped);
}

// Two hundred clients in a row, then eight at once: never two served at the same time.
// On Linux every one is served: a busy socket queues its clients. A Windows client waits
// for the busy pipe once and opens once more; when another waiter won the instance, it
// gives up, as the protocol says, without a half-done exchange.
TEST(PipeService, ManyClientsServedOneAtATime)
{
    ServiceRig rig;
    RunningService running(rig);
    for (int i = 0; i < 200; ++i) {
        const Outcome outcome = sendRequest(rig.endpoint(), ServiceRequest(ServiceCommand::QueryFirewallSupport));
        ASSERT_EQ(outcome.result, PipeClient::Result::Replied) << i;
        ASSERT_EQ(outcome.reply.ok, 1) << i;
    }

    std::atomic<int> served{0};
    std::atomic<int> gaveUp{0};
    std::vector<std::thread> clients;
    for (int c = 0; c < 8; ++c) {
        clients.emplace_back([&rig, &served, &gaveUp, c] {
            for (int i = 0; i < 25; ++i) {
                const Outcome outcome =
                    sendRequest(rig.endpoint(), runRequest(0, u"client " + std::u16string(1, u'0' + c)));
                if (outcome.result == PipeClient::Result::Replied && outcome.reply.ok == 1) {
                    ++served;
                } else if (outcome.result == PipeClient::Result::Unreachable) {
                    ++gaveUp;
                }
            }
        });
    }
    for (std::thread& client : clients) {
        client.join();
    }
#ifdef _WIN32
    EXPECT_EQ(served + gaveUp, 200);
    EXPECT_GE(served, 25);
#else
    EXPECT_EQ(served, 200);
#endif
    EXPECT_EQ(rig.runner.recorded().size(), static_cast<std::size_t>(served));
    EXPECT_EQ(rig.runner.largestInFlight(), 1);
}

// A client that connects and never writes is let go after the request time-out, and
// the one waiting behind it is served.
TEST(PipeService, SilentClientDoesNotHoldThePipe)
{
    ServiceRig rig;
    RunningService running(rig, 300ms);
    SilentConnection silent(rig.endpoint());
    ASSERT_TRUE(silent.connected);
    const Outcome outcome = sendRequest(rig.endpoint(), ServiceRequest(ServiceCommand::QueryTimezoneSupport));
    ASSERT_EQ(outcome.result, PipeClient::Result::Replied);
    EXPECT_EQ(outcome.reply.ok, 1);
}

#ifdef _WIN32
// The override names another local pipe only: with a file path, a remote or a climbing
// name the client would write its request somewhere that is no pipe of this machine.
TEST(PipeEndpoint, OnlyALocalPipeNameReplacesTheDefault)
{
    const std::string fallback = "\\\\.\\pipe\\QuarnelOpenVPNService";
    const struct
    {
        const char* value;
        std::string expected;
    } cases[] = {
        {"", fallback},
        {"\\\\.\\pipe\\quarnel-test-7", "\\\\.\\pipe\\quarnel-test-7"},
        {"\\\\.\\PIPE\\Other", "\\\\.\\PIPE\\Other"},
        {"\\\\.\\pipe\\", fallback},
        {"C:\\Users\\me\\request.bin", fallback},
        {"\\\\server\\pipe\\QuarnelOpenVPNService", fallback},
        {"\\\\.\\pipe\\..\\C:\\request.bin", fallback},
        {"\\\\.\\pipe\\a/b", fallback},
    };
    const char* saved = std::getenv("QUARNEL_SERVICE_SOCKET");
    const std::string previous = saved != nullptr ? saved : "";
    for (const auto& entry : cases) {
        // An empty value removes the variable.
        _putenv_s("QUARNEL_SERVICE_SOCKET", entry.value);
        EXPECT_EQ(servicepipe::defaultEndpoint(), entry.expected) << entry.value;
        EXPECT_EQ(PipeClient().endpointName(), entry.expected) << entry.value;
    }
    _putenv_s("QUARNEL_SERVICE_SOCKET", previous.c_str());
}
#endif
