#include "connection/ManagementPasswordFile.h"

#include "IsolatedUserDirs.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

IsolatedUserDirs* userDirs = nullptr;

class TestManagementPasswordFile : public QObject
{
    Q_OBJECT

private slots:
    void fileHoldsThePasswordForItsOwnerOnly()
    {
        ManagementPasswordFile file;
        QVERIFY(file.write());
        const QFileInfo info(file.path());
        QCOMPARE(info.absolutePath(), userDirs->clientTempDir());
        QVERIFY(info.fileName().startsWith(QStringLiteral("Quarnel.management-")));
        // On Windows the per-user temporary directory keeps it private; Qt shows no
        // owner-only bits there.
#ifdef Q_OS_UNIX
        QCOMPARE(info.permissions() & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
                 QFile::Permissions());
#endif

        QFile written(file.path());
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), file.password() + "\n");
        // What the service takes as one password line: printable, no blanks.
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{32}$"))
                    .match(QString::fromLatin1(file.password()))
                    .hasMatch());
    }

    void fileGoesWhenRemovedOrWithTheObject()
    {
        QString path;
        {
            ManagementPasswordFile file;
            QVERIFY(file.write());
            path = file.path();
            QVERIFY(QFileInfo::exists(path));
        }
        QVERIFY(!QFileInfo::exists(path));

        ManagementPasswordFile file;
        QVERIFY(file.write());
        path = file.path();
        file.remove();
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(file.path().isEmpty());
        // The password stays known to the connector, which still has to answer with it.
        QCOMPARE(file.password().size(), ManagementPasswordFile::passwordLength);
    }

    void everyRunGetsAFreshPassword()
    {
        QSet<QByteArray> seen;
        for (int i = 0; i < 200; ++i) {
            seen.insert(ManagementPasswordFile().password());
        }
        QCOMPARE(seen.size(), 200);
    }
};

int main(int argc, char** argv)
{
    IsolatedUserDirs dirs;
    userDirs = &dirs;
    QCoreApplication app(argc, argv);
    TestManagementPasswordFile test;
    return QTest::qExec(&test, argc, argv);
}

#include "ManagementPasswordFileTest.moc"
