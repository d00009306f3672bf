#pragma once

#include "pipe/ServerTransport.h"
#include "pipe/StopEvent.h"

#include <chrono>
#include <memory>
#include <string>

namespace servicepipe {

// The service's endpoint: one instance of the message-mode named pipe on Windows, a
// SOCK_SEQPACKET Unix socket of mode 0666 on Linux. Any local user may connect; remote
// clients are refused.
class PipeServer : public ServerTransport
{
public:
    // A client that connects and then sends nothing is dropped after this long, so
    // that it cannot hold the only instance and keep a stop from taking effect.
    static constexpr std::chrono::milliseconds defaultRequestTimeout{10000};

    PipeServer(std::string endpoint, const StopEvent& stopEvent);
    ~PipeServer() override;

    PipeServer(const PipeServer&) = delete;
    PipeServer& operator=(const PipeServer&) = delete;

    void setRequestTimeout(std::chrono::milliseconds timeout) { requestTimeout = timeout; }

    bool open() override;
    Wait waitForClient() override;
    bool readRequest(std::uint8_t* buffer, std::size_t size, std::size_t& received) override;
    bool writeReply(const std::uint8_t* data, std::size_t size) override;
    ClientRights& clientRights() override;
    void disconnect() override;
    void close() override;

private:
    struct Native;

    std::string endpoint;
    const StopEvent& stopEvent;
    std::chrono::milliseconds requestTimeout = defaultRequestTimeout;
    std::unique_ptr<Native> native;
};

} // namespace servicepipe
