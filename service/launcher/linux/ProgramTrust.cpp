#include "launcher/ProgramTrust.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace launcher {

namespace {

// More links than this on one path is a loop, as the kernel counts it.
constexpr int maxLinks = 40;

bool trustedOwner(uid_t owner)
{
    return owner == 0 || owner == geteuid();
}

bool safeDirectory(const struct stat& status)
{
    const bool othersWrite = (status.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    return S_ISDIR(status.st_mode) && trustedOwner(status.st_uid) && (!othersWrite || (status.st_mode & S_ISVTX) != 0);
}

// The names of a path, the first on top of the stack.
void pushComponents(const std::string& path, std::vector<std::string>& pending)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = path.find('/', start);
        const std::size_t stop = end == std::string::npos ? path.size() : end;
        if (stop > start) {
            names.push_back(path.substr(start, stop - start));
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    pending.insert(pending.end(), names.rbegin(), names.rend());
}

std::string parentOf(const std::string& directory)
{
    const std::size_t slash = directory.find_last_of('/');
    return slash == 0 || slash == std::string::npos ? "/" : directory.substr(0, slash);
}

} // namespace

bool isTrustedProgram(const std::filesystem::path& program)
{
    const std::string& path = program.native();
    if (path.empty() || path.front() != '/') {
        return false;
    }
    struct stat status;
    if (lstat("/", &status) != 0 || !safeDirectory(status)) {
        return false;
    }
    // Walks the name as the kernel resolves it, link by link, so that every entry
    // that decides what runs is seen: the directory reached is always one whose
    // whole path was checked.
    std::string current = "/";
    std::vector<std::string> pending;
    pushComponents(path, pending);
    int links = 0;
    bool reachedFile = false;
    while (!pending.empty()) {
        const std::string name = pending.back();
        pending.pop_back();
        if (reachedFile) {
            return false; // a name below a file
        }
        if (name == ".") {
            continue;
        }
        if (name == "..") {
            current = parentOf(current);
            continue;
        }
        const std::string next = current == "/" ? "/" + name : current + "/" + name;
        if (lstat(next.c_str(), &status) != 0 || !trustedOwner(status.st_uid)) {
            return false;
        }
        if (S_ISLNK(status.st_mode)) {
            if (++links > maxLinks) {
                return false;
            }
            std::string target(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 4096) + 1, '\0');
            const ssize_t length = readlink(next.c_str(), target.data(), target.size());
            if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) {
                return false;
            }
            target.resize(static_cast<std::size_t>(length));
            if (target.front() == '/') {
                current = "/";
            }
            pushComponents(target, pending);
            continue;
        }
        if (S_ISDIR(status.st_mode)) {
            if (!safeDirectory(status)) {
                return false;
            }
        } else if (!S_ISREG(status.st_mode) || (status.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
            return false;
        } else {
            reachedFile = true;
        }
        current = next;
    }
    return reachedFile;
}

} // namespace launcher
