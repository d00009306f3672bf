#include "app/Application.h"

#include "connection/ConnectWindow.h"
#include "platform/TerminationRequest.h"
#include "platform/WindowRaise.h"
#include "ui/MainWindow.h"

#include "Version.h"

#include <QCommandLineParser>
#include <QEventLoop>
#include <QTimer>

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
    // The attempts are for an instance that holds the lock; when this one holds it there
    // is nobody to wake, and the pauses would only delay the first frame.
    for (int attempt = 0; isRunning() && attempt < wakeUpAttempts; ++attempt) {
        processEvents();
        if (sendMessage(wakeUpMessage, wakeUpTimeoutMs)) {
            return false;
        }
        QEventLoop pause;
        QTimer::singleShot(wakeUpPauseMs, &pause, &QEventLoop::quit);
        pause.exec();
    }

    mainWindow = std::make_unique<MainWindow>();
    // Ended from outside, the client still takes its tunnel and firewall rules down. The
    // end of a Windows session quits the event loop without returning from it, so the
    // shutdown also runs when the loop is about to end (it runs once).
    platform::onTerminationRequest(this, [this] { mainWindow->endSession(); });
    connect(this, &QCoreApplication::aboutToQuit, this, [this] { mainWindow->connectionScreen()->shutdown(); });
    mainWindow->beginSession();
    if (hidden) {
        mainWindow->onHide();
    } else {
        mainWindow->onShow();
    }
    qInfo("Quarnel %s started%s", clientVersion, hidden ? " hidden" : "");
    return true;
}

MainWindow* Application::window() const
{
    return mainWindow.get();
}

void Application::handleMessage(const QString& cmd)
{
    if (cmd != wakeUpMessage || !mainWindow) {
        return;
    }
    qDebug("Wake-up message received: showing the main window");
    mainWindow->onShow();
    mainWindow->activateWindow();
    platform::makeTopMost(mainWindow.get());
}
