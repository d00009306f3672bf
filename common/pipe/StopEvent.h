#pragma once

#include <cstdint>

namespace servicepipe {

// A manual-reset event, initially not set, that ends the service's wait for a client:
// an event object on Windows, an eventfd on Linux. set() may be called from any thread.
class StopEvent
{
public:
    StopEvent();
    ~StopEvent();

    StopEvent(const StopEvent&) = delete;
    StopEvent& operator=(const StopEvent&) = delete;

    // False when the event could not be created; error() then holds the system's code.
    bool isValid() const;
    unsigned long error() const { return creationError; }

    void set();
    bool isSet() const;

    // The HANDLE on Windows, the file descriptor on Linux: what a wait is given.
    std::intptr_t native() const { return handle; }

private:
    std::intptr_t handle;
    unsigned long creationError = 0;
};

} // namespace servicepipe
