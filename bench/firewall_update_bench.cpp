// Kill-switch cost on nftables: how long an update of the rules takes with 1 to 10,000
// server addresses, and what the installed rules cost each packet. The per-packet figures
// are set against the same probes with no quarnel table, measured in the same run, so the
// ratio shows whether the cost grows with the number of addresses (it should not: they
// sit in one hashed set).
//
// Runs in two private network namespaces (root); prints SKIP and exits 0 otherwise.

#include "EchoServer.h"
#include "NamespaceGuard.h"
#include "NetworkLab.h"
#include "Probe.h"
#include "Statistics.h"

#include "firewall/Firewall.h"
#include "firewall/linux/NftablesEngine.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint16_t port = 7000;
const char* const server = "198.51.100.2";

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The server first, then addresses of other servers.
std::string addressList(int count)
{
    std::string list = server;
    for (int i = 1; i < count; ++i) {
        list += ";203.0." + std::to_string(113 + i / 256) + "." + std::to_string(i % 256);
    }
    return list;
}

struct Samples
{
    std::vector<double> udp; // microseconds
    std::vector<double> tcp;
};

// Round trips of one datagram to the listed server, in microseconds.
bool udpRoundTrips(int namespaceFd, int rounds, std::vector<double>& samples)
{
    int fd = -1;
    {
        NamespaceGuard guard(namespaceFd);
        fd = guard.entered() ? connectedUdpSocket("198.51.100.1", server, port) : -1;
    }
    if (fd < 0) {
        return false;
    }
    char byte = 'b';
    for (int i = 0; i < rounds; ++i) {
        const Clock::time_point start = Clock::now();
        pollfd reply{fd, POLLIN, 0};
        if (send(fd, &byte, 1, 0) != 1 || poll(&reply, 1, 1000) != 1 || recv(fd, &byte, 1, 0) != 1) {
            close(fd);
            return false;
        }
        samples.push_back(millisecondsSince(start) * 1000);
    }
    close(fd);
    return true;
}

// TCP handshakes with a one-byte echo, in microseconds.
bool tcpConnects(int namespaceFd, int rounds, std::vector<double>& samples)
{
    for (int i = 0; i < rounds; ++i) {
        Attempt attempt;
        attempt.namespaceFd = namespaceFd;
        attempt.localAddress = "198.51.100.1";
        attempt.remoteAddress = server;
        attempt.remotePort = port;
        std::vector<Attempt> one{attempt};
        const Clock::time_point start = Clock::now();
        runAttempts(one, std::chrono::milliseconds(1000));
        if (!one.front().passed) {
            return false;
        }
        samples.push_back(millisecondsSince(start) * 1000);
    }
    return true;
}

// The same probes in the namespace with the table and in its peer without one, in turns,
// so that load from elsewhere on the machine weighs on both alike.
bool probe(int withTable, int peer, Samples& table, Samples& none)
{
    for (int block = 0; block < 10; ++block) {
        if (!udpRoundTrips(withTable, 400, table.udp) || !udpRoundTrips(peer, 400, none.udp) ||
            !tcpConnects(withTable, 40, table.tcp) || !tcpConnects(peer, 40, none.tcp)) {
            return false;
        }
    }
    return true;
}

bool startEcho(EchoServer& echo, const NetworkLab& lab)
{
    if (!lab.ok() || !echo.listen(lab.farFd(), server, port)) {
        return false;
    }
    echo.start();
    return true;
}

} // namespace

int main()
{
    const std::string reason = NetworkLab::unavailableReason();
    if (!reason.empty()) {
        std::printf("SKIP firewall update benchmark: %s\n", reason.c_str());
        return 0;
    }
#if defined(__SANITIZE_ADDRESS__)
    std::printf("note: built with AddressSanitizer; its allocator inflates the update times several fold\n");
#endif
    NetworkLab lab;
    NetworkLab peer('p');
    EchoServer echo;
    EchoServer peerEcho;
    if (!startEcho(echo, lab) || !startEcho(peerEcho, peer)) {
        std::printf("SKIP firewall update benchmark: cannot build the namespaces: %s%s\n", lab.failure().c_str(),
                    peer.failure().c_str());
        return 0;
    }

    std::printf("nftables kill switch, table inet quarnel, namespaces %s/%s; peer without the table %s/%s\n",
                lab.nearName().c_str(), lab.farName().c_str(), peer.nearName().c_str(), peer.farName().c_str());
    std::printf("update: Firewall::update with the same list, median of several runs\n");
    std::printf("disable: one small batch per removed filter; \"by rewrites\": the same removals if each rewrote the\n"
                "         table (removals x update time, an estimate)\n");
    std::printf("per packet: medians of UDP echo round trips (4,000) and TCP connect + echo (400) to a listed\n"
                "            server, with the table and, in turns, in the peer without it\n\n");
    std::printf("%9s %10s %10s %11s %13s %20s %6s %20s %6s\n", "addresses", "enable ms", "update ms", "disable ms",
                "by rewrites s", "UDP us none/table", "ratio", "TCP us none/table", "ratio");

    Samples warmTable;
    Samples warmNone;
    probe(lab.nearFd(), peer.nearFd(), warmTable, warmNone); // neighbour entries, caches
    for (int count : {1, 100, 1000, 10000}) {
        const std::string list = addressList(count);
        std::unique_ptr<firewall::NftablesEngine> engine;
        {
            // The engine works in the namespace it is made in.
            NamespaceGuard inLab(lab.nearFd());
            engine = std::make_unique<firewall::NftablesEngine>();
        }
        firewall::Firewall firewall(std::move(engine));
        Clock::time_point start = Clock::now();
        firewall.enable(list, {true, false, false, false});
        const double enable = millisecondsSince(start);
        if (!firewall.isSessionOpen()) {
            std::printf("enable failed with %d addresses\n", count);
            return 1;
        }
        std::vector<double> updates;
        const int runs = count >= 10000 ? 8 : 25;
        for (int i = 0; i < runs; ++i) {
            start = Clock::now();
            firewall.update(list, {true, i % 2 == 1, false, false});
            updates.push_back(millisecondsSince(start));
        }
        firewall.update(list, {true, false, false, false});
        Samples table;
        Samples none;
        if (!probe(lab.nearFd(), peer.nearFd(), table, none)) {
            std::printf("the server stopped answering with %d addresses\n", count);
            return 1;
        }

        const std::size_t removals = firewall.tunnelList().size() + firewall.iPv6List().size() +
                                     firewall.permitList().size() + firewall.transitionList().size();
        start = Clock::now();
        firewall.disable();
        const double disable = millisecondsSince(start);

        const double udpNone = median(none.udp);
        const double udpTable = median(table.udp);
        const double tcpNone = median(none.tcp);
        const double tcpTable = median(table.tcp);
        std::printf("%9d %10.1f %10.2f %11.1f %13.1f %9.1f / %8.1f %6.2f %9.1f / %8.1f %6.2f\n", count, enable,
                    median(updates), disable, removals * median(updates) / 1000, udpNone, udpTable, udpTable / udpNone,
                    tcpNone, tcpTable, tcpTable / tcpNone);
        std::fflush(stdout);
    }
    return 0;
}
