#include "platform/FreePort.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace platform {

int findFreePort()
{
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        return -1;
    }
    int port = -1;
    addrinfoW hints = {};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfoW* resolved = nullptr;
    if (GetAddrInfoW(L"127.0.0.1", nullptr, &hints, &resolved) == 0 && resolved != nullptr) {
        const SOCKET s = socket(resolved->ai_family, resolved->ai_socktype, resolved->ai_protocol);
        if (s != INVALID_SOCKET) {
            sockaddr_storage address = {};
            int length = sizeof(address);
            if (bind(s, resolved->ai_addr, static_cast<int>(resolved->ai_addrlen)) == 0 &&
                getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0 && address.ss_family == AF_INET) {
                port = ntohs(reinterpret_cast<const sockaddr_in*>(&address)->sin_port);
            }
            closesocket(s);
        }
        FreeAddrInfoW(resolved);
    }
    WSACleanup();
    return port;
}

} // namespace platform
