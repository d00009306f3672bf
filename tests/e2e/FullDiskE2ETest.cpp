#include "ApiSim.h"
#include "ClientProgram.h"
#include "LabTestMain.h"
#include "TunnelLab.h"

#include "data/LocalSettings.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QSettings>
#include <QtTest>

#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace {

TunnelLab* lab = nullptr;
QString unavailable;

const char login[] = "full@example.test";

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Takes every byte the file system of `path` has left.
bool fillUp(const QString& path)
{
    QFile filler(path);
    if (!filler.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    filler.unsetError();
    while (filler.write("x", 1) == 1 && filler.flush()) {
    }
    return true;
}

} // namespace

// The real client program on a full disk: its settings and logs on a tiny file system
// of their own (a tmpfs in a private mount namespace) with no byte left, while the
// remembered user signs in and the web API hands over a catalogue to store.
class TestFullDiskE2E : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!unavailable.isEmpty()) {
            QSKIP(qPrintable("SKIP full disk: " + unavailable));
        }
        QVERIFY2(lab->ok(), qPrintable(lab->failure()));
        QVERIFY2(lab->startService(), qPrintable(lab->failure()));
        // The mount stays in this process and the programs it starts.
        QVERIFY2(unshare(CLONE_NEWNS) == 0, std::strerror(errno));
        QVERIFY2(mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0, std::strerror(errno));
        root = lab->path("disk");
        QVERIFY(QDir().mkpath(root));
        QVERIFY2(mount("tmpfs", QFile::encodeName(root).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                       "size=512k,mode=0700") == 0,
                 std::strerror(errno));
        mounted = true;
        sim = std::make_unique<ApiSim>();
        QVERIFY2(sim->ok(), qPrintable(sim->failure()));
    }

    void cleanupTestCase()
    {
        client.reset();
        sim.reset();
        if (mounted) {
            umount2(QFile::encodeName(root).constData(), MNT_DETACH);
        }
    }

    void settingsSurviveAFullDisk()
    {
        client = std::make_unique<ClientProgram>(root);
        QVERIFY(client->makeFolders());
        {
            QSettings settings(client->settingsFile(), QSettings::IniFormat);
            settings.setValue(SettingsKey::rememberUser, true);
            settings.setValue(SettingsKey::login, login);
            settings.setValue(SettingsKey::password, "secret");
            settings.setValue(SettingsKey::killConnect, false);
            settings.setValue(SettingsKey::advProtocol, "udp");
            settings.setValue(SettingsKey::language, "de");
            settings.sync();
            QCOMPARE(settings.status(), QSettings::NoError);
        }
        const QByteArray before = readAll(client->settingsFile());
        QVERIFY(fillUp(root + "/filler"));
        struct statvfs space = {};
        QVERIFY(statvfs(QFile::encodeName(root).constData(), &space) == 0);
        QCOMPARE(quint64(space.f_bavail), quint64(0));

        // Signed in, with a catalogue to store and lines to log, on a disk with no room.
        sim->takeRequests();
        client->start(sim->httpsBase());
        QVERIFY2(QTest::qWaitFor([this] { return signedIn(); }, 30000), client->output().constData());
        QTest::qWait(3000);
        QVERIFY2(client->running(), client->output().constData());
        QVERIFY2(client->quit(), client->output().constData());
        QCOMPARE(client->exitCode(), 0);
        // Where no log file can be written, the client says so on its error stream.
        QVERIFY2(client->output().contains("The settings could not be saved to " +
                                           QFile::encodeName(client->settingsFile())),
                 client->output().constData());

        // The file is as it was, and nothing half-written lies beside it.
        QCOMPARE(readAll(client->settingsFile()), before);
        QCOMPARE(QDir(QFileInfo(client->settingsFile()).path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"Quarnel.conf"});

        // With room again, the next start goes on from the values stored before the disk
        // filled up, and stores what it is given.
        QVERIFY(QFile::remove(root + "/filler"));
        client->start(sim->httpsBase());
        QVERIFY2(QTest::qWaitFor([this] { return signedIn(); }, 30000), client->output().constData());
        // Read as plain text while the client runs: a QSettings here would take the file's
        // lock at every look and hold up the client's own writes.
        QVERIFY2(QTest::qWaitFor(
                     [this] {
                         const QByteArray text = readAll(client->settingsFile());
                         return text.contains("\ncachedServers=") && !text.contains("\ncachedServers=\n");
                     },
                     15000),
                 client->output().constData());
        QVERIFY2(client->quit(), client->output().constData());
        QSettings stored(client->settingsFile(), QSettings::IniFormat);
        QVERIFY(!stored.value(SettingsKey::cachedServers).toStringList().isEmpty());
        QCOMPARE(stored.value(SettingsKey::language).toString(), QString("de"));
        QCOMPARE(stored.value(SettingsKey::advProtocol).toString(), QString("udp"));
    }

private:
    // Whether the remembered user's sign-in reached the web API since the last look.
    bool signedIn()
    {
        for (const QJsonValue& request : sim->takeRequests()) {
            for (const QJsonValue& item : request.toObject().value("query").toArray()) {
                if (item.toArray().at(0).toString() == "login" && item.toArray().at(1).toString() == login) {
                    return true;
                }
            }
        }
        return false;
    }

    QString root;
    bool mounted = false;
    std::unique_ptr<ApiSim> sim;
    std::unique_ptr<ClientProgram> client;
};

int main(int argc, char* argv[])
{
    unavailable = TunnelLab::unavailableReason();
    return runLabTest<TestFullDiskE2E, QCoreApplication>(argc, argv, unavailable, lab);
}

#include "FullDiskE2ETest.moc"
