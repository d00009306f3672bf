#include "win/ScmReporter.h"

namespace service {

namespace {

DWORD stateCode(ServiceState state)
{
    switch (state) {
    case ServiceState::StartPending:
        return SERVICE_START_PENDING;
    case ServiceState::Running:
        return SERVICE_RUNNING;
    case ServiceState::StopPending:
        return SERVICE_STOP_PENDING;
    case ServiceState::Stopped:
        break;
    }
    return SERVICE_STOPPED;
}

} // namespace

void ScmReporter::report(const StatusReport& status)
{
    if (statusHandle == nullptr) {
        return;
    }
    SERVICE_STATUS record = {};
    record.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    record.dwCurrentState = stateCode(status.state);
    record.dwControlsAccepted = status.acceptsStop ? SERVICE_ACCEPT_STOP : 0;
    record.dwWin32ExitCode = status.win32ExitCode;
    record.dwServiceSpecificExitCode = 0;
    record.dwCheckPoint = static_cast<DWORD>(status.checkPoint);
    record.dwWaitHint = 0;
    SetServiceStatus(statusHandle, &record);
}

} // namespace service
