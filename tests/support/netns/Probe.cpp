#include "Probe.h"

#include "NamespaceGuard.h"

#include <arpa/inet.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

SocketAddress socketAddress(const std::string& text, std::uint16_t port)
{
    SocketAddress result;
    if (text.find(':') != std::string::npos) {
        auto* six = reinterpret_cast<sockaddr_in6*>(&result.storage);
        six->sin6_family = AF_INET6;
        six->sin6_port = htons(port);
        inet_pton(AF_INET6, text.c_str(), &six->sin6_addr);
        result.size = sizeof(sockaddr_in6);
    } else {
        auto* four = reinterpret_cast<sockaddr_in*>(&result.storage);
        four->sin_family = AF_INET;
        four->sin_port = htons(port);
        inet_pton(AF_INET, text.c_str(), &four->sin_addr);
        result.size = sizeof(sockaddr_in);
    }
    return result;
}

namespace {

enum class Stage
{
    Connecting,
    AwaitingEcho,
    Done,
};

struct Running
{
    Attempt* attempt = nullptr;
    int fd = -1;
    Stage stage = Stage::Done;
};

void finish(Running& run, bool passed, int error)
{
    run.attempt->passed = passed;
    run.attempt->error = passed ? 0 : error;
    run.stage = Stage::Done;
    if (run.fd >= 0) {
        close(run.fd);
        run.fd = -1;
    }
}

// A refusal means our packet reached the far end and its answer came back.
void failed(Running& run, int error)
{
    finish(run, error == ECONNREFUSED, error);
}

void sendProbe(Running& run)
{
    const char byte = 'q';
    if (send(run.fd, &byte, 1, MSG_NOSIGNAL) == 1) {
        run.stage = Stage::AwaitingEcho;
    } else {
        failed(run, errno);
    }
}

void begin(Running& run)
{
    Attempt& attempt = *run.attempt;
    const SocketAddress local = socketAddress(attempt.localAddress, attempt.localPort);
    const SocketAddress remote = socketAddress(attempt.remoteAddress, attempt.remotePort);
    {
        NamespaceGuard guard(attempt.namespaceFd);
        run.fd = socket(local.family(), (attempt.tcp ? SOCK_STREAM : SOCK_DGRAM) | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    }
    if (run.fd < 0) {
        finish(run, false, errno);
        return;
    }
    const int on = 1;
    setsockopt(run.fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (attempt.tcp) {
        // Reset on close: no TIME_WAIT, so fixed local ports can be used again at once.
        const linger reset{1, 0};
        setsockopt(run.fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    }
    if (bind(run.fd, local.address(), local.length()) != 0) {
        finish(run, false, errno);
        return;
    }
    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    getsockname(run.fd, reinterpret_cast<sockaddr*>(&bound), &length);
    attempt.boundPort = ntohs(bound.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port
                                                          : reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
    if (connect(run.fd, remote.address(), remote.length()) == 0) {
        sendProbe(run);
        return;
    }
    if (errno == EINPROGRESS) {
        run.stage = Stage::Connecting;
        return;
    }
    failed(run, errno);
}

} // namespace

void runAttempts(std::vector<Attempt>& attempts, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::vector<Running> runs(attempts.size());
    for (std::size_t i = 0; i < attempts.size(); ++i) {
        runs[i].attempt = &attempts[i];
        attempts[i].passed = false;
        attempts[i].error = 0;
        begin(runs[i]);
    }
    while (true) {
        std::vector<pollfd> fds;
        std::vector<Running*> owners;
        for (Running& run : runs) {
            if (run.stage == Stage::Done) {
                continue;
            }
            fds.push_back({run.fd, static_cast<short>(run.stage == Stage::Connecting ? POLLOUT : POLLIN), 0});
            owners.push_back(&run);
        }
        if (fds.empty()) {
            return;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            for (Running* run : owners) {
                finish(*run, false, ETIMEDOUT);
            }
            return;
        }
        if (poll(fds.data(), fds.size(), static_cast<int>(left.count())) < 0 && errno != EINTR) {
            for (Running* run : owners) {
                finish(*run, false, errno);
            }
            return;
        }
        for (std::size_t i = 0; i < fds.size(); ++i) {
            Running& run = *owners[i];
            if (fds[i].revents == 0) {
                continue;
            }
            if (run.stage == Stage::Connecting) {
                int error = 0;
                socklen_t size = sizeof error;
                getsockopt(run.fd, SOL_SOCKET, SO_ERROR, &error, &size);
                if (error != 0) {
                    failed(run, error);
                } else {
                    sendProbe(run);
                }
                continue;
            }
            char echo = 0;
            const ssize_t got = recv(run.fd, &echo, 1, 0);
            if (got == 1) {
                finish(run, true, 0);
            } else if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                continue;
            } else {
                failed(run, got == 0 ? ECONNRESET : errno);
            }
        }
    }
}

int connectedUdpSocket(const std::string& local, const std::string& remote, std::uint16_t port)
{
    const SocketAddress from = socketAddress(local, 0);
    const SocketAddress to = socketAddress(remote, port);
    const int fd = socket(from.family(), SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    if (bind(fd, from.address(), from.length()) != 0 || connect(fd, to.address(), to.length()) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}
