#include "EchoServer.h"

#include "NamespaceGuard.h"
#include "Probe.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

EchoServer::EchoServer()
{
    if (pipe2(wake, O_CLOEXEC) != 0) {
        wake[0] = wake[1] = -1;
    }
}

EchoServer::~EchoServer()
{
    if (thread.joinable()) {
        const char stop = 's';
        (void)!write(wake[1], &stop, 1);
        thread.join();
    }
    for (int fd : tcpListeners) {
        close(fd);
    }
    for (int fd : udpSockets) {
        close(fd);
    }
    for (int fd : wake) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

bool EchoServer::listen(int namespaceFd, const std::string& address, std::uint16_t port)
{
    const SocketAddress where = socketAddress(address, port);
    int tcp = -1;
    int udp = -1;
    {
        NamespaceGuard guard(namespaceFd);
        if (namespaceFd >= 0 && !guard.entered()) {
            return false;
        }
        tcp = socket(where.family(), SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        udp = socket(where.family(), SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    }
    const int on = 1;
    bool ok = tcp >= 0 && udp >= 0;
    ok = ok && setsockopt(tcp, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0;
    ok = ok && bind(tcp, where.address(), where.length()) == 0 && ::listen(tcp, 64) == 0;
    ok = ok && bind(udp, where.address(), where.length()) == 0;
    if (!ok) {
        if (tcp >= 0) {
            close(tcp);
        }
        if (udp >= 0) {
            close(udp);
        }
        return false;
    }
    tcpListeners.push_back(tcp);
    udpSockets.push_back(udp);
    return true;
}

void EchoServer::start()
{
    thread = std::thread([this] { serve(); });
}

void EchoServer::serve()
{
    std::vector<int> connections;
    char buffer[2048];
    while (true) {
        std::vector<pollfd> fds;
        fds.push_back({wake[0], POLLIN, 0});
        for (int fd : tcpListeners) {
            fds.push_back({fd, POLLIN, 0});
        }
        for (int fd : udpSockets) {
            fds.push_back({fd, POLLIN, 0});
        }
        for (int fd : connections) {
            fds.push_back({fd, POLLIN, 0});
        }
        if (poll(fds.data(), fds.size(), -1) < 0) {
            continue;
        }
        if (fds[0].revents != 0) {
            break;
        }
        for (const pollfd& entry : fds) {
            if (entry.revents == 0 || entry.fd == wake[0]) {
                continue;
            }
            if (std::find(tcpListeners.begin(), tcpListeners.end(), entry.fd) != tcpListeners.end()) {
                const int accepted = accept4(entry.fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
                if (accepted >= 0) {
                    connections.push_back(accepted);
                }
            } else if (std::find(udpSockets.begin(), udpSockets.end(), entry.fd) != udpSockets.end()) {
                sockaddr_storage from{};
                socklen_t length = sizeof from;
                const ssize_t got =
                    recvfrom(entry.fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
                if (got > 0) {
                    sendto(entry.fd, buffer, static_cast<size_t>(got), 0, reinterpret_cast<sockaddr*>(&from), length);
                }
            } else {
                const ssize_t got = recv(entry.fd, buffer, sizeof buffer, 0);
                if (got > 0) {
                    send(entry.fd, buffer, static_cast<size_t>(got), MSG_NOSIGNAL);
                } else if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
                    close(entry.fd);
                    connections.erase(std::find(connections.begin(), connections.end(), entry.fd));
                }
            }
        }
    }
    for (int fd : connections) {
        close(fd);
    }
}
