#pragma once

#include "launcher/RunningProcess.h"

#include <memory>
#include <string>

namespace launcher {

// What a started program tells the launcher: its process id first, then (Linux) every
// line it writes to its standard output or error, then its exit code. Called on the
// starting thread for a waited-for run, else on a thread of the launcher's own that may
// outlive whoever started the program.
class ProcessWatcher
{
public:
    virtual ~ProcessWatcher() = default;
    virtual void started(long processId) = 0;
    virtual void outputLine(const std::string& line) = 0;
    virtual void ended(int exitCode) = 0;
};

struct ProcessResult
{
    bool started = false;
    // The exit code when waited for, else 0. On Linux a program killed by a signal
    // gives 128 plus the signal number, as a shell reports it.
    int exitCode = 0;
    long processId = 0;
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
// The watcher, when given, learns the process id, and the exit code once the program
// has ended. Windows: the program's output is not seen.
//
// Linux: posix_spawn of the first argument (no search of PATH), the line split by the
// Windows rules, standard input from /dev/null, every other descriptor closed in the
// child, signal mask emptied and signal dispositions reset. Standard output and error
// go to a pipe whose lines reach the watcher (without a watcher they are the caller's).
// A program not waited for is read and reaped by a thread of its own, so it never
// lingers as a zombie; the caller must therefore not set SIGCHLD to SIG_IGN nor reap
// with waitpid(-1), which would take its exit status.
ProcessResult startProcess(const std::u16string& commandLine, bool wait,
                           const std::shared_ptr<ProcessWatcher>& watcher = nullptr);

} // namespace launcher
