#pragma once

#include <chrono>

namespace launcher {

// A program started without waiting for it, watched until it ends.
class RunningProcess
{
public:
    virtual ~RunningProcess() = default;
    // True once the program has ended (and, on Linux, been reaped).
    virtual bool hasEnded() = 0;
    // Ends the program and returns once it has ended, or false when it is still there
    // after the grace given for each step. Linux: SIGTERM first, so that OpenVPN runs its
    // down hook and tells the server, then SIGKILL. Windows: TerminateProcess at once
    // (a service has no console to send a break to).
    virtual bool end(std::chrono::milliseconds grace) = 0;
};

} // namespace launcher
