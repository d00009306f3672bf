#include "timezone/linux/LinuxZoneAccess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

extern char** environ;

namespace timezones {

namespace {

std::wstring widen(const std::string& name)
{
    return std::wstring(name.begin(), name.end());
}

// Names are ASCII by construction; anything else is not a zone name.
bool narrow(const std::wstring& text, std::string& name)
{
    name.clear();
    for (wchar_t c : text) {
        if (c <= 0 || c >= 0x80) {
            return false;
        }
        name += static_cast<char>(c);
    }
    return true;
}

bool isNameCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '+' ||
           c == '-' || c == '/';
}

bool isAlphanumeric(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

std::string resolve(const std::string& path, int& error)
{
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    if (!resolved) {
        error = errno;
        return std::string();
    }
    error = 0;
    return std::string(resolved.get());
}

bool readLink(const std::string& path, std::string& target)
{
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = readlink(path.c_str(), buffer.data(), buffer.size());
        if (length < 0) {
            return false;
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            target.assign(buffer.data(), static_cast<std::size_t>(length));
            return true;
        }
        if (buffer.size() >= 65536) {
            return false;
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool isInside(const std::string& root, const std::string& path)
{
    return path == root || path.compare(0, root.size() + 1, root + "/") == 0;
}

// Follows path link by link and requires every step to stay inside root. Links inside
// the root are the system's own aliases and fine; realpath alone would also accept a
// link that leaves the root and comes back: Debian's zoneinfo/localtime points at
// /etc/localtime, and making /etc/localtime a link to it would make a loop.
int followInside(const std::string& root, std::string path, std::string& file)
{
    for (int hop = 0; hop < 40; ++hop) {
        const std::size_t slash = path.find_last_of('/');
        const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
        if (base.empty() || base == "." || base == "..") {
            return EINVAL;
        }
        int error = 0;
        const std::string directory =
            resolve(slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash)), error);
        if (error != 0) {
            return error;
        }
        if (!isInside(root, directory)) {
            return EACCES;
        }
        const std::string current = directory + "/" + base;
        struct stat status = {};
        if (lstat(current.c_str(), &status) != 0) {
            return errno;
        }
        if (!S_ISLNK(status.st_mode)) {
            file = current;
            return 0;
        }
        std::string target;
        if (!readLink(current, target) || target.empty()) {
            return EINVAL;
        }
        path = target.front() == '/' ? target : directory + "/" + target;
    }
    return ELOOP;
}

int writeNewFile(const std::string& path, const std::string& content)
{
    unlink(path.c_str());
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
        return errno;
    }
    int error = 0;
    // The service's umask must not make the file unreadable for users.
    if (fchmod(fd, 0644) != 0) {
        error = errno;
    }
    std::size_t written = 0;
    while (error == 0 && written < content.size()) {
        const ssize_t count = write(fd, content.data() + written, content.size() - written);
        if (count < 0) {
            if (errno != EINTR) {
                error = errno;
            }
            continue;
        }
        written += static_cast<std::size_t>(count);
    }
    if (close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        unlink(path.c_str());
    }
    return error;
}

} // namespace

LinuxZoneAccess::Paths LinuxZoneAccess::systemPaths()
{
    Paths paths;
    paths.zoneinfoDir = "/usr/share/zoneinfo";
    paths.etcDir = "/etc";
    paths.systemdDir = "/run/systemd/system";
    paths.timedatectl = "/usr/bin/timedatectl";
    return paths;
}

LinuxZoneAccess::LinuxZoneAccess() : paths(systemPaths()) {}

LinuxZoneAccess::LinuxZoneAccess(Paths paths) : paths(std::move(paths)) {}

int LinuxZoneAccess::checkName(const std::string& name) const
{
    // The character set leaves no room for "." or ".." parts; a leading letter or digit
    // rules out absolute names and names that a program would read as an option.
    if (name.empty() || name.size() > zoneKeyLength || !isAlphanumeric(name.front()) || name.back() == '/' ||
        name.find("//") != std::string::npos) {
        return EINVAL;
    }
    for (char c : name) {
        if (!isNameCharacter(c)) {
            return EINVAL;
        }
    }

    int error = 0;
    const std::string root = resolve(paths.zoneinfoDir, error);
    if (error != 0) {
        return error;
    }
    std::string file;
    error = followInside(root, root + "/" + name, file);
    if (error != 0) {
        return error;
    }
    struct stat status = {};
    if (lstat(file.c_str(), &status) != 0) {
        return errno;
    }
    if (!S_ISREG(status.st_mode)) {
        return EINVAL;
    }
    const int fd = open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    char magic[4] = {};
    const ssize_t count = read(fd, magic, sizeof magic);
    close(fd);
    if (count != static_cast<ssize_t>(sizeof magic) || std::memcmp(magic, "TZif", sizeof magic) != 0) {
        return EINVAL;
    }
    return 0;
}

bool LinuxZoneAccess::nameFromLink(std::string& name) const
{
    std::string target;
    if (!readLink(paths.etcDir + "/localtime", target)) {
        return false;
    }
    const std::string root = paths.zoneinfoDir + "/";
    if (target.compare(0, root.size(), root) == 0) {
        name = target.substr(root.size());
        return true;
    }
    // Relative links and other spellings of the root ("../usr/share/zoneinfo/…").
    const std::size_t marker = target.find("/zoneinfo/");
    if (marker != std::string::npos) {
        name = target.substr(marker + 10);
        return true;
    }
    if (target.compare(0, 9, "zoneinfo/") == 0) {
        name = target.substr(9);
        return true;
    }
    return false;
}

bool LinuxZoneAccess::nameFromFile(std::string& name) const
{
    std::FILE* file = std::fopen((paths.etcDir + "/timezone").c_str(), "re");
    if (file == nullptr) {
        return false;
    }
    char line[256] = {};
    const bool read = std::fgets(line, sizeof line, file) != nullptr;
    std::fclose(file);
    if (!read) {
        return false;
    }
    name = line;
    const std::size_t end = name.find_last_not_of(" \t\r\n");
    name.erase(end == std::string::npos ? 0 : end + 1);
    const std::size_t start = name.find_first_not_of(" \t");
    name.erase(0, start == std::string::npos ? name.size() : start);
    return !name.empty();
}

bool LinuxZoneAccess::readCurrent(Zone& zone)
{
    std::string name;
    if (!(nameFromLink(name) && checkName(name) == 0) && !(nameFromFile(name) && checkName(name) == 0)) {
        return false;
    }
    zone = Zone();
    zone.keyName = widen(name);
    return true;
}

bool LinuxZoneAccess::readZone(const std::string& key, Zone& zone)
{
    const int error = checkName(key);
    if (error != 0) {
        std::printf("Failed to retrieve new time zone info, error code was %u\n", static_cast<unsigned>(error));
        std::fflush(stdout);
        return false;
    }
    zone = Zone();
    zone.keyName = widen(key);
    return true;
}

bool LinuxZoneAccess::apply(const Zone& zone)
{
    std::string name;
    int error = narrow(zone.keyName, name) ? checkName(name) : EINVAL;
    if (error == 0) {
        error = systemdRuns() ? setWithTimedatectl(name) : setWithLink(name);
    }
    if (error != 0) {
        std::printf("Failed to set the time zone (%d)\n", error);
        std::fflush(stdout);
        return false;
    }
    return true;
}

bool LinuxZoneAccess::systemdRuns() const
{
    struct stat status = {};
    return lstat(paths.systemdDir.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

int LinuxZoneAccess::setWithTimedatectl(const std::string& name) const
{
    std::string program = "timedatectl";
    std::string noPrompt = "--no-ask-password";
    std::string command = "set-timezone";
    std::string zone = name;
    char* arguments[] = {program.data(), noPrompt.data(), command.data(), zone.data(), nullptr};
    pid_t pid = 0;
    const int error = posix_spawn(&pid, paths.timedatectl.c_str(), nullptr, nullptr, arguments, environ);
    if (error != 0) {
        return error;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return errno;
        }
    }
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : EINTR;
}

int LinuxZoneAccess::setWithLink(const std::string& name) const
{
    const std::string target = paths.zoneinfoDir + "/" + name;
    const std::string link = paths.etcDir + "/localtime";
    const std::string linkTemp = paths.etcDir + "/.localtime.quarnel";
    const std::string file = paths.etcDir + "/timezone";
    const std::string fileTemp = paths.etcDir + "/.timezone.quarnel";

    // Both are prepared beside their final names and renamed over them, so that a
    // reader never sees a missing or half-written zone.
    unlink(linkTemp.c_str());
    if (symlink(target.c_str(), linkTemp.c_str()) != 0) {
        return errno;
    }
    int fileError = writeNewFile(fileTemp, name + "\n");
    if (rename(linkTemp.c_str(), link.c_str()) != 0) {
        const int error = errno;
        unlink(linkTemp.c_str());
        unlink(fileTemp.c_str());
        return error;
    }
    // The link decides the zone; /etc/timezone only repeats it for tools that read it.
    if (fileError == 0 && rename(fileTemp.c_str(), file.c_str()) != 0) {
        fileError = errno;
        unlink(fileTemp.c_str());
    }
    if (fileError != 0) {
        std::printf("Failed to update %s (%d)\n", file.c_str(), fileError);
        std::fflush(stdout);
    }
    return 0;
}

std::unique_ptr<ZoneAccess> createSystemZoneAccess()
{
    return std::make_unique<LinuxZoneAccess>();
}

} // namespace timezones
