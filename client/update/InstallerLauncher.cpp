#include "update/InstallerLauncher.h"

#include <utility>

namespace {

InstallerLauncher& currentLauncher()
{
    static InstallerLauncher launcher;
    return launcher;
}

} // namespace

void setInstallerLauncher(InstallerLauncher launcher)
{
    currentLauncher() = std::move(launcher);
}

bool launchInstaller(const QString& path)
{
    // A copy, so a launcher that replaces itself is not destroyed while it runs.
    const InstallerLauncher launcher = currentLauncher();
    return launcher ? launcher(path) : startSystemInstaller(path);
}
