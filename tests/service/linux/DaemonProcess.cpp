#include "DaemonProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <utility>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> pointers(std::vector<std::string>& strings)
{
    std::vector<char*> list;
    for (std::string& text : strings) {
        list.push_back(text.data());
    }
    list.push_back(nullptr);
    return list;
}

// Waits for the child up to the deadline; its status, or -1 when it is still there.
int waitUntil(pid_t pid, Clock::time_point deadline)
{
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (done < 0 && errno != EINTR) {
            return -1;
        }
        if (Clock::now() >= deadline) {
            return -1;
        }
        // A child's end is not something poll can wait for without a pidfd; 5 ms
        // steps keep the measured stop times honest.
        poll(nullptr, 0, 5);
    }
}

} // namespace

DaemonProcess::DaemonProcess(std::string namespaceName, Paths paths)
    : namespaceName(std::move(namespaceName)), paths(std::move(paths))
{
    notifyFd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, this->paths.notifySocket.c_str(), sizeof address.sun_path - 1);
    unlink(this->paths.notifySocket.c_str());
    if (bind(notifyFd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(notifyFd);
        notifyFd = -1;
    }
}

DaemonProcess::~DaemonProcess()
{
    if (pid > 0) {
        stop();
    }
    if (notifyFd >= 0) {
        close(notifyFd);
    }
}

bool DaemonProcess::start()
{
    if (notifyFd < 0 || pid > 0) {
        return false;
    }
    const char* program = std::getenv("QUARNEL_SERVICE_BIN");
    if (program == nullptr) {
        return false;
    }
    std::vector<std::string> arguments = {"ip",
                                          "netns",
                                          "exec",
                                          namespaceName,
                                          program,
                                          "--socket",
                                          paths.socket,
                                          "--state-dir",
                                          paths.stateDir,
                                          "--timezone-root",
                                          paths.timezoneRoot,
                                          "--openvpn",
                                          paths.openvpn};
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, "NOTIFY_SOCKET=", 14) != 0 &&
            std::strncmp(*entry, "QUARNEL_SERVICE_SOCKET=", 23) != 0) {
            environment.emplace_back(*entry);
        }
    }
    environment.push_back("NOTIFY_SOCKET=" + paths.notifySocket);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, paths.log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    auto argv = pointers(arguments);
    auto envp = pointers(environment);
    const int error = posix_spawnp(&pid, "ip", &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        pid = -1;
        return false;
    }
    // "ip netns exec" replaces itself with the daemon, so pid is the daemon's. The
    // messages of an earlier run are no news of this one.
    messages.clear();
    return waitForNotification("READY=1", std::chrono::seconds(20));
}

int DaemonProcess::stop(std::chrono::milliseconds timeout)
{
    if (pid <= 0) {
        return -1;
    }
    kill(pid, SIGTERM);
    int status = waitUntil(pid, Clock::now() + timeout);
    if (status < 0) {
        kill(pid, SIGKILL);
        waitUntil(pid, Clock::now() + std::chrono::seconds(10));
    }
    pid = -1;
    return status;
}

bool DaemonProcess::alive() const
{
    siginfo_t info = {};
    return pid > 0 && waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == 0;
}

bool DaemonProcess::receive(std::chrono::milliseconds timeout, std::string& message)
{
    pollfd entry = {notifyFd, POLLIN, 0};
    if (poll(&entry, 1, static_cast<int>(std::max<long long>(timeout.count(), 0))) != 1) {
        return false;
    }
    char buffer[4096];
    const ssize_t count = recv(notifyFd, buffer, sizeof buffer, 0);
    if (count < 0) {
        return false;
    }
    message.assign(buffer, static_cast<std::size_t>(count));
    messages.push_back(message);
    return true;
}

bool DaemonProcess::waitForNotification(const std::string& text, std::chrono::milliseconds timeout)
{
    for (const std::string& message : messages) {
        if (message.find(text) != std::string::npos) {
            return true;
        }
    }
    const Clock::time_point deadline = Clock::now() + timeout;
    std::string message;
    while (receive(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()), message)) {
        if (message.find(text) != std::string::npos) {
            return true;
        }
        if (Clock::now() >= deadline) {
            break;
        }
    }
    return false;
}

std::vector<std::string> DaemonProcess::notifications()
{
    std::string message;
    while (receive(std::chrono::milliseconds(0), message)) {
    }
    return messages;
}

std::string DaemonProcess::log() const
{
    std::ifstream file(paths.log);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

int runProgram(const std::vector<std::string>& arguments, std::string* output)
{
    int channel[2] = {-1, -1};
    if (pipe2(channel, O_CLOEXEC) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channel[1], 1);
    if (output == nullptr) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> copy = arguments;
    auto argv = pointers(copy);
    pid_t child = -1;
    const int error = posix_spawnp(&child, copy.front().c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(channel[1]);
    if (error != 0) {
        close(channel[0]);
        return -1;
    }
    std::string text;
    char buffer[4096];
    ssize_t count = 0;
    while ((count = read(channel[0], buffer, sizeof buffer)) > 0 || (count < 0 && errno == EINTR)) {
        if (count > 0) {
            text.append(buffer, static_cast<std::size_t>(count));
        }
    }
    close(channel[0]);
    if (output != nullptr) {
        *output = text;
    }
    return waitUntil(child, Clock::now() + std::chrono::seconds(60));
}
