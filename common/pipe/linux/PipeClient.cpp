#include "pipe/PipeClient.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <thread>

namespace servicepipe {

namespace {

using Clock = std::chrono::steady_clock;

// Pause between connection attempts while the service is starting or busy.
constexpr std::chrono::milliseconds retryInterval{50};

// Rounded up, so that a wait never ends before its deadline.
int remainingMilliseconds(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, 1 << 30));
}

class Socket
{
public:
    Socket() : fd(socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)) {}
    ~Socket()
    {
        if (fd >= 0) {
            close(fd);
        }
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    int fd;
};

// Waits for fd to become ready for events or for the deadline; false on time-out.
bool waitFor(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        pollfd entry = {fd, events, 0};
        const int ready = poll(&entry, 1, remainingMilliseconds(deadline));
        if (ready > 0) {
            return true;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

} // namespace

PipeClient::Result PipeClient::exchange(const ServiceRequest& request, ServiceReply& reply) const
{
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (endpoint.empty() || endpoint.size() >= sizeof address.sun_path) {
        return Result::Unreachable;
    }
    std::memcpy(address.sun_path, endpoint.c_str(), endpoint.size() + 1);

    // The socket is absent while the service starts and refuses while nobody listens;
    // a full backlog (EAGAIN) means busy. Each is worth another try until the deadline.
    const Clock::time_point connectDeadline = Clock::now() + connectTimeout;
    std::unique_ptr<Socket> connection;
    for (;;) {
        connection = std::make_unique<Socket>();
        if (connection->fd < 0) {
            return Result::Unreachable;
        }
        if (connect(connection->fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            break;
        }
        const int error = errno;
        if (error != ENOENT && error != ECONNREFUSED && error != EAGAIN && error != EINTR) {
            return Result::Unreachable;
        }
        const auto now = Clock::now();
        if (now >= connectDeadline) {
            return Result::Unreachable;
        }
        connection.reset();
        std::this_thread::sleep_for(std::min<Clock::duration>(retryInterval, connectDeadline - now));
    }
    const int fd = connection->fd;

    // The service reads a request as soon as it takes the connection, which may be
    // after the requests queued before it: the reply deadline covers both.
    const Clock::time_point replyDeadline = Clock::now() + replyTimeout;
    const auto& bytes = request.bytes();
    ssize_t sent = -1;
    for (;;) {
        sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent >= 0 || (errno != EAGAIN && errno != EINTR) || !waitFor(fd, POLLOUT, replyDeadline)) {
            break;
        }
    }
    if (sent != static_cast<ssize_t>(bytes.size())) {
        return Result::Failed;
    }

    std::uint8_t answer[replySize] = {};
    ssize_t count = -1;
    for (;;) {
        count = recv(fd, answer, sizeof answer, 0);
        if (count >= 0 || (errno != EAGAIN && errno != EINTR) || !waitFor(fd, POLLIN, replyDeadline)) {
            break;
        }
    }
    if (count != static_cast<ssize_t>(replySize)) {
        return Result::Failed;
    }
    reply = ServiceReply::fromBytes(answer, replySize);
    return Result::Replied;
}

} // namespace servicepipe
