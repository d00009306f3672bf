#include "platform/CommandOutput.h"

#include <QElapsedTimer>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace platform {

namespace {

// argv/envp arrays over byte strings that live as long as the object.
class CStrings
{
public:
    explicit CStrings(const QList<QByteArray>& strings) : bytes(strings)
    {
        for (QByteArray& text : bytes)
            pointers.push_back(text.data());
        pointers.push_back(nullptr);
    }
    char* const* get() { return pointers.data(); }

private:
    QList<QByteArray> bytes;
    std::vector<char*> pointers;
};

} // namespace

QByteArray commandOutput(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                         int timeoutMs)
{
    QList<QByteArray> argv{QFile::encodeName(program)};
    for (const QString& argument : arguments)
        argv << argument.toLocal8Bit();
    QList<QByteArray> envp;
    for (const QString& entry : environment.toStringList())
        envp << entry.toLocal8Bit();
    CStrings args(argv);
    CStrings env(envp);

    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    // The child starts with no blocked and no ignored signals, whatever this thread has.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    // The program is looked up in this process's PATH, as QProcess does.
    const int spawned = posix_spawnp(&pid, argv.first().constData(), &actions, &attributes, args.get(), env.get());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return {};
    }

    QByteArray output;
    QElapsedTimer clock;
    clock.start();
    char buffer[4096];
    for (;;) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            break;
        pollfd readable{out[0], POLLIN, 0};
        const int ready = poll(&readable, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        const ssize_t got = read(out[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break; // end of output: the program closed it or ended
        output.append(buffer, static_cast<int>(got));
    }
    close(out[0]);
    // The output ends when the program does; one that closed it early and runs on is
    // waited for until the time-out, then killed.
    int status = 0;
    for (;;) {
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == pid || (ended < 0 && errno != EINTR))
            break;
        if (clock.elapsed() >= timeoutMs) {
            kill(pid, SIGKILL);
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            break;
        }
        usleep(1000);
    }
    return output;
}

} // namespace platform
