#include "pipe/StopEvent.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace servicepipe {

StopEvent::StopEvent() : handle(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    if (handle < 0) {
        creationError = static_cast<unsigned long>(errno);
    }
}

StopEvent::~StopEvent()
{
    if (handle >= 0) {
        close(static_cast<int>(handle));
    }
}

bool StopEvent::isValid() const
{
    return handle >= 0;
}

void StopEvent::set()
{
    // The counter is never read, so the event stays set: manual reset.
    const std::uint64_t one = 1;
    if (handle >= 0) {
        [[maybe_unused]] const ssize_t written = write(static_cast<int>(handle), &one, sizeof one);
    }
}

bool StopEvent::isSet() const
{
    if (handle < 0) {
        return false;
    }
    pollfd entry = {static_cast<int>(handle), POLLIN, 0};
    return poll(&entry, 1, 0) == 1 && (entry.revents & POLLIN) != 0;
}

} // namespace servicepipe
