#pragma once

#include <QString>

namespace platform {

// Makes sure `path` is a directory that only the current user can enter: creates it
// with mode 0700 when absent; an existing entry is accepted only when it is a real
// directory (not a link), owned by the current user and closed to group and others.
// Returns false when the path cannot be used safely.
bool ensurePrivateDirectory(const QString& path);

// The client's temporary directory: "<runtimeDir>/quarnel" when the runtime directory
// is usable, else "<systemTemp>/quarnel-<uid>", else a fresh "<systemTemp>/quarnel-<uid>-XXXXXX"
// (when another user holds the fixed name). Empty when none of them can be had.
QString resolveClientTempDirectory(const QString& runtimeDir, const QString& systemTemp);

} // namespace platform
