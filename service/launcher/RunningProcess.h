#pragma once

namespace launcher {

// A program started without waiting for it, watched until it ends.
class RunningProcess
{
public:
    virtual ~RunningProcess() = default;
    // True once the program has ended (and, on Linux, been reaped).
    virtual bool hasEnded() = 0;
};

} // namespace launcher
