#pragma once

#include "pipe/ClientRights.h"

#include <cstddef>
#include <cstdint>

namespace servicepipe {

// The service's end of the pipe as the worker loop sees it: one client at a time, one
// request and one reply per connection. The loop is written once over this interface;
// the named pipe and the Unix socket implement it, and tests substitute their own.
class ServerTransport
{
public:
    enum class Wait
    {
        Connected, // a client is connected and its request can be read
        Stopped,   // the stop event was set
        Failed,    // neither: the caller waits again
    };

    virtual ~ServerTransport() = default;

    // Creates the endpoint; false when it cannot be created.
    virtual bool open() = 0;
    // Waits without time-out for a client or for the stop event; the stop event wins
    // when both are there.
    virtual Wait waitForClient() = 0;
    // One request message of at most size bytes; received is its length.
    virtual bool readRequest(std::uint8_t* buffer, std::size_t size, std::size_t& received) = 0;
    virtual bool writeReply(const std::uint8_t* data, std::size_t size) = 0;
    // The rights of the connected client, from its connection (never from its request),
    // valid until disconnect. Rights that cannot be known are never assumed.
    virtual ClientRights& clientRights() = 0;
    // Flushes what was written and lets the client go.
    virtual void disconnect() = 0;
    virtual void close() = 0;
};

} // namespace servicepipe
