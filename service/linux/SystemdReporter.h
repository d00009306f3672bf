#pragma once

#include "StatusReporter.h"

namespace service {

// Status reports of the daemon: readiness and stopping for systemd (sd_notify, which
// does nothing when the daemon was not started by it) and a line on standard output.
class SystemdReporter : public StatusReporter
{
public:
    void report(const StatusReport& status) override;
};

} // namespace service
