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

// One status report as the Service Control Manager receives it; the fields that never
// change (own-process type, service-specific code 0, wait hint 0) are left to the sink.
struct StatusReport
{
    ServiceState state = ServiceState::StartPending;
    bool acceptsStop = false;
    std::uint32_t win32ExitCode = 0;
    std::uint32_t checkPoint = 0;
};

// Where status reports go: SetServiceStatus on Windows, sd_notify on Linux.
class StatusReporter
{
public:
    virtual ~StatusReporter() = default;
    virtual void report(const StatusReport& status) = 0;
};

} // namespace service
