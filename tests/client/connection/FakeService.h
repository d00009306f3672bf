#pragma once

#include "pipe/PipeServer.h"
#include "pipe/ServiceReply.h"
#include "pipe/StopEvent.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A stand-in for the service on a private socket: records every request as it arrived
// and answers with the replies it is given, in order (ok 1 when it runs out). After
// hangUp() it reads requests but closes without a reply.
class FakeService
{
    using PipeServer = servicepipe::PipeServer;
    using ServerTransport = servicepipe::ServerTransport;
    using ServiceReply = servicepipe::ServiceReply;
    using StopEvent = servicepipe::StopEvent;

public:
    explicit FakeService(const std::string& endpoint) : server(endpoint, stop)
    {
        ready = server.open();
        if (ready) {
            worker = std::thread([this] { serve(); });
        }
    }

    ~FakeService()
    {
        stop.set();
        if (worker.joinable()) {
            worker.join();
        }
        server.close();
    }

    bool isReady() const { return ready; }

    void answer(std::uint8_t ok, std::int32_t value = 0)
    {
        std::lock_guard<std::mutex> lock(mutex);
        replies.push_back({ok, value});
    }

    void hangUp()
    {
        std::lock_guard<std::mutex> lock(mutex);
        hangingUp = true;
    }

    // Called on the service's thread with each request before it is answered, as the
    // real service reads the files a request names before it replies.
    void onRequest(std::function<void(const std::vector<std::uint8_t>&)> handler)
    {
        std::lock_guard<std::mutex> lock(mutex);
        requestHandler = std::move(handler);
    }

    std::vector<std::vector<std::uint8_t>> received()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return requests;
    }

private:
    void serve()
    {
        std::vector<std::uint8_t> buffer(servicepipe::requestSize);
        for (;;) {
            const ServerTransport::Wait wait = server.waitForClient();
            if (wait == ServerTransport::Wait::Stopped) {
                return;
            }
            if (wait != ServerTransport::Wait::Connected) {
                continue;
            }
            std::size_t size = 0;
            if (server.readRequest(buffer.data(), buffer.size(), size)) {
                ServiceReply reply{1, 0};
                bool silent = false;
                {
                    std::lock_guard<std::mutex> lock(mutex);
                    requests.emplace_back(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(size));
                    if (!replies.empty()) {
                        reply = replies.front();
                        replies.pop_front();
                    }
                    silent = hangingUp;
                    if (requestHandler) {
                        requestHandler(requests.back());
                    }
                }
                if (!silent) {
                    const auto bytes = reply.toBytes();
                    server.writeReply(bytes.data(), bytes.size());
                }
            }
            server.disconnect();
        }
    }

    StopEvent stop;
    PipeServer server;
    bool ready = false;
    std::thread worker;
    std::mutex mutex;
    std::deque<ServiceReply> replies;
    std::vector<std::vector<std::uint8_t>> requests;
    bool hangingUp = false;
    std::function<void(const std::vector<std::uint8_t>&)> requestHandler;
};
