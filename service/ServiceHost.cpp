#include "ServiceHost.h"

#include "Worker.h"

#include <thread>
#include <utility>

namespace service {

ServiceHost::ServiceHost(ServiceStatus& status, Dispatcher& dispatcher, firewall::Firewall& firewall,
                         TransportFactory makeTransport)
    : status(status), dispatcher(dispatcher), firewall(firewall), makeTransport(std::move(makeTransport))
{
}

void ServiceHost::serviceMain()
{
    status.startPending();
    auto event = std::make_unique<servicepipe::StopEvent>();
    if (!event->isValid()) {
        status.stopped(static_cast<std::uint32_t>(event->error()), CheckPoint::StopEventFailed);
        return;
    }
    {
        std::lock_guard<std::mutex> guard(controlLock);
        stopEvent = std::move(event);
    }
    std::unique_ptr<servicepipe::ServerTransport> transport = makeTransport(*stopEvent);
    std::thread worker([this, &transport] { Worker(*transport, dispatcher, [this] { status.running(); }).run(); });
    worker.join();
    transport.reset();

    if (firewall.isSupported() && firewall.isSessionOpen()) {
        firewall.disable();
    }
    {
        std::lock_guard<std::mutex> guard(controlLock);
        stopEvent.reset();
    }
    status.stopped(0, CheckPoint::WorkerEnded);
}

void ServiceHost::stop()
{
    std::lock_guard<std::mutex> guard(controlLock);
    if (stopEvent && status.stopControl()) {
        stopEvent->set();
    }
}

} // namespace service
