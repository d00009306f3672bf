#pragma once

#include <sys/syscall.h>
#include <sys/types.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

// Lets a test know that another of its threads has got as far as a blocking wait (for a
// descriptor or a pause), without guessing with a sleep: the kernel names the system
// call a thread is blocked in, in /proc/self/task/<id>/syscall.

// The kernel's id of the calling thread.
inline pid_t currentThreadId()
{
    return static_cast<pid_t>(syscall(SYS_gettid));
}

inline bool isWaitCall(long number)
{
    switch (number) {
#ifdef SYS_poll
    case SYS_poll:
#endif
#ifdef SYS_select
    case SYS_select:
#endif
#ifdef SYS_nanosleep
    case SYS_nanosleep:
#endif
    case SYS_ppoll:
    case SYS_pselect6:
    case SYS_clock_nanosleep:
    case SYS_epoll_pwait:
        return true;
    default:
        return false;
    }
}

// True once thread `id` of this process is blocked in poll, select or a sleep; false when
// the time-out passes first. A running thread's entry reads "running", one blocked
// outside a system call "-1".
inline bool waitUntilThreadWaits(pid_t id, std::chrono::milliseconds timeout)
{
    const std::string path = "/proc/self/task/" + std::to_string(id) + "/syscall";
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        std::ifstream entry(path);
        long number = -1;
        if (entry >> number && isWaitCall(number)) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}
