#include "NetworkLab.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <vector>

extern char** environ;

namespace {

constexpr const char* prefix = "qfw";

int runIp(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    std::string program = "ip";
    argv.push_back(program.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    // Errors stay visible on standard error; what ip prints on success does not matter.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "ip", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> split(const std::string& text)
{
    std::vector<std::string> words;
    std::istringstream stream(text);
    std::string word;
    while (stream >> word) {
        words.push_back(word);
    }
    return words;
}

// Namespaces named by an earlier run of these tests that died before cleaning up: their
// names carry the pid of a process that no longer exists.
void removeAbandoned()
{
    DIR* dir = opendir("/run/netns");
    if (dir == nullptr) {
        return;
    }
    std::vector<std::string> abandoned;
    while (dirent* entry = readdir(dir)) {
        // prefix, pid, an optional one-letter tag, then n or f
        const std::string name = entry->d_name;
        if (name.rfind(prefix, 0) != 0) {
            continue;
        }
        const std::size_t end = name.find_first_not_of("0123456789", 3);
        const std::string digits = name.substr(3, end == std::string::npos ? std::string::npos : end - 3);
        const std::string rest = end == std::string::npos ? "" : name.substr(end);
        const bool side = rest == "n" || rest == "f";
        const bool taggedSide =
            rest.size() == 2 && rest[0] >= 'a' && rest[0] <= 'z' && (rest[1] == 'n' || rest[1] == 'f');
        if (digits.empty() || (!side && !taggedSide)) {
            continue;
        }
        const pid_t pid = static_cast<pid_t>(std::strtol(digits.c_str(), nullptr, 10));
        if (pid != getpid() && kill(pid, 0) != 0 && errno == ESRCH) {
            abandoned.push_back(name);
        }
    }
    closedir(dir);
    for (const std::string& name : abandoned) {
        runIp({"netns", "del", name});
    }
}

} // namespace

std::string NetworkLab::unavailableReason()
{
    if (geteuid() != 0) {
        return "needs root to create network namespaces";
    }
    if (runIp({"-V"}) != 0) {
        return "the ip program (iproute2) is not available";
    }
    if (access("/proc/thread-self/ns/net", R_OK) != 0) {
        return "network namespaces are not available";
    }
    return {};
}

NetworkLab::NetworkLab(char tag)
{
    removeAbandoned();
    std::string id = std::string(prefix) + std::to_string(getpid());
    if (tag >= 'a' && tag <= 'z') {
        id += tag;
    }
    near = id + "n";
    far = id + "f";
    if (!ip("netns add " + near) || !ip("netns add " + far)) {
        return;
    }
    nearNamespace = open(("/run/netns/" + near).c_str(), O_RDONLY | O_CLOEXEC);
    farNamespace = open(("/run/netns/" + far).c_str(), O_RDONLY | O_CLOEXEC);
    if (nearNamespace < 0 || farNamespace < 0) {
        error = "cannot open the namespaces";
        return;
    }
    const std::string n = "-n " + near + " ";
    const std::string f = "-n " + far + " ";
    const char* steps[] = {
        "link set lo up",
        "link add veth0 type veth peer name veth1 netns FAR",
        "link add tun0 type veth peer name tunpeer netns FAR",
        "addr add 198.51.100.1/24 dev veth0",
        "addr add 192.168.77.1/24 dev veth0",
        "addr add 10.0.7.1/24 dev veth0",
        "addr add 10.10.1.1/24 dev veth0",
        "-6 addr add fd00:51::1/64 dev veth0 nodad",
        "addr add 100.64.0.1/24 dev tun0",
        "-6 addr add fd00:64::1/64 dev tun0 nodad",
        "link set veth0 up",
        "link set tun0 up",
    };
    for (const char* step : steps) {
        std::string command = n + step;
        const std::size_t at = command.find("FAR");
        if (at != std::string::npos) {
            command.replace(at, 3, far);
        }
        if (!ip(command)) {
            return;
        }
    }
    const char* farSteps[] = {
        "link set lo up",
        "addr add 198.51.100.2/24 dev veth1",
        "addr add 198.51.100.3/24 dev veth1",
        "addr add 192.168.77.2/24 dev veth1",
        "addr add 10.0.7.2/24 dev veth1",
        "addr add 10.10.1.2/24 dev veth1",
        "-6 addr add fd00:51::2/64 dev veth1 nodad",
        "addr add 100.64.0.2/24 dev tunpeer",
        "-6 addr add fd00:64::2/64 dev tunpeer nodad",
        "link set veth1 up",
        "link set tunpeer up",
    };
    for (const char* step : farSteps) {
        if (!ip(f + step)) {
            return;
        }
    }
}

NetworkLab::~NetworkLab()
{
    if (nearNamespace >= 0) {
        close(nearNamespace);
    }
    if (farNamespace >= 0) {
        close(farNamespace);
    }
    // The links live inside the namespaces and go with them.
    if (!near.empty()) {
        runIp({"netns", "del", near});
    }
    if (!far.empty()) {
        runIp({"netns", "del", far});
    }
}

bool NetworkLab::ip(const std::string& arguments)
{
    if (runIp(split(arguments)) == 0) {
        return true;
    }
    if (error.empty()) {
        error = "ip " + arguments + " failed";
    }
    return false;
}
