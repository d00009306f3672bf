#include "platform/linux/PrivateDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t otherUid = 65534; // nobody

mode_t modeOf(const QString& path)
{
    struct stat st;
    return lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

} // namespace

class TestPrivateDirectory : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        root = std::make_unique<QTemporaryDir>();
        QVERIFY(root->isValid());
        runtime = root->path() + "/runtime";
        temp = root->path() + "/tmp";
        QVERIFY(QDir().mkpath(runtime) && QDir().mkpath(temp));
        QVERIFY(chmod(QFile::encodeName(runtime).constData(), 0700) == 0);
        QVERIFY(chmod(QFile::encodeName(temp).constData(), 01777) == 0);
    }

    void usesRuntimeDirectory()
    {
        const QString dir = platform::resolveClientTempDirectory(runtime, temp);
        QCOMPARE(dir, runtime + "/quarnel");
        QCOMPARE(modeOf(dir), mode_t(0700));
        // A second resolution accepts what the first one made.
        QCOMPARE(platform::resolveClientTempDirectory(runtime, temp), dir);
    }

    void fallsBackWhenRuntimeDirectoryUnusable_data()
    {
        QTest::addColumn<QString>("runtimeDir");
        QTest::addColumn<bool>("openRuntime");
        QTest::newRow("unset") << QString() << false;
        QTest::newRow("relative") << QString("relative/dir") << false;
        QTest::newRow("missing") << QString("/nonexistent/quarnel-test") << false;
        QTest::newRow("open to others") << QString("<runtime>") << true;
    }

    void fallsBackWhenRuntimeDirectoryUnusable()
    {
        QFETCH(QString, runtimeDir);
        QFETCH(bool, openRuntime);
        if (openRuntime) {
            QVERIFY(chmod(QFile::encodeName(runtime).constData(), 0755) == 0);
            runtimeDir = runtime;
        }
        const QString dir = platform::resolveClientTempDirectory(runtimeDir, temp);
        QCOMPARE(dir, temp + "/quarnel-" + QString::number(geteuid()));
        QCOMPARE(modeOf(dir), mode_t(0700));
    }

    void refusesPlantedEntries_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("link to a directory") << "link";
        QTest::newRow("plain file") << "file";
        QTest::newRow("directory open to others") << "open";
        QTest::newRow("directory of another user") << "foreign";
    }

    // Another user may create the fixed name in the shared temporary directory first;
    // the client must neither follow nor use it.
    void refusesPlantedEntries()
    {
        QFETCH(QString, kind);
        const QString fixed = temp + "/quarnel-" + QString::number(geteuid());
        const QString target = root->path() + "/elsewhere";
        QVERIFY(QDir().mkpath(target));
        if (kind == "link") {
            QVERIFY(QFile::link(target, fixed));
        } else if (kind == "file") {
            QFile f(fixed);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QDir().mkpath(fixed));
            QVERIFY(chmod(QFile::encodeName(fixed).constData(), kind == "open" ? 0777 : 0700) == 0);
            if (kind == "foreign") {
                if (geteuid() != 0) {
                    QSKIP("SKIP: changing a directory's owner needs root");
                }
                QVERIFY(chown(QFile::encodeName(fixed).constData(), otherUid, otherUid) == 0);
            }
        }

        const QString dir = platform::resolveClientTempDirectory(QString(), temp);
        QVERIFY2(dir.startsWith(fixed + "-") && dir.size() == fixed.size() + 7, qPrintable(dir));
        QCOMPARE(modeOf(dir), mode_t(0700));
        QVERIFY(QDir(target).isEmpty());
    }

    void reportsFailure()
    {
        QVERIFY(!platform::ensurePrivateDirectory(QString()));
        QVERIFY(platform::resolveClientTempDirectory(QString(), QString()).isEmpty());
        QVERIFY(platform::resolveClientTempDirectory(QString(), "/proc").isEmpty());
    }

private:
    std::unique_ptr<QTemporaryDir> root;
    QString runtime;
    QString temp;
};

QTEST_GUILESS_MAIN(TestPrivateDirectory)
#include "PrivateDirectoryTest.moc"
