// quarnel-service for Windows: the privileged service, run only by the Service Control
// Manager as QuarnelOpenVPNService.

#include "Dispatcher.h"
#include "LauncherRunner.h"
#include "SavedState.h"
#include "ServiceHost.h"
#include "ServiceStatus.h"
#include "win/ScmReporter.h"

#include "firewall/Firewall.h"
#include "firewall/SystemEngine.h"
#include "launcher/LaunchFiles.h"
#include "pipe/PipeEndpoint.h"
#include "pipe/PipeServer.h"
#include "timezone/TimezoneChanger.h"
#include "timezone/ZoneAccess.h"
#ifdef QUARNEL_CLDR_MAPPING
#include "timezone/CldrZoneMapping.h"
#endif

#include <windows.h>

#include <filesystem>
#include <memory>

namespace {

wchar_t serviceName[] = L"QuarnelOpenVPNService";

// Set before the dispatcher starts and valid until it returns.
service::ServiceHost* host = nullptr;
service::ScmReporter* reporter = nullptr;

#ifndef QUARNEL_CLDR_MAPPING
// A build without tinyxml2 knows no zone names: every change fails, the support
// byte is still reported.
class NoZoneMapping : public timezones::ZoneMapping
{
public:
    bool lookup(const std::string&, std::string&) override { return false; }
};
#endif

std::unique_ptr<timezones::ZoneMapping> makeZoneMapping()
{
#ifdef QUARNEL_CLDR_MAPPING
    return std::make_unique<timezones::CldrZoneMapping>();
#else
    return std::make_unique<NoZoneMapping>();
#endif
}

// The simple handler form: only a stop while running does anything.
void WINAPI controlHandler(DWORD control)
{
    if (control == SERVICE_CONTROL_STOP) {
        host->stop();
    }
}

void WINAPI serviceMain(DWORD, LPWSTR*)
{
    const SERVICE_STATUS_HANDLE handle = RegisterServiceCtrlHandlerW(serviceName, controlHandler);
    if (handle == nullptr) {
        return;
    }
    reporter->setHandle(handle);
    host->serviceMain();
}

} // namespace

int main()
{
    // Process-wide objects, destroyed after the dispatcher returns, in reverse order:
    // the changed zone is put back, then the firewall's rules are removed.
    firewall::Firewall firewall(firewall::makeSystemEngine());
    timezones::TimezoneChanger timezone(timezones::createSystemZoneAccess(), makeZoneMapping());
    const service::SavedState savedState(service::defaultSavedStateDirectory());
    launcher::LaunchSettings launch;
    launch.openvpnProgram = launcher::defaultOpenVpnPath();
    launch.privateDirectory =
        savedState.directory().empty() ? std::filesystem::path() : savedState.directory() / "launch";
    service::LauncherRunner runner(launch);
    service::Dispatcher dispatcher(firewall, timezone, runner, savedState);

    service::ScmReporter scmReporter;
    service::ServiceStatus status(scmReporter);
    service::ServiceHost serviceHost(status, dispatcher, firewall, [](const servicepipe::StopEvent& stopEvent) {
        return std::make_unique<servicepipe::PipeServer>(servicepipe::defaultEndpoint(), stopEvent);
    });
    reporter = &scmReporter;
    host = &serviceHost;

    const SERVICE_TABLE_ENTRYW table[] = {{serviceName, serviceMain}, {nullptr, nullptr}};
    if (!StartServiceCtrlDispatcherW(table)) {
        return static_cast<int>(GetLastError());
    }
    return 0;
}
