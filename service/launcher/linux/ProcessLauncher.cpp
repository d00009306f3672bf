#include "launcher/ProcessLauncher.h"

#include "launcher/TextEncoding.h"
#include "launcher/WindowsCommandLine.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
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

constexpr std::size_t maxOutputLineBytes = 16384;

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

// Hands the program's output to the watcher line by line until every writer has closed
// the pipe, then closes it.
void forwardOutput(int fd, ProcessWatcher& watcher)
{
    std::string pending;
    char buffer[4096];
    for (;;) {
        const ssize_t count = read(fd, buffer, sizeof(buffer));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        pending.append(buffer, static_cast<std::size_t>(count));
        for (std::size_t feed = pending.find('\n'); feed != std::string::npos; feed = pending.find('\n')) {
            std::string line = pending.substr(0, feed);
            pending.erase(0, feed + 1);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            watcher.outputLine(line);
        }
        // A program that never ends its line does not grow the buffer without limit.
        if (pending.size() > maxOutputLineBytes) {
            watcher.outputLine(pending);
            pending.clear();
        }
    }
    if (!pending.empty()) {
        watcher.outputLine(pending);
    }
    close(fd);
}

// Output first, then the exit: a program's last words arrive before its end.
int follow(pid_t pid, int outputFd, const std::shared_ptr<ProcessWatcher>& watcher)
{
    if (outputFd >= 0) {
        forwardOutput(outputFd, *watcher);
    }
    const int code = reap(pid);
    if (watcher) {
        watcher->ended(code);
    }
    return code;
}

struct ReapState
{
    std::atomic<bool> ended{false};
};

class SpawnedProcess : public RunningProcess
{
public:
    SpawnedProcess(pid_t pid, int outputFd, std::shared_ptr<ProcessWatcher> watcher)
        : pid(pid), pidFd(static_cast<int>(syscall(SYS_pidfd_open, pid, 0))), state(std::make_shared<ReapState>())
    {
        // The thread holds only the shared state and the watcher, so it may outlive this
        // object and the service's launcher; at process exit it simply goes with the rest.
        try {
            std::thread([pid, outputFd, watcher, state = state] {
                follow(pid, outputFd, watcher);
                state->ended = true;
            }).detach();
            reaperRunning = true;
        } catch (const std::system_error&) {
            // No thread to spare: hasEnded reaps instead, a little later. Nobody reads the
            // output any more; OpenVPN ignores SIGPIPE and writes on.
            if (outputFd >= 0) {
                close(outputFd);
            }
            reaperRunning = false;
        }
    }

    ~SpawnedProcess() override
    {
        if (pidFd >= 0) {
            close(pidFd);
        }
    }

    SpawnedProcess(const SpawnedProcess&) = delete;
    SpawnedProcess& operator=(const SpawnedProcess&) = delete;

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

    bool end(std::chrono::milliseconds grace) override
    {
        for (const int number : {SIGTERM, SIGKILL}) {
            if (hasEnded()) {
                return true;
            }
            send(number);
            const auto deadline = std::chrono::steady_clock::now() + grace;
            while (!hasEnded() && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
        return hasEnded();
    }

private:
    // Through the process descriptor taken at the start, which cannot name another
    // process once this one has been reaped and its id given out again. (Called through
    // syscall: the glibc 2.36 header declares the wrappers without C linkage.)
    void send(int number)
    {
        if (pidFd >= 0) {
            syscall(SYS_pidfd_send_signal, pidFd, number, nullptr, 0);
        } else if (!state->ended) {
            kill(pid, number);
        }
    }

    pid_t pid;
    int pidFd;
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

    bool prepare(int outputFd)
    {
        // Descriptors of the service (the pipe, the firewall's netlink socket, files of
        // other threads that were opened without O_CLOEXEC) must not reach OpenVPN.
        if (posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0) != 0 ||
            (outputFd >= 0 && (posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO) != 0 ||
                               posix_spawn_file_actions_adddup2(&actions, outputFd, STDERR_FILENO) != 0)) ||
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

ProcessResult startProcess(const std::u16string& commandLine, bool wait, const std::shared_ptr<ProcessWatcher>& watcher)
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

    int output[2] = {-1, -1};
    if (watcher && pipe2(output, O_CLOEXEC) != 0) {
        return result;
    }
    SpawnSetup setup;
    pid_t pid = 0;
    // glibc reports a failed exec as posix_spawn's own result, so "started" means the
    // program really runs.
    const bool spawned = setup.prepare(output[1]) &&
                         posix_spawn(&pid, argv[0], &setup.actions, &setup.attributes, argv.data(), environ) == 0;
    if (output[1] >= 0) {
        close(output[1]);
    }
    if (!spawned) {
        if (output[0] >= 0) {
            close(output[0]);
        }
        return result;
    }
    result.started = true;
    result.processId = pid;
    if (watcher) {
        watcher->started(pid);
    }
    if (wait) {
        result.exitCode = follow(pid, output[0], watcher);
    } else {
        result.process = std::make_shared<SpawnedProcess>(pid, output[0], watcher);
    }
    return result;
}

} // namespace launcher
