#pragma once

#include <QString>

#include <functional>

// Hands a downloaded installer to the system (startSystemInstaller unless replaced).
// Tests install a launcher that records the path and reports whether it "started", so
// no installer or desktop handler ever runs; an empty launcher restores the system's.
using InstallerLauncher = std::function<bool(const QString& path)>;
void setInstallerLauncher(InstallerLauncher launcher);
bool launchInstaller(const QString& path);

// Per system. Windows: starts the installer silently ("/VERYSILENT") as a detached
// process, but only when it carries a valid Authenticode signature. Linux: opens the
// package with the desktop's default handler (xdg-open), whose package installer asks
// for authorisation and checks the package itself. False when nothing was started.
bool startSystemInstaller(const QString& path);

// The name the installer is saved under. Windows: always "quarnel_update.exe". Linux:
// the last segment of the link's path when it is a plain file name (the package type
// tells the desktop which installer opens it), else "quarnel_update".
QString installerFileName(const QString& link);
