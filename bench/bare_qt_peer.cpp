// The peer of the client benchmarks: a Qt Widgets program that does nothing of its own.
//   paint  shows one empty window of the client's size; says PAINT <ns> at its first paint
//   idle   makes the application object only, settles, says IDLE <pid>, ends when
//          standard input closes
#include "MonotonicClock.h"

#include <QApplication>
#include <QEvent>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

#include <cstdio>

namespace {

constexpr int settleMs = 1000;

class FirstPaintProbe : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        Q_UNUSED(watched)
        if (paintNs == 0 && event->type() == QEvent::Paint) {
            paintNs = monotonicNs();
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

    std::int64_t paintNs = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    const bool paint = argc < 2 || QByteArray(argv[1]) == "paint";
    QApplication app(argc, argv);
    if (paint) {
        QWidget window;
        FirstPaintProbe probe;
        window.installEventFilter(&probe);
        window.resize(340, 500);
        window.show();
        const int code = app.exec();
        std::printf("PAINT %lld\n", static_cast<long long>(probe.paintNs));
        return code;
    }

    QTimer::singleShot(settleMs, &app, [] {
        std::printf("IDLE %lld\n", static_cast<long long>(getpid()));
        std::fflush(stdout);
    });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&input] {
        char buffer[256];
        if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
        }
    });
    return app.exec();
}
