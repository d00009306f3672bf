#include "platform/Autostart.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

const char* const entryName = "quarnel.desktop";

bool isAbsolute(const char* path)
{
    return path != nullptr && path[0] == '/';
}

// $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when that is unset or relative
// (the base directory rules say a relative value is to be ignored).
std::string autostartDirectory()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (isAbsolute(config)) {
        return std::string(config) + "/autostart";
    }
    const char* home = std::getenv("HOME");
    if (!isAbsolute(home)) {
        const passwd* user = getpwuid(geteuid());
        home = user != nullptr ? user->pw_dir : nullptr;
    }
    if (!isAbsolute(home)) {
        return std::string();
    }
    return std::string(home) + "/.config/autostart";
}

// Creates the missing directories of `path`, each new one open to the user only.
bool makeDirectories(const std::string& path)
{
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
        if (slash == std::string::npos) {
            break;
        }
    }
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isValidUtf8(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t length = 1;
        unsigned minimum = 0;
        unsigned code = lead;
        if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, minimum = 0x10000, code = lead & 0x07;
        } else if (lead >= 0xE0) {
            length = 3, minimum = 0x800, code = lead & 0x0F;
        } else if (lead >= 0xC2 && lead < 0xE0) {
            length = 2, minimum = 0x80, code = lead & 0x1F;
        } else if (lead >= 0x80) {
            return false;
        }
        if (i + length > text.size()) {
            return false;
        }
        for (size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (next & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

// The program as the first Exec argument: quoted when it holds a reserved character
// (with ", `, $ and \ escaped inside the quotes), "%" doubled so that it is no field code,
// then every backslash doubled once more by the string escaping of the key file.
std::string execProgram(const std::string& path)
{
    const bool quote = path.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != std::string::npos;
    std::string quoted;
    for (const char c : path) {
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) {
            quoted += '\\';
        }
        quoted += c;
        if (c == '%') {
            quoted += '%';
        }
    }
    if (quote) {
        quoted = '"' + quoted + '"';
    }
    std::string escaped;
    for (const char c : quoted) {
        escaped += c;
        if (c == '\\') {
            escaped += '\\';
        }
    }
    return escaped;
}

std::string desktopEntry(const std::string& programPath)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Quarnel\n"
           "Comment=Start the Quarnel VPN client at log-on\n"
           "Exec=" +
           execProgram(programPath) +
           " -a\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool writeFully(int fd, const std::string& text)
{
    for (size_t done = 0; done < text.size();) {
        const ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

// A reader (the session starting up) sees the old entry or the new one, never a part.
bool writeAtomically(const std::string& dir, const std::string& text)
{
    std::string temporary = dir + "/." + entryName + ".XXXXXX";
    const int fd = mkstemp(&temporary[0]);
    if (fd < 0) {
        return false;
    }
    bool ok = fchmod(fd, 0644) == 0 && writeFully(fd, text) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.c_str(), (dir + '/' + entryName).c_str()) == 0;
    if (!ok) {
        unlink(temporary.c_str());
    }
    return ok;
}

} // namespace

bool setAutostart(bool enabled, const std::string& programPath)
{
    const std::string dir = autostartDirectory();
    if (dir.empty()) {
        return false;
    }
    if (!enabled) {
        const std::string path = dir + '/' + entryName;
        return unlink(path.c_str()) == 0 || errno == ENOENT || errno == ENOTDIR;
    }
    // Exec needs an absolute path; control characters have no place in one a session
    // would start, and the key file must stay valid UTF-8.
    if (programPath.empty() || programPath[0] != '/' || !isValidUtf8(programPath)) {
        return false;
    }
    for (const char c : programPath) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return false;
        }
    }
    return makeDirectories(dir) && writeAtomically(dir, desktopEntry(programPath));
}

} // namespace platform
