#pragma once

#include "StatusReporter.h"

#include <cstdint>
#include <mutex>

namespace service {

// The service's status record and its moments. The worker and the main routine report
// through it, the control handler asks it whether a stop applies; each report goes to
// the reporter while the record is locked, so reports arrive in the order made.
class ServiceStatus
{
public:
    explicit ServiceStatus(StatusReporter& reporter);

    void startPending();
    void running();
    // The stop control: acts only while running, reporting stop pending; true then.
    bool stopControl();
    void stopped(std::uint32_t win32ExitCode, CheckPoint checkPoint);

    ServiceState state() const;

private:
    void report(const StatusReport& status);

    StatusReporter& reporter;
    mutable std::mutex lock;
    StatusReport current;
};

} // namespace service
