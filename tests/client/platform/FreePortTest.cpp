#include "platform/FreePort.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

// Listens on 127.0.0.1:port; true when that worked.
bool canListenOn(int port)
{
#ifdef _WIN32
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
#else
    const int s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
#endif
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<unsigned short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 && listen(s, 1) == 0;
#ifdef _WIN32
    closesocket(s);
    WSACleanup();
#else
    close(s);
#endif
    return ok;
}

} // namespace

TEST(FreePort, GivesAPortThatCanBeBound)
{
    for (int i = 0; i < 5; ++i) {
        const int port = platform::findFreePort();
        ASSERT_GT(port, 0);
        ASSERT_LE(port, 65535);
        EXPECT_TRUE(canListenOn(port)) << port;
    }
}
