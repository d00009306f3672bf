#include "launcher/LaunchFiles.h"

#include "launcher/TextEncoding.h"
#include "platform/linux/Descriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace launcher {

namespace {

using serviceplatform::Descriptor;

const char* const notReadable = "the configuration file is not readable";

ConfigFile refuse(std::string reason)
{
    ConfigFile file;
    file.refusal = std::move(reason);
    return file;
}

} // namespace

ConfigFile readConfigFile(const std::u16string& path, std::size_t limit, servicepipe::ClientRights& client)
{
    std::string native;
    if (!utf16ToUtf8(path, native) || native.empty() || native.front() != '/') {
        return refuse("the configuration path is not an absolute path");
    }

    // Both opens are the client's: the name is looked up with its search rights and the
    // file opened with its read rights.
    servicepipe::ClientRightsScope asClient(client);
    if (!asClient.held()) {
        return refuse(notReadable);
    }
    // O_PATH opens nothing behind the name: no driver sees an open, no FIFO blocks.
    const Descriptor located(open(native.c_str(), O_PATH | O_CLOEXEC));
    if (located.get() < 0) {
        return refuse(notReadable);
    }
    struct stat status;
    if (fstat(located.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return refuse("the configuration file is not a regular file");
    }
    // Reopening through the descriptor reaches the very file just checked, whatever
    // has happened to the name since.
    const std::string reopen = "/proc/self/fd/" + std::to_string(located.get());
    const Descriptor readable(open(reopen.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    asClient.release();
    if (readable.get() < 0) {
        return refuse(notReadable);
    }
    // Only now: a file the client may not read is "not readable", whatever its size.
    if (static_cast<unsigned long long>(status.st_size) > limit) {
        return refuse("the configuration file is larger than " + std::to_string(limit) + " bytes");
    }

    ConfigFile file;
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t count = read(readable.get(), buffer, sizeof(buffer));
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return refuse("the configuration file cannot be read");
        }
        if (count == 0) {
            break;
        }
        content.append(buffer, static_cast<std::size_t>(count));
        // The file may have grown since fstat.
        if (content.size() > limit) {
            return refuse("the configuration file is larger than " + std::to_string(limit) + " bytes");
        }
    }
    file.ok = true;
    file.content = std::move(content);
    return file;
}

bool isInstalledProgram(const std::u16string& requested, const std::filesystem::path& installed)
{
    std::string native;
    if (!utf16ToUtf8(requested, native) || native.empty()) {
        return false;
    }
    if (native == installed.native()) {
        return true;
    }
    if (native.find('/') == std::string::npos) {
        return native == installed.filename().native();
    }
    if (native.front() != '/') {
        return false;
    }
    struct stat asked;
    struct stat ours;
    return stat(native.c_str(), &asked) == 0 && stat(installed.c_str(), &ours) == 0 && asked.st_dev == ours.st_dev &&
           asked.st_ino == ours.st_ino;
}

std::filesystem::path defaultOpenVpnPath()
{
    return "/usr/sbin/openvpn";
}

bool pathToUtf16(const std::filesystem::path& path, std::u16string& text)
{
    return utf8ToUtf16(path.native(), text);
}

bool pathFromUtf16(const std::u16string& text, std::filesystem::path& path)
{
    std::string native;
    if (!utf16ToUtf8(text, native)) {
        return false;
    }
    path = native;
    return true;
}

} // namespace launcher
