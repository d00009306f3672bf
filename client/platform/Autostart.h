#pragma once

#include <string>

namespace platform {

// Starts the client at the user's log-on (enabled) or stops doing so. `programPath` is
// the client's own absolute executable path, UTF-8.
// Windows: creates or deletes the log-on task "QuarnelAutostart" (and, when enabling,
// lets it run on battery power); disabling also drops the older Run-key value. The
// tools' exit codes are not looked at: false only when one of them could not be started.
// Linux: writes or removes the XDG autostart entry "quarnel.desktop", which starts the
// program with "-a". False when the entry could not be written or removed; removing an
// absent entry succeeds.
// Qt-free, so the Windows version is checked by the cross-build.
bool setAutostart(bool enabled, const std::string& programPath);

} // namespace platform
