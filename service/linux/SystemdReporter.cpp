#include "linux/SystemdReporter.h"

#include <systemd/sd-daemon.h>

#include <cstdio>
#include <string>

namespace service {

void SystemdReporter::report(const StatusReport& status)
{
    std::string message;
    const char* text = "";
    switch (status.state) {
    case ServiceState::StartPending:
        text = "starting";
        message = "STATUS=Starting";
        break;
    case ServiceState::Running:
        text = "running";
        message = "READY=1\nSTATUS=Serving requests";
        break;
    case ServiceState::StopPending:
        text = "stopping";
        message = "STOPPING=1\nSTATUS=Stopping";
        break;
    case ServiceState::Stopped:
        text = "stopped";
        message = "STATUS=Stopped";
        if (status.win32ExitCode != 0) {
            message += "\nERRNO=" + std::to_string(status.win32ExitCode);
        }
        break;
    }
    std::printf("Service %s (exit code %u, check point %u)\n", text, status.win32ExitCode,
                static_cast<unsigned>(status.checkPoint));
    std::fflush(stdout);
    sd_notify(0, message.c_str());
}

} // namespace service
