#pragma once

#include <cstdint>

namespace service {

enum class ServiceState
{
    StartPending,
    Running,
    StopPending,
    Stopped,
};

// The check point of a status report. The Service Control Manager receives the number,
// so each keeps its value; 2 was never used.
enum class CheckPoint : std::uint32_t
{
    None = 0,
    StopEventFailed = 1, // stopped before the worker started: no stop event
    WorkerEnded = 3,     // stopped after the worker: a normal stop or a pipe failure
    StopRequested = 4,   // stop pending after the stop control
};

// One status report as the Service Control Manager receives it; the fields that never
// change (own-process type, service-specific code 0, wait hint 0) are left to the sink.
struct StatusReport
{
    ServiceState state = ServiceState::StartPending;
    bool acceptsStop = false;
    std::uint32_t win32ExitCode = 0;
    CheckPoint checkPoint = CheckPoint::None;
};

// Where status reports go: SetServiceStatus on Windows, sd_notify on Linux.
class StatusReporter
{
public:
    virtual ~StatusReporter() = default;
    virtual void report(const StatusReport& status) = 0;
};

} // namespace service
