#include "app/Application.h"
#include "ui/MainWindow.h"

#include "IsolatedUserDirs.h"

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QWidget>
#include <QtTest>

namespace {

QStringList reported;

void recordMessage(QtMsgType /*type*/, const QMessageLogContext& /*context*/, const QString& message)
{
    reported.append(message);
}

} // namespace

// This process is the running instance; real second starts of the client (and a small
// sender of arbitrary texts) talk to it through the single-instance channel.
class TestApplication : public QObject
{
    Q_OBJECT

public:
    explicit TestApplication(Application& app) : app(app) {}

private slots:
    void initTestCase()
    {
        qRegisterMetaType<QProcess::ExitStatus>();
        QVERIFY(!app.isRunning());
        QCOMPARE(app.organizationName(), QStringLiteral("CPKV"));
        QCOMPARE(app.applicationName(), QStringLiteral("Quarnel"));
        QCOMPARE(app.id(), QStringLiteral("Lodestar"));

        // A wake-up before the window exists makes none and is not kept for later.
        reported.clear();
        const QtMessageHandler previous = qInstallMessageHandler(recordMessage);
        app.handleMessage(wakeUpMessage);
        qInstallMessageHandler(previous);
        QVERIFY(app.window() == nullptr);
        QVERIFY2(!reported.join('\n').contains("Wake-up message received"), qPrintable(reported.join('\n')));

        QVERIFY(app.start(true));
        QVERIFY(app.window() != nullptr);
        QCOMPARE(app.window()->windowTitle(), QStringLiteral("Quarnel"));
        // Hidden to the tray; a desktop without one (offscreen has none) shows the window,
        // which would otherwise be out of reach.
        QCOMPARE(app.window()->isVisible(), !QSystemTrayIcon::isSystemTrayAvailable());
        QVERIFY(!app.window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void options_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("none") << QStringList{"quarnel"} << false;
        QTest::newRow("-h") << QStringList{"quarnel", "-h"} << true;
        QTest::newRow("-a alone shows the window") << QStringList{"quarnel", "-a"} << false;
        QTest::newRow("-a -h") << QStringList{"quarnel", "-a", "-h"} << true;
    }

    void options()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, hidden);
        QCOMPARE(Application::parseHidden(arguments), hidden);
    }

    void secondStartWakesThisInstance_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no options") << QStringList();
        QTest::newRow("-h") << QStringList{"-h"};
        QTest::newRow("-a") << QStringList{"-a"};
    }

    void secondStartWakesThisInstance()
    {
        QFETCH(QStringList, arguments);
        resetWindow();
        QSignalSpy received(&app, &SingleApplication::messageReceived);

        QCOMPARE(runToEnd(QUARNEL_BIN, arguments), 0);
        // Its first attempt was confirmed: a retry after an unconfirmed one would bring
        // a second message.
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(0).toString(), wakeUpMessage);

        QWidget* window = app.window();
        QTRY_VERIFY(window->isVisible());
        QVERIFY(!window->isMinimized());
        // Windows puts the window top-most through SetWindowPos on its handle, which the
        // offscreen platform has not got (platform_win32window_test checks that call).
#ifndef Q_OS_WIN
        QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
#endif
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            // Its frame's corner where half the screen less half the window puts it (Windows
            // draws a frame around the window; the offscreen platform there, too), within a
            // few pixels: the frame may change when the window is put on top.
            const QRect area = screen->geometry();
            const QPoint corner(area.left() + area.width() / 2 - window->width() / 2,
                                area.top() + area.height() / 2 - window->height() / 2);
            const QPoint offset = window->frameGeometry().topLeft() - corner;
            QVERIFY2(offset.manhattanLength() <= 8, qPrintable(QString("%1,%2").arg(offset.x()).arg(offset.y())));
        }
    }

    void otherMessagesChangeNothing_data()
    {
        QTest::addColumn<QString>("message");
        QTest::newRow("lower case") << "wake up!";
        QTest::newRow("capitals") << "WAKE UP!";
        QTest::newRow("trailing blank") << "Wake up! ";
        QTest::newRow("no mark") << "Wake up";
        QTest::newRow("other text") << "Hello";
    }

    void otherMessagesChangeNothing()
    {
        QFETCH(QString, message);
        resetWindow();
        QSignalSpy received(&app, &SingleApplication::messageReceived);
        // Exit code 0: the instance confirmed it received the text.
        QCOMPARE(runToEnd(SEND_MESSAGE_BIN, {message}), 0);
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(0).toString(), message);
        QVERIFY(!app.window()->isVisible());
        QVERIFY(!app.window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void exactWakeUpTextFromAnySender()
    {
        resetWindow();
        QCOMPARE(runToEnd(SEND_MESSAGE_BIN, {"Wake up!"}), 0);
        QTRY_VERIFY(app.window()->isVisible());
    }

    void runningInstanceDoesNotMessageItself()
    {
        QVERIFY(!app.sendMessage(wakeUpMessage, 100));
    }

private:
    void resetWindow()
    {
        QWidget* window = app.window();
        window->hide();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, false);
        window->move(0, 0);
        QVERIFY(!window->isVisible());
    }

    // Runs a program with this process's environment and returns its exit code (-1 when
    // it crashed or did not end within 60 s, generous for a loaded machine under the
    // sanitizers). Waits in an event loop: this process has to answer the program meanwhile.
    int runToEnd(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        QSignalSpy finished(&process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished));
        process.start(program, arguments);
        if (!finished.wait(60000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    Application& app;
};

int main(int argc, char* argv[])
{
    IsolatedUserDirs dirs;
    Application app(argc, argv);
    TestApplication test(app);
    return QTest::qExec(&test, argc, argv);
}

#include "ApplicationTest.moc"
