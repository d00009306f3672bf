#pragma once

#include "ProcessRunner.h"

#include "launcher/Launcher.h"

namespace service {

// RunProcess through the launcher: only the installed OpenVPN, only with the command
// line the client builds, only on a configuration that passes the allowlist, run from
// a private copy. Refusals are written to standard output by the launcher.
class LauncherRunner : public ProcessRunner
{
public:
    explicit LauncherRunner(launcher::LaunchSettings settings);

    RunResult run(const std::u16string& commandLine, bool wait, servicepipe::ClientRights& client) override;

private:
    launcher::Launcher launcher;
};

} // namespace service
