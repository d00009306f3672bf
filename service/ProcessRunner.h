#pragma once

#include "pipe/ClientRights.h"

#include <string>

namespace service {

struct RunResult
{
    bool started = false;
    int exitCode = 0; // when waited for
};

// Starts a program for a RunProcess request. The service's launcher implements it; the
// dispatcher and its tests only need this much.
class ProcessRunner
{
public:
    virtual ~ProcessRunner() = default;

    // commandLine: the full command line, program path first, as the client sent it.
    // With wait, returns only when the program has ended. Files the request names are
    // opened with the client's rights.
    virtual RunResult run(const std::u16string& commandLine, bool wait, servicepipe::ClientRights& client) = 0;
};

} // namespace service
