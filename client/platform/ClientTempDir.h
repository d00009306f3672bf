#pragma once

#include <QString>

namespace platform {

// The directory where the client keeps its log files, generated configuration files
// and single-instance socket. Private to the signed-in user on every platform: on
// Windows the per-user %TEMP%, on Linux a 0700 directory under $XDG_RUNTIME_DIR (or a
// verified per-user folder under the system temporary directory). Resolved once per
// process; empty when no safe directory could be had, in which case callers write
// nothing rather than fall back to a shared location.
QString clientTempDirectory();

} // namespace platform
