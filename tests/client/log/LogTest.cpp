#include "log/Log.h"

#include "IsolatedUserDirs.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QThread>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

QStringList reported;

void recordMessage(QtMsgType /*type*/, const QMessageLogContext& /*context*/, const QString& message)
{
    reported.append(message);
}

// Each line of the threads case opens the file anew, which costs milliseconds under Wine:
// fewer lines still interleave the threads there, within the deadline on a busy machine.
#ifdef _WIN32
constexpr int LinesPerThread = 250;
#else
constexpr int LinesPerThread = 1000;
#endif

const QString stampPattern = QStringLiteral(R"(\[(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d\.\d{3})\] )");

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QString text = QString::fromUtf8(file.readAll());
    // The files are written in text mode: each line ends as the system's text files do,
    // and a line with any other ending stays joined to the next and fails its match.
#ifdef Q_OS_WIN
    QStringList lines = text.split(QStringLiteral("\r\n"));
#else
    QStringList lines = text.split(QLatin1Char('\n'));
#endif
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

} // namespace

class TestLog : public QObject
{
    Q_OBJECT

public:
    explicit TestLog(const IsolatedUserDirs& dirs) : dirs(dirs) {}

private slots:
    void init()
    {
        QFile::remove(debugPath());
        QFile::remove(connectionPath());
    }

    void filesLiveInThePrivateTemporaryDirectory()
    {
        QCOMPARE(Log::filePath(Log::debugFileName), dirs.clientTempDir() + "/Quarnel.qDebug.txt");
        QCOMPARE(Log::filePath(Log::connectionFileName), dirs.clientTempDir() + "/Quarnel.log.txt");
    }

    void messageHandlerTagsEachType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("expected");
        QTest::newRow("debug") << int(QtDebugMsg) << "DBG hello";
        QTest::newRow("warning") << int(QtWarningMsg) << "WRN hello";
        QTest::newRow("critical") << int(QtCriticalMsg) << "CRT hello";
        QTest::newRow("fatal") << int(QtFatalMsg) << "FTL hello";
        QTest::newRow("info: no tag, two blanks") << int(QtInfoMsg) << " hello";
    }

    void messageHandlerTagsEachType()
    {
        QFETCH(int, type);
        QFETCH(QString, expected);
        const QDateTime before = QDateTime::currentDateTime().addMSecs(-1000);
        messageHandler(QtMsgType(type), QMessageLogContext(), QStringLiteral("hello"));
        const QStringList lines = readLines(debugPath());
        QCOMPARE(lines.size(), 1);
        const QRegularExpressionMatch match =
            QRegularExpression("^" + stampPattern + QRegularExpression::escape(expected) + "$").match(lines[0]);
        QVERIFY2(match.hasMatch(), qPrintable(lines[0]));
        const QDateTime stamp = QDateTime::fromString(match.captured(1), QStringLiteral("dd.MM.yyyy hh:mm:ss.zzz"));
        QVERIFY(stamp.isValid());
        QVERIFY(stamp >= before && stamp <= QDateTime::currentDateTime().addMSecs(1000));
    }

    void installedHandlerAppendsQtMessages()
    {
        const QtMessageHandler previous = qInstallMessageHandler(messageHandler);
        qDebug("first %d", 1);
        qInfo("second");
        qWarning() << "third" << QStringLiteral("Grüße");
        qInstallMessageHandler(previous);

        const QStringList lines = readLines(debugPath());
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].endsWith("] DBG first 1"));
        QVERIFY(lines[1].endsWith("]  second"));
        QVERIFY2(lines[2].endsWith(QString::fromUtf8("] WRN third \"Grüße\"")), qPrintable(lines[2]));
    }

    void appendLogKeepsLinesWholeAcrossThreads()
    {
        constexpr int threadCount = 8;
        constexpr int linesPerThread = LinesPerThread;
        std::vector<std::unique_ptr<QThread>> threads;
        for (int t = 0; t < threadCount; ++t) {
            threads.emplace_back(QThread::create([t] {
                for (int i = 0; i < linesPerThread; ++i) {
                    appendLog(QStringLiteral("thread %1 line %2 \u03a9").arg(t).arg(i));
                }
            }));
            threads.back()->start();
        }
        for (auto& thread : threads) {
            QVERIFY(thread->wait(60000));
        }

        const QStringList lines = readLines(connectionPath());
        QCOMPARE(lines.size(), threadCount * linesPerThread);
        const QRegularExpression shape("^" + stampPattern + QString::fromUtf8(R"(thread (\d) line (\d+) Ω$)"));
        QSet<QString> seen;
        for (const QString& line : lines) {
            const QRegularExpressionMatch match = shape.match(line);
            QVERIFY2(match.hasMatch(), qPrintable(line));
            seen.insert(match.captured(2) + "/" + match.captured(3));
        }
        QCOMPARE(seen.size(), threadCount * linesPerThread);
    }

    void appendLogAddsToExistingFile()
    {
        appendLog("one");
        appendLog("two");
        const QStringList lines = readLines(connectionPath());
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].endsWith("] one"));
        QVERIFY(lines[1].endsWith("] two"));
    }

    void unwritableFilesDropLines()
    {
        // A directory in place of each file: nothing can be opened.
        QVERIFY(QDir().mkpath(connectionPath()));
        QVERIFY(QDir().mkpath(debugPath()));
        const QStringList entriesBefore = QDir(dirs.clientTempDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        // A failure reported as a Qt message would land in the debug log's handler again.
        reported.clear();
        const QtMessageHandler previous = qInstallMessageHandler(recordMessage);
        appendLog("lost connection line");
        messageHandler(QtWarningMsg, QMessageLogContext(), "lost debug line");
        qInstallMessageHandler(previous);
        QCOMPARE(reported, QStringList());

        // Nothing went anywhere else instead.
        QCOMPARE(QDir(dirs.clientTempDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entriesBefore);
        QVERIFY(QDir(connectionPath()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        QVERIFY(QDir(debugPath()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));

        // Dropped, not held back: once the files can be written, only new lines appear.
        QVERIFY(QDir().rmdir(connectionPath()));
        QVERIFY(QDir().rmdir(debugPath()));
        appendLog("next");
        messageHandler(QtWarningMsg, QMessageLogContext(), "next");
        const QStringList connectionLines = readLines(connectionPath());
        QCOMPARE(connectionLines.size(), 1);
        QVERIFY2(connectionLines[0].endsWith("] next"), qPrintable(connectionLines[0]));
        const QStringList debugLines = readLines(debugPath());
        QCOMPARE(debugLines.size(), 1);
        QVERIFY2(debugLines[0].endsWith("] WRN next"), qPrintable(debugLines[0]));
    }

private:
    QString debugPath() const { return dirs.clientTempDir() + "/Quarnel.qDebug.txt"; }
    QString connectionPath() const { return dirs.clientTempDir() + "/Quarnel.log.txt"; }

    const IsolatedUserDirs& dirs;
};

int main(int argc, char* argv[])
{
    IsolatedUserDirs dirs;
    QCoreApplication app(argc, argv);
    TestLog test(dirs);
    return QTest::qExec(&test, argc, argv);
}

#include "LogTest.moc"
