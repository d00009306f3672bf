#include "app/Application.h"

#include "app/ConnectionShell.h"
#include "platform/WindowRaise.h"

#include "Version.h"

#include <QCommandLineParser>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {

const QString instanceIdentifier = QStringLiteral("Lodestar");
constexpr int wakeUpAttempts = 2;
constexpr int wakeUpTimeoutMs = 500;
constexpr int wakeUpPauseMs = 100;

} // namespace

Application::Application(int& argc, char** argv) : SingleApplication(instanceIdentifier, argc, argv)
{
    // Asked only for its side effect: the first instance becomes the listening one.
    isRunning();
    setOrganizationName(QStringLiteral("CPKV"));
    setApplicationName(QStringLiteral("Quarnel"));
    connect(this, &SingleApplication::messageReceived, this, &Application::handleMessage);
}

Application::~Application() = default;

bool Application::parseHidden(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption hiddenOption(QStringLiteral("h"), QStringLiteral("Run appplication hidden"));
    const QCommandLineOption autostartOption(QStringLiteral("a"), QStringLiteral("Autostart mode"));
    parser.addOption(hiddenOption);
    parser.addOption(autostartOption);
    parser.process(arguments);
    return parser.isSet(hiddenOption);
}

bool Application::start(bool hidden)
{
    for (int attempt = 0; attempt < wakeUpAttempts; ++attempt) {
        processEvents();
        if (sendMessage(wakeUpMessage, wakeUpTimeoutMs)) {
            return false;
        }
        QEventLoop pause;
        QTimer::singleShot(wakeUpPauseMs, &pause, &QEventLoop::quit);
        pause.exec();
    }

    // The connection screen in a plain window stands in for the main window until the
    // other screens exist.
    mainWindow = std::make_unique<ConnectionShell>();

    if (hidden) {
        mainWindow->hide();
    } else {
        showWindow();
    }
    qInfo("Quarnel %s started%s", clientVersion, hidden ? " hidden" : "");
    return true;
}

QWidget* Application::window() const
{
    return mainWindow.get();
}

void Application::showWindow()
{
    mainWindow->showNormal();
    mainWindow->activateWindow();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = mainWindow->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        mainWindow->move(frame.topLeft());
    }
    mainWindow->raise();
}

void Application::handleMessage(const QString& cmd)
{
    if (cmd != wakeUpMessage || !mainWindow) {
        return;
    }
    qDebug("Wake-up message received: showing the main window");
    showWindow();
    mainWindow->activateWindow();
    platform::makeTopMost(mainWindow.get());
}
