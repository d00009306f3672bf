#include "ServiceStatus.h"

namespace service {

ServiceStatus::ServiceStatus(StatusReporter& reporter) : reporter(reporter) {}

void ServiceStatus::report(const StatusReport& status)
{
    current = status;
    reporter.report(current);
}

void ServiceStatus::startPending()
{
    std::lock_guard<std::mutex> guard(lock);
    report({ServiceState::StartPending, false, 0, CheckPoint::None});
}

void ServiceStatus::running()
{
    std::lock_guard<std::mutex> guard(lock);
    report({ServiceState::Running, true, 0, CheckPoint::None});
}

bool ServiceStatus::stopControl()
{
    std::lock_guard<std::mutex> guard(lock);
    if (current.state != ServiceState::Running) {
        return false;
    }
    report({ServiceState::StopPending, false, 0, CheckPoint::StopRequested});
    return true;
}

void ServiceStatus::stopped(std::uint32_t win32ExitCode, CheckPoint checkPoint)
{
    std::lock_guard<std::mutex> guard(lock);
    report({ServiceState::Stopped, false, win32ExitCode, checkPoint});
}

ServiceState ServiceStatus::state() const
{
    std::lock_guard<std::mutex> guard(lock);
    return current.state;
}

} // namespace service
