#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sys/stat.h>
#include <vector>

namespace {

// How long a client process may take to start or to end: generous, as these are
// sanitized builds on a machine that may be busy with other tests.
constexpr int processDeadlineMs = 60000;

} // namespace

// Real client processes sharing one user's private directories.
class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        root = std::make_unique<QTemporaryDir>();
        QVERIFY(root->isValid());
        environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "HOME"}) {
            const QString dir = root->path() + "/" + QString::fromLatin1(name).toLower();
            QVERIFY(QDir().mkpath(dir));
            QVERIFY(chmod(QFile::encodeName(dir).constData(), 0700) == 0);
            environment.insert(name, dir);
        }
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        clientDir = environment.value("XDG_RUNTIME_DIR") + "/quarnel";
#ifdef Q_OS_WIN
        // There the client's own directory is the per-user temporary directory.
        QVERIFY(QDir().mkpath(clientDir));
        environment.insert("TEMP", QDir::toNativeSeparators(clientDir));
        environment.insert("TMP", QDir::toNativeSeparators(clientDir));
#endif
    }

    void cleanup()
    {
        for (auto& process : processes) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
        processes.clear();
    }

    void secondStartWakesFirstAndExits_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no options") << QStringList();
        QTest::newRow("-h") << QStringList{"-h"};
        QTest::newRow("-a") << QStringList{"-a"};
    }

    void secondStartWakesFirstAndExits()
    {
        QFETCH(QStringList, arguments);
        QProcess* first = startFirst({"-h"});
        QVERIFY(first);

        QProcess* second = launch(arguments);
        QVERIFY(second->waitForFinished(processDeadlineMs));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);

        QCOMPARE(first->state(), QProcess::Running);
        QTRY_VERIFY(debugLog().contains("Wake-up message received"));
        // One wake-up: the second start's first attempt was confirmed, it did not retry
        // after waiting out an unconfirmed one. And it never became an instance itself.
        QCOMPARE(debugLog().count("Wake-up message received"), 1);
        QCOMPARE(debugLog().count("started"), 1);
    }

    // A client killed outright leaves its lock file and socket behind; the next start
    // must take over instead of trying to wake a dead instance.
    void staleLockIsRecovered()
    {
        QProcess* crashed = startFirst({"-h"});
        QVERIFY(crashed);
        crashed->kill();
        QVERIFY(crashed->waitForFinished(5000));
        QVERIFY(QFile::exists(clientDir + "/Lodestar.lock"));
#ifndef Q_OS_WIN
        // (On Windows the instance listens on a named pipe, which goes with its process.)
        QVERIFY(QFile::exists(clientDir + "/Lodestar.socket"));
#endif
        QFile::remove(clientDir + "/Quarnel.qDebug.txt");

        // The next start becomes the running instance, and a later start wakes it.
        QProcess* next = startFirst({"-h"});
        QVERIFY(next);
        QProcess* third = launch({});
        QVERIFY(third->waitForFinished(processDeadlineMs));
        QCOMPARE(third->exitCode(), 0);
        QCOMPARE(next->state(), QProcess::Running);
        QTRY_VERIFY(debugLog().contains("Wake-up message received"));
    }

private:
    QProcess* launch(const QStringList& arguments)
    {
        processes.push_back(std::make_unique<QProcess>());
        QProcess* process = processes.back().get();
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->start(QUARNEL_BIN, arguments);
        return process;
    }

    // Starts a client and waits until it has become the running instance.
    QProcess* startFirst(const QStringList& arguments)
    {
        QProcess* process = launch(arguments);
        QElapsedTimer clock;
        clock.start();
        while (!debugLog().contains("started")) {
            if (clock.hasExpired(processDeadlineMs) || process->waitForFinished(20)) {
                return nullptr;
            }
        }
        return process;
    }

    QString debugLog() const
    {
        QFile file(clientDir + "/Quarnel.qDebug.txt");
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    std::unique_ptr<QTemporaryDir> root;
    QProcessEnvironment environment;
    QString clientDir;
    std::vector<std::unique_ptr<QProcess>> processes;
};

QTEST_GUILESS_MAIN(TestStartup)
#include "StartupTest.moc"
