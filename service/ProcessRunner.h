#pragma once

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
    // With wait, returns only when the program has ended.
    virtual RunResult run(const std::u16string& commandLine, bool wait) = 0;
};

} // namespace service
