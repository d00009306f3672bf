#pragma once

#include "StatusReporter.h"

#include <windows.h>

namespace service {

// Status reports to the Service Control Manager through the handle the control
// handler's registration returned.
class ScmReporter : public StatusReporter
{
public:
    void setHandle(SERVICE_STATUS_HANDLE handle) { statusHandle = handle; }
    void report(const StatusReport& status) override;

private:
    SERVICE_STATUS_HANDLE statusHandle = nullptr;
};

} // namespace service
