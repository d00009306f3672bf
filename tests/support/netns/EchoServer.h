#pragma once

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

// Echoes whatever arrives over TCP and UDP on the addresses it listens on, from one
// thread. The sockets are made in the namespace given to listen(); serving them needs no
// namespace.
class EchoServer
{
public:
    EchoServer();
    ~EchoServer();

    EchoServer(const EchoServer&) = delete;
    EchoServer& operator=(const EchoServer&) = delete;

    // TCP and UDP on address:port inside the namespace (-1: the caller's). Before start().
    bool listen(int namespaceFd, const std::string& address, std::uint16_t port);
    void start();

private:
    void serve();

    std::vector<int> tcpListeners;
    std::vector<int> udpSockets;
    int wake[2] = {-1, -1};
    std::thread thread;
};
