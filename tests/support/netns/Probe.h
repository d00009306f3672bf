#pragma once

#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

// An IPv4 or IPv6 socket address from text ("198.51.100.2", "fd00:51::2").
class SocketAddress
{
public:
    int family() const { return storage.ss_family; }
    const sockaddr* address() const { return reinterpret_cast<const sockaddr*>(&storage); }
    socklen_t length() const { return size; }

private:
    friend SocketAddress socketAddress(const std::string& text, std::uint16_t port);

    sockaddr_storage storage{};
    socklen_t size = 0;
};

SocketAddress socketAddress(const std::string& text, std::uint16_t port);

// One connection attempt: TCP connects and echoes one byte, UDP sends one datagram and
// waits for its echo. Any answer from the far end counts as passing (a refusal too: the
// packet got there and back); no answer before the deadline, or a send the local firewall
// refuses, counts as blocked.
struct Attempt
{
    int namespaceFd = -1; // where the socket is made; -1: the caller's namespace
    bool tcp = true;
    std::string localAddress;
    std::uint16_t localPort = 0; // 0: any
    std::string remoteAddress;
    std::uint16_t remotePort = 0;

    // Results.
    bool passed = false;
    int error = 0;               // what ended a blocked attempt: EPERM when the send was dropped locally
    std::uint16_t boundPort = 0; // the local port used
};

// Runs the attempts side by side under one deadline.
void runAttempts(std::vector<Attempt>& attempts, std::chrono::milliseconds timeout);

// A non-blocking UDP socket bound to `local` and connected to remote:port, made in the
// caller's namespace; -1 on failure. Each send on it tells at once whether the local
// firewall let the datagram out: it fails with EPERM when a rule dropped it.
int connectedUdpSocket(const std::string& local, const std::string& remote, std::uint16_t port);
