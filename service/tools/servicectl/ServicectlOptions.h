#pragma once

#include "pipe/ServiceRequest.h"

#include <string>
#include <vector>

namespace servicectl {

// The command line of quarnel-servicectl: where to send which request.
struct ServicectlOptions
{
    bool help = false;  // --help or -h: print the usage, send nothing
    std::string socket; // --socket; empty: $QUARNEL_SERVICE_SOCKET or the service's own
    int timeoutMs = -1; // --timeout: connect timeout in ms; -1: the client's default
    servicepipe::ServiceRequest request;

    // False with the usage problem in error (one line, without the program name) when
    // the arguments are not understood. Arguments after --help are not looked at.
    bool parse(const std::vector<std::string>& arguments, std::string& error);

    static const char* usage();
};

} // namespace servicectl
