#include "platform/TerminationRequest.h"

#include <QObject>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

// The handler may only do what is async-signal-safe: it writes a byte, which the event
// loop then reads.
int signalWriteFd = -1;

extern "C" void noteTermination(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalWriteFd, &byte, 1);
    errno = saved;
}

} // namespace

void onTerminationRequest(QObject* context, std::function<void()> handler)
{
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds) != 0) {
        qWarning("No termination-signal channel: %s", strerror(errno));
        return;
    }
    signalWriteFd = fds[1];
    auto* notifier = new QSocketNotifier(fds[0], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [fd = fds[0], handler = std::move(handler)] {
        char bytes[64];
        bool requested = false;
        while (::read(fd, bytes, sizeof bytes) > 0)
            requested = true;
        if (requested)
            handler();
    });

    struct sigaction action = {};
    action.sa_handler = noteTermination;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

} // namespace platform
