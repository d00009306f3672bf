#pragma once

#include "Dispatcher.h"
#include "ServiceStatus.h"

#include "firewall/Firewall.h"
#include "pipe/ServerTransport.h"
#include "pipe/StopEvent.h"

#include <functional>
#include <memory>
#include <mutex>

namespace service {

// The service main routine and the control handler, the same on both systems: the
// Service Control Manager calls them on Windows, the daemon's main thread on Linux.
class ServiceHost
{
public:
    using TransportFactory =
        std::function<std::unique_ptr<servicepipe::ServerTransport>(const servicepipe::StopEvent& stopEvent)>;

    ServiceHost(ServiceStatus& status, Dispatcher& dispatcher, firewall::Firewall& firewall,
                TransportFactory makeTransport);

    // From the start-pending report to the stopped one: creates the stop event, runs
    // the worker thread to its end, then removes the firewall rules.
    void serviceMain();

    // The stop control: while running, reports stop pending and sets the stop event;
    // ignored otherwise. Safe from any thread.
    void stop();

private:
    ServiceStatus& status;
    Dispatcher& dispatcher;
    firewall::Firewall& firewall;
    TransportFactory makeTransport;
    std::mutex controlLock;
    std::unique_ptr<servicepipe::StopEvent> stopEvent;
};

} // namespace service
