// quarnel-servicectl: sends one request to the Quarnel service and prints its reply.
// For operators and tests; any command code and field can be sent, the unknown ones
// included, so that the service's answers can be checked from outside.

#include "ServicectlOptions.h"

#include "pipe/PipeClient.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using servicepipe::PipeClient;
using servicepipe::ServiceReply;

int main(int argc, char** argv)
{
    servicectl::ServicectlOptions options;
    std::string problem;
    const std::vector<std::string> arguments =
        argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
    if (!options.parse(arguments, problem)) {
        std::fprintf(stderr, "quarnel-servicectl: %s\n%s", problem.c_str(), servicectl::ServicectlOptions::usage());
        return 2;
    }
    if (options.help) {
        std::printf("%s", servicectl::ServicectlOptions::usage());
        return 0;
    }

    PipeClient client = options.socket.empty() ? PipeClient() : PipeClient(options.socket);
    if (options.timeoutMs >= 0) {
        client.setConnectTimeout(std::chrono::milliseconds(options.timeoutMs));
    }
    ServiceReply reply;
    switch (client.exchange(options.request, reply)) {
    case PipeClient::Result::Replied:
        std::printf("ok=%u value=%d\n", static_cast<unsigned>(reply.ok), static_cast<int>(reply.value));
        return 0;
    case PipeClient::Result::Unreachable:
        std::fprintf(stderr, "quarnel-servicectl: cannot reach the service at %s\n", client.endpointName().c_str());
        return 3;
    case PipeClient::Result::Failed:
        break;
    }
    std::fprintf(stderr, "quarnel-servicectl: the exchange with the service failed\n");
    return 4;
}
