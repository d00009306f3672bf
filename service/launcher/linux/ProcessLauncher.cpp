#include "launcher/ProcessLauncher.h"

#include "launcher/TextEncoding.h"
#include "launcher/WindowsCommandLine.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <system_error>
#include <thread>
#include <vector>

extern char** environ;

namespace launcher {

namespace {

int exitCodeOf(int status)
{
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    if (WIFSIGNALED(status)) {
        return 128 + WTERMSIG(status);
    }
    return -1;
}

// Blocks until the child has ended and reaps it.
int reap(pid_t pid)
{
    int status = 0;
    for (;;) {
        if (waitpid(pid, &status, 0) == pid) {
            return exitCodeOf(status);
        }
        if (errno != EINTR) {
            return -1;
        }
    }
}

struct ReapState
{
    std::atomic<bool> ended{false};
};

class SpawnedProcess : public RunningProcess
{
public:
    explicit SpawnedProcess(pid_t pid) : pid(pid), state(std::make_shared<ReapState>())
    {
        // The thread holds only the shared state, so it may outlive this object and the
        // service's launcher; at process exit it simply goes with the rest.
        try {
            std::thread([pid, state = state] {
                reap(pid);
                state->ended = true;
            }).detach();
            reaperRunning = true;
        } catch (const std::system_error&) {
            // No thread to spare: hasEnded reaps instead, a little later.
            reaperRunning = false;
        }
    }

    bool hasEnded() override
    {
        if (reaperRunning || state->ended) {
            return state->ended;
        }
        int status = 0;
        const pid_t result = waitpid(pid, &status, WNOHANG);
        if (result == pid || (result < 0 && errno == ECHILD)) {
            state->ended = true;
        }
        return state->ended;
    }

private:
    pid_t pid;
    std::shared_ptr<ReapState> state;
    bool reaperRunning = false;
};

class SpawnSetup
{
public:
    SpawnSetup()
    {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup()
    {
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    bool prepare()
    {
        // Descriptors of the service (the pipe, the firewall's netlink socket, files of
        // other threads that were opened without O_CLOEXEC) must not reach OpenVPN.
        if (posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0) != 0 ||
            posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1) != 0) {
            return false;
        }
        // The service's host may block or ignore signals for its own handling; OpenVPN
        // must start with the defaults so that a stop of the unit reaches it.
        sigset_t none;
        sigset_t all;
        sigemptyset(&none);
        sigfillset(&all);
        return posix_spawnattr_setsigmask(&attributes, &none) == 0 &&
               posix_spawnattr_setsigdefault(&attributes, &all) == 0 &&
               posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0;
    }

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
};

} // namespace

ProcessResult startProcess(const std::u16string& commandLine, bool wait)
{
    ProcessResult result;
    const std::vector<std::u16string> split = splitWindowsCommandLine(commandLine);
    if (split.empty() || split.front().empty()) {
        return result;
    }
    std::vector<std::string> arguments(split.size());
    for (std::size_t i = 0; i < split.size(); ++i) {
        if (!utf16ToUtf8(split[i], arguments[i]) || arguments[i].find('\0') != std::string::npos) {
            return result;
        }
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    SpawnSetup setup;
    if (!setup.prepare()) {
        return result;
    }
    pid_t pid = 0;
    // glibc reports a failed exec as posix_spawn's own result, so "started" means the
    // program really runs.
    if (posix_spawn(&pid, argv[0], &setup.actions, &setup.attributes, argv.data(), environ) != 0) {
        return result;
    }
    result.started = true;
    if (wait) {
        result.exitCode = reap(pid);
    } else {
        result.process = std::make_shared<SpawnedProcess>(pid);
    }
    return result;
}

} // namespace launcher
