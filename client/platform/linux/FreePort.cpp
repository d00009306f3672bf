#include "platform/FreePort.h"

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

int findFreePort()
{
    addrinfo hints = {};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* resolved = nullptr;
    if (getaddrinfo("127.0.0.1", nullptr, &hints, &resolved) != 0 || resolved == nullptr) {
        return -1;
    }
    int port = -1;
    const int fd = socket(resolved->ai_family, resolved->ai_socktype | SOCK_CLOEXEC, resolved->ai_protocol);
    if (fd >= 0) {
        sockaddr_storage address = {};
        socklen_t length = sizeof(address);
        if (bind(fd, resolved->ai_addr, resolved->ai_addrlen) == 0 &&
            getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0 && address.ss_family == AF_INET) {
            port = ntohs(reinterpret_cast<const sockaddr_in*>(&address)->sin_port);
        }
        close(fd);
    }
    freeaddrinfo(resolved);
    return port;
}

} // namespace platform
