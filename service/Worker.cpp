#include "Worker.h"

#include "pipe/ServiceRequest.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace service {

using servicepipe::ServerTransport;

Worker::Worker(ServerTransport& transport, Dispatcher& dispatcher, std::function<void()> ready)
    : transport(transport), dispatcher(dispatcher), ready(std::move(ready))
{
}

void Worker::run()
{
    dispatcher.restoreSavedState();
    if (!transport.open()) {
        return;
    }
    if (ready) {
        ready();
    }
    std::vector<std::uint8_t> buffer(servicepipe::requestSize);
    for (;;) {
        const ServerTransport::Wait wait = transport.waitForClient();
        if (wait == ServerTransport::Wait::Stopped) {
            break;
        }
        if (wait != ServerTransport::Wait::Connected) {
            continue;
        }
        // Each request starts from zeros: the bytes a short request leaves out must not
        // be the previous client's.
        std::fill(buffer.begin(), buffer.end(), std::uint8_t(0));
        std::size_t received = 0;
        if (transport.readRequest(buffer.data(), buffer.size(), received)) {
            const auto request = servicepipe::ServiceRequest::fromBytes(buffer.data(), received);
            const auto reply = dispatcher.dispatch(request, transport.clientRights()).toBytes();
            transport.writeReply(reply.data(), reply.size());
        }
        transport.disconnect();
    }
    transport.close();
}

} // namespace service
