#pragma once

#include <QString>

namespace platform {

// The local-socket name on which the first instance of id listens, derived from the
// client's private directory (clientTempDirectory()) so that each user has their own.
// Windows: a pipe name (pipes are machine-wide) carrying a hash of the directory.
// Linux: a socket file inside the directory, never in the shared /tmp.
QString singleInstanceServerName(const QString& privateDirectory, const QString& id);

} // namespace platform
