#pragma once

#include <cstdint>
#include <ctime>

// Nanoseconds on the system-wide monotonic clock. A benchmark and the programs it
// starts read the same clock, so a child's time stamp can be set against the moment
// its parent started it.
inline std::int64_t monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// User plus system time the process has used so far, in nanoseconds.
inline std::int64_t processCpuNs()
{
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return std::int64_t(used.tv_sec) * 1000000000 + used.tv_nsec;
}
