#pragma once

#include "pipe/PipeEndpoint.h"
#include "pipe/ServiceReply.h"
#include "pipe/ServiceRequest.h"

#include <chrono>
#include <string>
#include <utility>

namespace servicepipe {

// The client's side of one exchange: connect, write the whole request in one message,
// read the 5-byte reply, close. Blocks the calling thread for the whole exchange; any
// thread may use its own PipeClient.
class PipeClient
{
public:
    enum class Result
    {
        Replied,     // the request was written and the reply read
        Unreachable, // no connection: the service is not there or stayed busy
        Failed,      // connected, but the write or the read failed
    };

    // How long a missing or busy endpoint is waited for (both systems), and how long
    // a reply (Linux; Windows reads without limit, as the service may run a program
    // to its end first).
    static constexpr std::chrono::milliseconds defaultConnectTimeout{10000};
    static constexpr std::chrono::milliseconds defaultReplyTimeout{60000};

    // The endpoint of defaultEndpoint().
    PipeClient() : endpoint(defaultEndpoint()) {}
    explicit PipeClient(std::string endpoint) : endpoint(std::move(endpoint)) {}

    void setConnectTimeout(std::chrono::milliseconds timeout) { connectTimeout = timeout; }
    void setReplyTimeout(std::chrono::milliseconds timeout) { replyTimeout = timeout; }
    const std::string& endpointName() const { return endpoint; }

    // reply is set only when the result is Replied.
    Result exchange(const ServiceRequest& request, ServiceReply& reply) const;

private:
    std::string endpoint;
    std::chrono::milliseconds connectTimeout = defaultConnectTimeout;
    std::chrono::milliseconds replyTimeout = defaultReplyTimeout;
};

} // namespace servicepipe
