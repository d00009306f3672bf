#include "launcher/PrivateStore.h"

#include "launcher/LaunchFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace launcher {

namespace {

const std::string copyPrefix = "config-";
const std::string configSuffix = ".ovpn";
const std::string passwordSuffix = ".pass";

bool hasEnds(const std::string& name, const std::string& suffix)
{
    return name.size() > copyPrefix.size() + suffix.size() && name.compare(0, copyPrefix.size(), copyPrefix) == 0 &&
           name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool isCopyName(const std::string& name)
{
    return hasEnds(name, configSuffix) || hasEnds(name, passwordSuffix);
}

bool writeAll(int fd, const std::string& content)
{
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t count = ::write(fd, content.data() + written, content.size() - written);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        written += static_cast<std::size_t>(count);
    }
    return true;
}

} // namespace

struct PrivateStore::State
{
    int directoryFd = -1;
};

PrivateStore::PrivateStore(std::filesystem::path directory)
    : directory(std::move(directory)), state(std::make_unique<State>())
{
}

PrivateStore::~PrivateStore()
{
    if (state->directoryFd >= 0) {
        close(state->directoryFd);
    }
}

bool PrivateStore::prepare(std::string& error)
{
    if (state->directoryFd >= 0) {
        // OpenVPN gets a path, not the descriptor: the two must still name the same
        // directory (it could have been removed, say by a clean-up of the runtime dir).
        struct stat held;
        struct stat named;
        if (fstat(state->directoryFd, &held) == 0 && lstat(directory.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            return true;
        }
        close(state->directoryFd);
        state->directoryFd = -1;
    }
    if (!directory.is_absolute()) {
        error = "the private directory is not an absolute path";
        return false;
    }
    if (mkdir(directory.c_str(), 0700) != 0 && errno != EEXIST) {
        error = "the private directory cannot be created";
        return false;
    }
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        error = "the private directory is a link or not a directory";
        return false;
    }
    struct stat status;
    if (fstat(fd, &status) != 0 || status.st_uid != geteuid()) {
        close(fd);
        error = "the private directory belongs to another user";
        return false;
    }
    if ((status.st_mode & 07777) != 0700 && fchmod(fd, 0700) != 0) {
        close(fd);
        error = "the private directory cannot be made private";
        return false;
    }
    state->directoryFd = fd;
    removeAll();
    return true;
}

bool PrivateStore::write(const std::string& content, Kind kind, Copy& copy, std::string& error)
{
    if (!prepare(error)) {
        return false;
    }
    const std::string pid = std::to_string(getpid());
    const std::string& suffix = kind == Kind::Configuration ? configSuffix : passwordSuffix;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::string name = copyPrefix + pid + "-" + std::to_string(++counter) + suffix;
        const int fd =
            openat(state->directoryFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            error = "the configuration copy cannot be created";
            return false;
        }
        // The service's umask could only narrow 0600; fchmod makes it exact either way.
        const bool written = fchmod(fd, 0600) == 0 && writeAll(fd, content);
        const bool closed = close(fd) == 0;
        if (!written || !closed) {
            unlinkat(state->directoryFd, name.c_str(), 0);
            error = "the configuration copy cannot be written";
            return false;
        }
        if (!pathToUtf16(directory / name, copy.path)) {
            unlinkat(state->directoryFd, name.c_str(), 0);
            error = "the private directory's path is not valid text";
            return false;
        }
        copy.name.assign(name.begin(), name.end());
        return true;
    }
    error = "no free name for the configuration copy";
    return false;
}

bool PrivateStore::remove(const std::u16string& name)
{
    if (state->directoryFd < 0) {
        return false;
    }
    const std::string native(name.begin(), name.end());
    return unlinkat(state->directoryFd, native.c_str(), 0) == 0 || errno == ENOENT;
}

void PrivateStore::removeAll()
{
    if (state->directoryFd < 0) {
        return;
    }
    // fdopendir takes over the descriptor it is given, so it gets a duplicate.
    const int listFd = fcntl(state->directoryFd, F_DUPFD_CLOEXEC, 0);
    if (listFd < 0) {
        return;
    }
    DIR* listing = fdopendir(listFd);
    if (listing == nullptr) {
        close(listFd);
        return;
    }
    rewinddir(listing);
    std::vector<std::string> names;
    while (const dirent* entry = readdir(listing)) {
        const std::string name = entry->d_name;
        if (isCopyName(name)) {
            names.push_back(name);
        }
    }
    closedir(listing);
    for (const std::string& name : names) {
        unlinkat(state->directoryFd, name.c_str(), 0);
    }
}

} // namespace launcher
