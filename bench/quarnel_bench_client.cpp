// The client as the start-up and memory benchmarks run it: main() of the real program
// (application object, message handler, SSL check, Application::start) plus a probe
// that reports on standard output when the connection screen is first painted, when
// the sign-in was answered and when the client has gone idle. Modes:
//   prime LOGIN PASSWORD  remember the user, sign in, say SIGNEDIN <code>
//   start                 say PAINT <ns> (and PHASES, CPU) at the first paint, then end
//   idle                  sign in, let the latency batch finish, settle, say IDLE;
//                         a line "trim" then hands the free heap back (TRIMMED)
// Every mode but start ends when standard input closes. The program ends
// without running the client's destructors, once the settings are written: a client
// that ends waits for the privileged service to lift the kill switch, for seconds when
// no service runs, and none of that belongs to what is measured here.
#include "MonotonicClock.h"

#include "api/NetworkManager.h"
#include "app/Application.h"
#include "connection/ConnectWindow.h"
#include "data/LocalSettings.h"
#include "log/Log.h"

#include <QEvent>
#include <QSettings>
#include <QSocketNotifier>
#include <QSslSocket>
#include <QTimer>

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>

namespace {

constexpr int settleMs = 3000;
constexpr int batchTimeoutMs = 150000;

// One line for the benchmark: a tag and numbers.
void say(const char* tag, std::initializer_list<long long> numbers)
{
    std::printf("%s", tag);
    for (const long long number : numbers)
        std::printf(" %lld", number);
    std::printf("\n");
    std::fflush(stdout);
}

int fail(const char* reason)
{
    std::printf("FAIL %s\n", reason);
    std::fflush(stdout);
    return 1;
}

[[noreturn]] void end(int code)
{
    // Writes what the client stored but has not written yet (the same file as its store).
    QSettings().sync();
    std::fflush(stdout);
    std::_Exit(code);
}

// Ends the program when the benchmark closes our standard input. A line "trim" there
// hands the heap's free memory back to the system first (TRIMMED), which tells how much
// of the resident memory the allocator only keeps.
void endWhenInputCloses()
{
    auto* notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char buffer[256];
        const ssize_t length = read(STDIN_FILENO, buffer, sizeof buffer);
        if (length <= 0)
            end(0);
        if (QByteArray(buffer, int(length)).contains("trim")) {
            malloc_trim(0);
            say("TRIMMED", {getpid()});
        }
    });
}

// Notes the first paint of the connection screen. It watches the whole application,
// because the screen is made inside Application::start.
class FirstPaintProbe : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (paintNs == 0 && event->type() == QEvent::Paint && qobject_cast<ConnectWindow*>(watched) != nullptr) {
            paintNs = monotonicNs();
            paintCpuNs = processCpuNs();
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

    std::int64_t paintNs = 0;
    std::int64_t paintCpuNs = 0;
};

// Waits for the answer to the background sign-in, then for the latency batch that the
// answer starts (the next catalogue update), then lets the client settle.
void reportIdle(NetworkManager* network)
{
    auto signedInAt = std::make_shared<std::int64_t>(0);
    auto done = std::make_shared<bool>(false);
    const auto idle = [done](long long batchMs) {
        if (*done)
            return;
        *done = true;
        say("BATCH", {batchMs});
        QTimer::singleShot(settleMs, qApp, [] {
            const struct mallinfo2 heap = mallinfo2();
            say("HEAP", {static_cast<long long>(heap.uordblks + heap.hblkhd),
                         static_cast<long long>(heap.arena + heap.hblkhd)});
            say("IDLE", {getpid()});
        });
    };
    QObject::connect(network, &NetworkManager::auth, qApp, [signedInAt](NetworkManager::ApiError code) {
        if (*signedInAt == 0) {
            *signedInAt = monotonicNs();
            say("SIGNEDIN", {code});
        }
    });
    QObject::connect(network, &NetworkManager::serverUpdated, qApp, [signedInAt, idle] {
        if (*signedInAt != 0)
            idle((monotonicNs() - *signedInAt) / 1000000);
    });
    QTimer::singleShot(batchTimeoutMs, qApp, [idle] { idle(-1); });
}

} // namespace

int main(int argc, char* argv[])
{
    const std::int64_t mainNs = monotonicNs();
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray("start");

    qputenv("QT_AUTO_SCREEN_SCALE_FACTOR", "1");
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    Application app(argc, argv);
    const std::int64_t appNs = monotonicNs();
    const std::int64_t appCpuNs = processCpuNs();
    if (!QSslSocket::supportsSsl())
        return fail("no SSL library");
    qInstallMessageHandler(messageHandler);
    app.setQuitOnLastWindowClosed(true);

    if (mode == "prime") {
        if (argc < 4)
            return fail("prime needs a login and a password");
        const QSharedPointer<LocalSettings> settings = LocalSettings::instance();
        settings->setValue(QLatin1String(SettingsKey::rememberUser), true);
        settings->setValue(QLatin1String(SettingsKey::login), QString::fromLocal8Bit(argv[2]));
        settings->setValue(QLatin1String(SettingsKey::password), QString::fromLocal8Bit(argv[3]));
    }

    FirstPaintProbe probe;
    if (mode == "start")
        app.installEventFilter(&probe);
    if (!app.start(false))
        return fail("another instance answered");
    const std::int64_t startedNs = monotonicNs();
    const std::int64_t startedCpuNs = processCpuNs();

    if (mode == "prime") {
        QObject::connect(NetworkManager::instance(), &NetworkManager::auth, &app,
                         [](NetworkManager::ApiError code) { say("SIGNEDIN", {code}); });
        endWhenInputCloses();
    } else if (mode == "idle") {
        reportIdle(NetworkManager::instance());
        endWhenInputCloses();
    }

    const int code = app.exec();
    if (probe.paintNs != 0) {
        say("PAINT", {probe.paintNs});
        say("PHASES", {mainNs, appNs, startedNs, probe.paintNs});
        say("CPU", {appCpuNs, startedCpuNs, probe.paintCpuNs});
    }
    end(code);
}
