#pragma once

#include "launcher/RunningProcess.h"

#include <memory>
#include <string>

namespace launcher {

struct ProcessResult
{
    bool started = false;
    // The exit code when waited for, else 0. On Linux a program killed by a signal
    // gives 128 plus the signal number, as a shell reports it.
    int exitCode = 0;
    // The started program when not waited for.
    std::shared_ptr<RunningProcess> process;
};

// Starts a program from a full command line, program path first, with the caller's
// environment and working directory, no inherited handles, and optionally waits
// without limit for its end.
//
// Windows: CreateProcessW with no application name, a writable copy of the line, no
// security attributes, handles not inherited, no creation flags and a start-up record
// that is zero but for its size. The thread handle is closed at once; the process
// handle after the wait, or, for a program not waited for, once it has been seen to end
// (so that its configuration copy can go) or when the result is dropped.
//
// Linux: posix_spawn of the first argument (no search of PATH), the line split by the
// Windows rules, standard input from /dev/null, standard output and error shared with
// the caller, every other descriptor closed in the child, signal mask emptied and
// signal dispositions reset. A program not waited for is reaped by a thread of its own,
// so it never lingers as a zombie; the caller must therefore not set SIGCHLD to SIG_IGN
// nor reap with waitpid(-1), which would take its exit status.
ProcessResult startProcess(const std::u16string& commandLine, bool wait);

} // namespace launcher
