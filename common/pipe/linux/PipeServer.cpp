#include "pipe/PipeServer.h"

#include "pipe/linux/PeerRights.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace servicepipe {

namespace {

bool makeAddress(const std::string& path, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// A socket left behind by a service that ended without cleaning up may be replaced; a
// live one belongs to another instance, and anything that is not a socket is not ours.
bool clearStaleSocket(const std::string& path, const sockaddr_un& address)
{
    struct stat status = {};
    if (lstat(path.c_str(), &status) != 0) {
        return errno == ENOENT;
    }
    if (!S_ISSOCK(status.st_mode)) {
        std::printf("%s exists and is not a socket\n", path.c_str());
        return false;
    }
    const int probe = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    if (probe < 0) {
        return false;
    }
    const bool live = connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(probe);
    if (live) {
        std::printf("Another service is listening on %s\n", path.c_str());
        return false;
    }
    return unlink(path.c_str()) == 0 || errno == ENOENT;
}

} // namespace

struct PipeServer::Native
{
    int listener = -1;
    int client = -1;
    PeerRights peer;
    dev_t device = 0;
    ino_t inode = 0;
};

PipeServer::PipeServer(std::string endpoint, const StopEvent& stopEvent)
    : endpoint(std::move(endpoint)), stopEvent(stopEvent), native(std::make_unique<Native>())
{
}

PipeServer::~PipeServer()
{
    close();
}

bool PipeServer::open()
{
    sockaddr_un address;
    if (!makeAddress(endpoint, address)) {
        std::printf("Socket path too long or empty: %s\n", endpoint.c_str());
        return false;
    }
    if (!clearStaleSocket(endpoint, address)) {
        return false;
    }
    const int listener = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener < 0) {
        std::printf("socket failed (%d)\n", errno);
        return false;
    }
    // Any local user may connect, like the null DACL of the Windows pipe; fchmod does
    // not reach a socket's file, so the mode is set on the path right after bind.
    if (bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        chmod(endpoint.c_str(), 0666) != 0 || listen(listener, 64) != 0) {
        std::printf("Cannot listen on %s (%d)\n", endpoint.c_str(), errno);
        ::close(listener);
        return false;
    }
    struct stat status = {};
    if (stat(endpoint.c_str(), &status) == 0) {
        native->device = status.st_dev;
        native->inode = status.st_ino;
    }
    native->listener = listener;
    return true;
}

ServerTransport::Wait PipeServer::waitForClient()
{
    pollfd entries[2] = {{static_cast<int>(stopEvent.native()), POLLIN, 0}, {native->listener, POLLIN, 0}};
    if (poll(entries, 2, -1) < 0) {
        return Wait::Failed;
    }
    if (entries[0].revents != 0) {
        return Wait::Stopped;
    }
    if ((entries[1].revents & POLLIN) == 0) {
        return Wait::Failed;
    }
    // The listener is non-blocking: a client that gave up between poll and accept
    // must not leave the loop stuck in accept, deaf to the stop event.
    const int client = accept4(native->listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) {
        if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
            // The client stays queued; give the system a moment instead of spinning.
            pollfd stop = {static_cast<int>(stopEvent.native()), POLLIN, 0};
            poll(&stop, 1, 100);
        }
        return Wait::Failed;
    }
    const long milliseconds = static_cast<long>(requestTimeout.count());
    timeval timeout = {milliseconds / 1000, (milliseconds % 1000) * 1000};
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    native->client = client;
    native->peer.readFrom(client);
    return Wait::Connected;
}

bool PipeServer::readRequest(std::uint8_t* buffer, std::size_t size, std::size_t& received)
{
    received = 0;
    if (native->client < 0) {
        return false;
    }
    iovec part = {buffer, size};
    msghdr message = {};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    ssize_t count = 0;
    do {
        count = recvmsg(native->client, &message, 0);
    } while (count < 0 && errno == EINTR);
    // Zero is the end of the connection: the client left without a request. A message
    // longer than a request is not one, as a named pipe reports more data.
    if (count <= 0 || (message.msg_flags & MSG_TRUNC) != 0) {
        return false;
    }
    received = static_cast<std::size_t>(count);
    return true;
}

bool PipeServer::writeReply(const std::uint8_t* data, std::size_t size)
{
    if (native->client < 0) {
        return false;
    }
    ssize_t count = 0;
    do {
        count = send(native->client, data, size, MSG_NOSIGNAL);
    } while (count < 0 && errno == EINTR);
    return count == static_cast<ssize_t>(size);
}

ClientRights& PipeServer::clientRights()
{
    return native->peer;
}

void PipeServer::disconnect()
{
    // A seqpacket write is complete when send returns; closing lets the client go.
    if (native->client >= 0) {
        ::close(native->client);
        native->client = -1;
    }
    native->peer.clear();
}

void PipeServer::close()
{
    disconnect();
    if (native->listener < 0) {
        return;
    }
    ::close(native->listener);
    native->listener = -1;
    // Only our own socket file: another instance may have replaced it meanwhile.
    struct stat status = {};
    if (lstat(endpoint.c_str(), &status) == 0 && status.st_dev == native->device && status.st_ino == native->inode) {
        unlink(endpoint.c_str());
    }
}

} // namespace servicepipe
