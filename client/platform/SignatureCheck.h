#pragma once

#include <string>

namespace platform {

enum class SignedStart
{
    Started,
    // No valid Authenticode signature (none, broken, or not trusted by the system).
    NotSigned,
    // The file could not be opened, or it is signed but could not be started.
    NotStarted,
};

// Starts `program` (absolute path) as a detached process with the given argument text,
// but only when its Authenticode signature holds. The file stays open without write or
// delete sharing from the check until the process has started, so the program that runs
// is the one that was checked. A program that asks for elevation is started through the
// shell's elevation prompt.
// Windows only, and Qt-free so the cross-build checks it; on Linux the package manager
// verifies the update instead.
SignedStart startSignedProgram(const std::wstring& program, const std::wstring& arguments);

} // namespace platform
