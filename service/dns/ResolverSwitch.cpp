#include "dns/ResolverSwitch.h"

#include "platform/linux/Descriptor.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>
#include <utility>

namespace dns {

namespace {

using serviceplatform::Descriptor;

const char* const recordName = "record";
const char* const originalName = "original";
const char* const writtenName = "written";
const char* const lockName = "lock";
// A resolver file is a few lines; anything larger is not one to save and put back.
constexpr std::size_t maxResolverBytes = 64 * 1024;

std::string systemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = write(fd, bytes.data() + done, bytes.size() - done);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(count);
    }
    return true;
}

// Reads a whole file through fd; false when it fails or holds more than limit bytes.
bool readAll(int fd, std::size_t limit, std::string& bytes)
{
    bytes.clear();
    char buffer[8192];
    for (;;) {
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (count == 0) {
            return true;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
        if (bytes.size() > limit) {
            errno = EFBIG;
            return false;
        }
    }
}

std::string parentOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The resolver file as it is now.
struct ResolverFile
{
    DnsRecord::Original kind = DnsRecord::Original::Absent;
    // The file's bytes, or the link's target.
    std::string bytes;
    unsigned mode = 0644;
    unsigned long uid = 0;
    unsigned long gid = 0;
};

bool readResolver(const std::string& path, ResolverFile& file, std::string& error)
{
    struct stat status;
    if (lstat(path.c_str(), &status) != 0) {
        if (errno == ENOENT) {
            file = ResolverFile();
            return true;
        }
        error = systemError("cannot look at " + path);
        return false;
    }
    if (S_ISLNK(status.st_mode)) {
        std::string target(4096, '\0');
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size()) {
            error = "cannot read the link " + path;
            return false;
        }
        target.resize(static_cast<std::size_t>(length));
        file.kind = DnsRecord::Original::Link;
        file.bytes = target;
        return true;
    }
    if (!S_ISREG(status.st_mode)) {
        error = path + " is neither a file nor a link";
        return false;
    }
    const Descriptor fd(open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0 || fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        !readAll(fd.get(), maxResolverBytes, file.bytes)) {
        error = systemError("cannot read " + path);
        return false;
    }
    file.kind = DnsRecord::Original::File;
    file.mode = static_cast<unsigned>(status.st_mode & 07777);
    file.uid = status.st_uid;
    file.gid = status.st_gid;
    return true;
}

// Puts file in place of path in one rename, so that no reader ever sees half of it.
bool replaceResolver(const std::string& path, const ResolverFile& file, std::string& error)
{
    if (file.kind == DnsRecord::Original::Absent) {
        if (unlink(path.c_str()) != 0 && errno != ENOENT) {
            error = systemError("cannot remove " + path);
            return false;
        }
        return true;
    }
    const std::string temporary = parentOf(path) + "/." + baseOf(path) + ".quarnel-" + std::to_string(getpid());
    unlink(temporary.c_str());
    if (file.kind == DnsRecord::Original::Link) {
        if (symlink(file.bytes.c_str(), temporary.c_str()) != 0) {
            error = systemError("cannot make a link beside " + path);
            return false;
        }
    } else {
        const Descriptor fd(
            open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR));
        bool written = fd.get() >= 0 && writeAll(fd.get(), file.bytes);
        // Handing the file to its original owner needs CAP_CHOWN, which a hardened unit may
        // not grant: the file then stays the service's, as the resolver reads only its bytes.
        if (written && fchown(fd.get(), static_cast<uid_t>(file.uid), static_cast<gid_t>(file.gid)) != 0 &&
            errno != EPERM) {
            written = false;
        }
        written = written && fchmod(fd.get(), file.mode) == 0 && fsync(fd.get()) == 0;
        if (!written) {
            error = systemError("cannot write a file beside " + path);
            unlink(temporary.c_str());
            return false;
        }
    }
    if (rename(temporary.c_str(), path.c_str()) == 0) {
        return true;
    }
    const int renameError = errno;
    unlink(temporary.c_str());
    // A resolver file that is a mount point of its own (containers bind one in) cannot
    // be renamed over: its content is rewritten instead.
    struct stat status;
    if (renameError == EBUSY && file.kind == DnsRecord::Original::File && lstat(path.c_str(), &status) == 0 &&
        S_ISREG(status.st_mode)) {
        const Descriptor fd(open(path.c_str(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC));
        if (fd.get() >= 0 && writeAll(fd.get(), file.bytes) && fsync(fd.get()) == 0) {
            return true;
        }
        error = systemError("cannot rewrite " + path);
        return false;
    }
    errno = renameError;
    error = systemError("cannot replace " + path);
    return false;
}

int runProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    // Nothing of OpenVPN's environment (the server's options among it) reaches the program.
    char path[] = "PATH=/usr/sbin:/usr/bin:/sbin:/bin";
    char* environment[] = {path, nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environment);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

// The state directory, checked and locked for one step.
class ResolverSwitch::State
{
public:
    bool open(const std::string& path, std::string& error)
    {
        directory.reset(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        struct stat status;
        if (directory.get() < 0 || fstat(directory.get(), &status) != 0) {
            error = systemError("cannot open the DNS state directory " + path);
            return false;
        }
        if (status.st_uid != geteuid() || (status.st_mode & 077) != 0) {
            error = "the DNS state directory " + path + " is not private to its owner";
            return false;
        }
        lock.reset(openat(directory.get(), lockName, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR));
        while (lock.get() >= 0 && flock(lock.get(), LOCK_EX) != 0) {
            if (errno != EINTR) {
                lock.reset();
            }
        }
        if (lock.get() < 0) {
            error = systemError("cannot lock the DNS state directory " + path);
            return false;
        }
        return true;
    }

    bool read(const char* name, std::string& bytes) const
    {
        const Descriptor fd(openat(directory.get(), name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
        return fd.get() >= 0 && readAll(fd.get(), maxResolverBytes, bytes);
    }

    bool exists(const char* name) const
    {
        struct stat status;
        return fstatat(directory.get(), name, &status, AT_SYMLINK_NOFOLLOW) == 0;
    }

    bool write(const char* name, const std::string& bytes, std::string& error) const
    {
        const std::string temporary = std::string(".") + name + ".new";
        unlinkat(directory.get(), temporary.c_str(), 0);
        const Descriptor fd(openat(directory.get(), temporary.c_str(),
                                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR));
        if (fd.get() < 0 || !writeAll(fd.get(), bytes) || fsync(fd.get()) != 0 ||
            renameat(directory.get(), temporary.c_str(), directory.get(), name) != 0) {
            error = systemError(std::string("cannot write the DNS state file ") + name);
            unlinkat(directory.get(), temporary.c_str(), 0);
            return false;
        }
        return true;
    }

    void remove(const char* name) const { unlinkat(directory.get(), name, 0); }

    // The record goes first: without it the data files are only left-overs.
    void clear() const
    {
        remove(recordName);
        fsync(directory.get());
        remove(originalName);
        remove(writtenName);
    }

private:
    Descriptor directory;
    Descriptor lock;
};

ResolverSwitch::ResolverSwitch(ResolverPaths paths, std::ostream& log) : paths(std::move(paths)), log(log) {}

bool ResolverSwitch::prepareDirectory(const std::string& path, std::string& error)
{
    if (mkdir(path.c_str(), S_IRWXU) != 0 && errno != EEXIST) {
        error = systemError("cannot create the DNS state directory " + path);
        return false;
    }
    const Descriptor directory(open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat status;
    if (directory.get() < 0 || fstat(directory.get(), &status) != 0) {
        error = systemError("cannot open the DNS state directory " + path);
        return false;
    }
    if (status.st_uid != geteuid()) {
        error = "the DNS state directory " + path + " belongs to another user";
        return false;
    }
    if ((status.st_mode & 07777) != S_IRWXU && fchmod(directory.get(), S_IRWXU) != 0) {
        error = systemError("cannot close the DNS state directory " + path);
        return false;
    }
    return true;
}

bool ResolverSwitch::resolvedRuns() const
{
    if (access(paths.resolvectl.c_str(), X_OK) != 0) {
        return false;
    }
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (paths.resolvedSocket.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, paths.resolvedSocket.c_str(), paths.resolvedSocket.size() + 1);
    const Descriptor probe(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    return probe.get() >= 0 && connect(probe.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

bool ResolverSwitch::readRecord(DnsRecord& record) const
{
    std::ifstream file(paths.stateDirectory + "/" + recordName, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return file.good() || file.eof() ? DnsRecord::parse(text, record) : false;
}

bool ResolverSwitch::apply(const PushedDns& dns, const std::string& device, const ProcessIdentity& owner,
                           std::string& error)
{
    if (!isDeviceName(device)) {
        error = "the tunnel device name is not one a device can have";
        return false;
    }
    State state;
    if (!state.open(paths.stateDirectory, error)) {
        return false;
    }
    // The original must be the machine's own, not what an earlier tunnel left. A record
    // nobody could read is gone after the attempt and blocks nothing.
    if (restoreLocked(state, nullptr, error) == Outcome::Failed && state.exists(recordName)) {
        return false;
    }
    if (resolvedRuns()) {
        return applyResolved(state, dns, device, owner, error);
    }
    return applyResolvConf(state, dns, owner, error);
}

bool ResolverSwitch::applyResolved(State& state, const PushedDns& dns, const std::string& device,
                                   const ProcessIdentity& owner, std::string& error)
{
    DnsRecord record;
    record.owner = owner;
    record.method = DnsRecord::Method::Resolved;
    record.device = device;
    if (!state.write(recordName, record.format(), error)) {
        return false;
    }
    for (const std::vector<std::string>& call : dns.resolvectlCalls(device)) {
        if (!runResolvectl(call)) {
            error = "resolvectl " + call.front() + " failed";
            runResolvectl({"revert", device});
            state.clear();
            return false;
        }
    }
    log << "DNS: " << device << " resolves every name through the tunnel (systemd-resolved)" << std::endl;
    return true;
}

bool ResolverSwitch::applyResolvConf(State& state, const PushedDns& dns, const ProcessIdentity& owner,
                                     std::string& error)
{
    ResolverFile original;
    if (!readResolver(paths.resolvConf, original, error)) {
        return false;
    }
    DnsRecord record;
    record.owner = owner;
    record.method = DnsRecord::Method::ResolvConf;
    record.original = original.kind;
    record.mode = original.mode;
    record.uid = original.uid;
    record.gid = original.gid;
    ResolverFile tunnel;
    tunnel.kind = DnsRecord::Original::File;
    tunnel.bytes = dns.resolvConfText();
    tunnel.mode = 0644;
    tunnel.uid = geteuid();
    tunnel.gid = getegid();
    if (!state.write(originalName, original.bytes, error) || !state.write(writtenName, tunnel.bytes, error) ||
        !state.write(recordName, record.format(), error)) {
        return false;
    }
    if (!replaceResolver(paths.resolvConf, tunnel, error)) {
        state.clear();
        return false;
    }
    log << "DNS: " << paths.resolvConf << " points at the tunnel's servers" << std::endl;
    return true;
}

ResolverSwitch::Outcome ResolverSwitch::restore(const ProcessIdentity* onlyFor, std::string& error)
{
    State state;
    if (!state.open(paths.stateDirectory, error)) {
        return Outcome::Failed;
    }
    return restoreLocked(state, onlyFor, error);
}

ResolverSwitch::Outcome ResolverSwitch::restoreLocked(State& state, const ProcessIdentity* onlyFor, std::string& error)
{
    if (!state.exists(recordName)) {
        return Outcome::Nothing;
    }
    std::string text;
    DnsRecord record;
    if (!state.read(recordName, text) || !DnsRecord::parse(text, record)) {
        // Nobody can say what it stood for; kept, it would block every tunnel's DNS.
        log << "DNS: an unreadable record of an earlier change was removed" << std::endl;
        state.clear();
        error = "the record of the earlier DNS change could not be read";
        return Outcome::Failed;
    }
    if (onlyFor != nullptr && record.owner != *onlyFor) {
        return Outcome::Nothing;
    }
    if (record.method == DnsRecord::Method::Resolved) {
        // Once the device is gone, so are its settings: a failed revert leaves nothing.
        if (resolvedRuns()) {
            runResolvectl({"revert", record.device});
        }
        state.clear();
        log << "DNS: the settings of " << record.device << " were reverted" << std::endl;
        return Outcome::Restored;
    }

    ResolverFile original;
    std::string written;
    ResolverFile current;
    if (!state.read(writtenName, written) ||
        (record.original != DnsRecord::Original::Absent && !state.read(originalName, original.bytes))) {
        error = "the saved resolver file could not be read";
        return Outcome::Failed;
    }
    if (!readResolver(paths.resolvConf, current, error)) {
        return Outcome::Failed;
    }
    if (current.kind != DnsRecord::Original::File || current.bytes != written) {
        // Rewritten meanwhile (a DHCP renewal, the administrator): that is newer than
        // what was saved.
        log << "DNS: " << paths.resolvConf << " was changed by another program; it is left as it is" << std::endl;
        state.clear();
        return Outcome::Restored;
    }
    original.kind = record.original;
    original.mode = record.mode;
    original.uid = record.uid;
    original.gid = record.gid;
    if (!replaceResolver(paths.resolvConf, original, error)) {
        return Outcome::Failed;
    }
    state.clear();
    log << "DNS: " << paths.resolvConf << " is back as it was" << std::endl;
    return Outcome::Restored;
}

bool ResolverSwitch::runResolvectl(const std::vector<std::string>& arguments)
{
    return runProgram(paths.resolvectl, arguments) == 0;
}

bool identifyProcess(long pid, ProcessIdentity& identity)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(file, line)) {
        return false;
    }
    // The name in parentheses may hold blanks and parentheses itself.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) {
        return false;
    }
    // Fields from 3 on follow the name; the start time is field 22.
    std::size_t position = close + 1;
    for (int field = 3; field <= 22; ++field) {
        while (position < line.size() && line[position] == ' ') {
            ++position;
        }
        const std::size_t end = line.find(' ', position);
        if (field == 22) {
            const std::string value = line.substr(position, end - position);
            if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos) {
                return false;
            }
            identity.pid = pid;
            identity.startTime = std::stoull(value);
            return true;
        }
        if (end == std::string::npos) {
            return false;
        }
        position = end;
    }
    return false;
}

} // namespace dns
