#pragma once

#include "Dispatcher.h"

#include "pipe/ServerTransport.h"

#include <functional>

namespace service {

// The service's worker thread: restores the saved kill switch, opens the pipe, and
// serves one client at a time until the stop event is set. A request is finished,
// reply written, before the stop is looked at.
class Worker
{
public:
    // ready: called once the pipe accepts clients (the host reports running then).
    Worker(servicepipe::ServerTransport& transport, Dispatcher& dispatcher, std::function<void()> ready);

    // Returns when the stop event ends the loop, or at once when the pipe cannot be
    // created (without calling ready).
    void run();

private:
    servicepipe::ServerTransport& transport;
    Dispatcher& dispatcher;
    std::function<void()> ready;
};

} // namespace service
