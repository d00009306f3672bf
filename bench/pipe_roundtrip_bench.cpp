// Round trip of one service request (QueryFirewallSupport) through the real pipe client,
// pipe server, worker loop and dispatcher, against a bare SOCK_SEQPACKET exchange of the
// same shape (connect, 32,009 bytes out, 5 bytes back, close) measured in the same run.
// The firewall, time zone and programs behind the dispatcher are the tests' doubles: this
// measures the pipe.
#include "Worker.h"
#include "pipe/PipeClient.h"
#include "pipe/PipeServer.h"
#include "pipe/StopEvent.h"

#include "ServiceRig.h"
#include "Statistics.h"
#include "TemporaryDirectory.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int rounds = 1000;

using Clock = std::chrono::steady_clock;

double microseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

// The peer: a minimal seqpacket server and client doing what one exchange does.
std::vector<double> bareRoundTrips(const std::string& path)
{
    const int listener = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof(address.sun_path), "%s", path.c_str());
    unlink(path.c_str());
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(listener, 8) != 0) {
        std::perror("bare server");
        std::exit(1);
    }
    std::thread server([listener] {
        std::vector<char> buffer(32009);
        for (int i = 0; i < rounds; ++i) {
            const int client = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) {
                return;
            }
            if (recv(client, buffer.data(), buffer.size(), 0) > 0) {
                const char reply[5] = {1, 0, 0, 0, 0};
                send(client, reply, sizeof(reply), MSG_NOSIGNAL);
            }
            close(client);
        }
    });
    std::vector<char> request(32009, 0);
    request[0] = 5;
    std::vector<double> samples;
    for (int i = 0; i < rounds; ++i) {
        const Clock::time_point start = Clock::now();
        const int s = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
        char reply[5];
        if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            send(s, request.data(), request.size(), MSG_NOSIGNAL) < 0 || recv(s, reply, sizeof(reply), 0) != 5) {
            std::perror("bare client");
            std::exit(1);
        }
        close(s);
        samples.push_back(microseconds(Clock::now() - start));
    }
    server.join();
    close(listener);
    unlink(path.c_str());
    return samples;
}

std::vector<double> serviceRoundTrips()
{
    ServiceRig rig;
    const std::string path = rig.endpoint();
    servicepipe::StopEvent stop;
    servicepipe::PipeServer server(path, stop);
    std::promise<void> ready;
    service::Worker worker(server, rig.dispatcher, [&ready] { ready.set_value(); });
    std::thread thread([&worker] { worker.run(); });
    ready.get_future().wait();

    const servicepipe::PipeClient client(path);
    const servicepipe::ServiceRequest request(servicepipe::ServiceCommand::QueryFirewallSupport);
    std::vector<double> samples;
    for (int i = 0; i < rounds; ++i) {
        servicepipe::ServiceReply reply;
        const Clock::time_point start = Clock::now();
        if (client.exchange(request, reply) != servicepipe::PipeClient::Result::Replied || reply.ok != 1) {
            std::fprintf(stderr, "service exchange failed\n");
            std::exit(1);
        }
        samples.push_back(microseconds(Clock::now() - start));
    }
    stop.set();
    thread.join();
    return samples;
}

} // namespace

int main()
{
    const TemporaryDirectory dir("quarnel-pipe-bench");

    // Alternate the two so that neither gets a quieter machine; keep every sample.
    std::vector<double> bare;
    std::vector<double> service;
    for (int pass = 0; pass < 3; ++pass) {
        const std::vector<double> b = bareRoundTrips((dir / "bare.socket").string());
        const std::vector<double> s = serviceRoundTrips();
        bare.insert(bare.end(), b.begin(), b.end());
        service.insert(service.end(), s.begin(), s.end());
    }

    const double bareMedian = median(bare);
    const double serviceMedian = median(service);
    std::printf("QueryFirewallSupport round trip, median of %zu (3 passes of %d)\n", service.size(), rounds);
    std::printf("  bare seqpacket exchange   %8.1f us\n", bareMedian);
    std::printf("  service pipe + dispatch   %8.1f us\n", serviceMedian);
    std::printf("  ratio service/bare        %8.2f   (goal: within 1.50)\n", serviceMedian / bareMedian);
    return 0;
}
