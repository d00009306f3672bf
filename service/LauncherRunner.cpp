#include "LauncherRunner.h"

#include <utility>

namespace service {

LauncherRunner::LauncherRunner(launcher::LaunchSettings settings) : launcher(std::move(settings)) {}

RunResult LauncherRunner::run(const std::u16string& commandLine, bool wait, servicepipe::ClientRights& client)
{
    const launcher::LaunchResult result = launcher.run(commandLine, wait, client);
    return {result.started, result.exitCode};
}

} // namespace service
