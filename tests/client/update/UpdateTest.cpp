#include "update/SoftwareUpdater.h"

#include "api/NetworkManager.h"
#include "platform/ClientTempDir.h"
#include "update/InstallerLauncher.h"
#include "update/ProgressDlg.h"
#include "update/UpdateBackoff.h"

#include "ApiSim.h"
#include "ClientTestMain.h"

#include <QDirIterator>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// The names of the updater's outcome signals, in the order they came.
struct SignalLog
{
    explicit SignalLog(SoftwareUpdater& updater)
    {
        const auto record = [&](auto signal, const char* name) {
            QObject::connect(&updater, signal, &updater, [this, name] { names.append(QLatin1String(name)); });
        };
        record(&SoftwareUpdater::newUpdate, "newUpdate");
        record(&SoftwareUpdater::versionError, "versionError");
        record(&SoftwareUpdater::remoteVersion, "remoteVersion");
        record(&SoftwareUpdater::downloadComplited, "downloadComplited");
        record(&SoftwareUpdater::downloadFailed, "downloadFailed");
        record(&SoftwareUpdater::installFailed, "installFailed");
    }
    QStringList names;
};

QStringList downloadsLeft()
{
    QStringList files;
    QDirIterator it(platform::clientTempDirectory(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    return files.filter(QStringLiteral("/download-"));
}

// Lets queued signals and zero timers run without waiting for anything else.
void drainEvents()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

const QString installerLink = QStringLiteral("{base}/download/quarnel_update.exe");

} // namespace

// The updater against the web API simulator over real HTTPS (the installer step goes
// to a recording launcher, never to the system), and its progress dialog.
class UpdateTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        sim = std::make_unique<ApiSim>();
        QVERIFY2(sim->ok(), qPrintable(sim->failure()));
        QVERIFY(!platform::clientTempDirectory().isEmpty());
        setInstallerLauncher([this](const QString& path) {
            // The installer must still be there when it is started.
            launched.append(QFileInfo::exists(path) ? path : QStringLiteral("missing ") + path);
            return launchWorks;
        });
    }

    void init()
    {
        QVERIFY(sim->reset());
        network = std::make_unique<NetworkManager>();
        launched.clear();
        launchWorks = true;
    }

    void cleanup()
    {
        network.reset();
        const QDir dir(platform::clientTempDirectory());
        for (const QString& name : dir.entryList({QStringLiteral("download-*")}, QDir::Dirs))
            QDir(dir.filePath(name)).removeRecursively();
    }

    void decision_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("expected");
        const QStringList offered{"remoteVersion", "newUpdate"};
        const QStringList quiet{"remoteVersion"};
        const QStringList error{"versionError"};
        QTest::newRow("same version") << "3.7.0" << installerLink << QString() << quiet;
        QTest::newRow("newer patch") << "3.7.1" << installerLink << QString() << offered;
        QTest::newRow("newer minor") << "3.8" << installerLink << QString() << offered;
        QTest::newRow("bare major is not scaled") << "4" << installerLink << QString() << quiet;
        QTest::newRow("older") << "3.6.9" << installerLink << QString() << quiet;
        // 30000 × 100000 does not fit an int.
        QTest::newRow("huge major") << "30000.0" << installerLink << QString() << offered;
        QTest::newRow("no link") << "3.9.0" << QString() << QString() << error;
        QTest::newRow("no answer") << "3.9.0" << installerLink << "500" << error;
    }

    void decision()
    {
        QFETCH(QString, version);
        QFETCH(QString, link);
        QFETCH(QString, fault);
        QFETCH(QStringList, expected);
        setUpdate(version, link);
        if (!fault.isEmpty())
            QVERIFY(sim->control(QStringLiteral("fault=") + fault));
        SoftwareUpdater updater(network.get());
        SignalLog log(updater);
        QSignalSpy remote(&updater, &SoftwareUpdater::remoteVersion);
        updater.check();
        QTRY_VERIFY_WITH_TIMEOUT(!log.names.isEmpty(), 30000);
        drainEvents();
        QCOMPARE(log.names, expected);
        if (!remote.isEmpty())
            QCOMPARE(remote.first().first().toString(), version);
    }

    void downloadShowsProgressThenStartsTheInstaller()
    {
        // Sixteen chunks with a pause between them, so that progress is seen on the way.
        QVERIFY(sim->control(QStringLiteral("installer_size=262144&chunk_delay=0.12")));
        setUpdate(QStringLiteral("3.8.0"), QStringLiteral("{base}/download/quarnel_update.deb"));
        SoftwareUpdater updater(network.get());
        offerUpdate(updater);
        SignalLog log(updater);
        QSignalSpy progress(&updater, &SoftwareUpdater::progressDownload);
        QSignalSpy completed(&updater, &SoftwareUpdater::downloadComplited);
        // As the main window does when it closes its dialog.
        connect(&updater, &SoftwareUpdater::downloadComplited, &updater, &SoftwareUpdater::cancelDownloadUpdate);
        updater.downloadUpdate();
        QVERIFY(completed.wait(30000));

        const QString path = completed.first().first().toString();
        QCOMPARE(QFileInfo(path).fileName(), installerFileName(QStringLiteral("quarnel_update.deb")));
        QVERIFY2(path.startsWith(platform::clientTempDirectory() + QLatin1Char('/')), qPrintable(path));
        QCOMPARE(launched, QStringList{QDir::toNativeSeparators(path)});
        QCOMPARE(log.names, QStringList{"downloadComplited"});
        QVERIFY2(progress.count() >= 3, qPrintable(QString::number(progress.count())));
        QList<float> values;
        for (const QList<QVariant>& signal : progress)
            values.append(signal.first().toFloat());
        QVERIFY(std::is_sorted(values.begin(), values.end()) && values.first() < 0.5f && values.last() == 1.0f);

        // The installer stays for the system to run.
        QFile file(path);
        QCOMPARE(file.size(), qint64(262144));
    }

    void downloadFailure_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("link");
        QTest::newRow("server error") << "500" << installerLink;
        QTest::newRow("connection closed") << "close" << installerLink;
        // Only a certificate-checked download may reach the installer.
        QTest::newRow("plain-HTTP link") << QString() << sim->httpBase() + QStringLiteral("/download/x.exe");
    }

    void downloadFailure()
    {
        QFETCH(QString, fault);
        QFETCH(QString, link);
        setUpdate(QStringLiteral("3.8.0"), link);
        SoftwareUpdater updater(network.get());
        offerUpdate(updater);
        if (!fault.isEmpty())
            QVERIFY(sim->control(QStringLiteral("match=/download/&fault=") + fault));
        sim->takeRequests();
        SignalLog log(updater);
        QSignalSpy failed(&updater, &SoftwareUpdater::downloadFailed);
        updater.downloadUpdate();
        // Never at once: the caller shows its dialog after asking for the download.
        QCOMPARE(failed.count(), 0);
        QVERIFY(failed.wait(20000));
        drainEvents();
        QCOMPARE(log.names, QStringList{"downloadFailed"});
        QVERIFY(launched.isEmpty());
        QCOMPARE(downloadsLeft(), QStringList());
        if (fault.isEmpty())
            QCOMPARE(sim->takeRequests().size(), 0);
    }

    void installFailureRemovesTheInstaller()
    {
        launchWorks = false;
        SoftwareUpdater updater(network.get());
        offerUpdate(updater);
        SignalLog log(updater);
        QSignalSpy failed(&updater, &SoftwareUpdater::installFailed);
        updater.downloadUpdate();
        QVERIFY(failed.wait(30000));
        QCOMPARE(log.names, (QStringList{"downloadComplited", "installFailed"}));
        QCOMPARE(launched.size(), 1);
        QCOMPARE(downloadsLeft(), QStringList());
    }

    // Cancelled before the refusal of its link is delivered.
    void cancelledDownloadStaysSilent()
    {
        setUpdate(QStringLiteral("3.8.0"), sim->httpBase() + QStringLiteral("/download/x.exe"));
        SoftwareUpdater updater(network.get());
        offerUpdate(updater);
        SignalLog log(updater);
        updater.downloadUpdate();
        updater.cancelDownloadUpdate();
        drainEvents();
        QCOMPARE(log.names, QStringList());
    }

    void installerFileNameIsAPlainName()
    {
        const QString base = QStringLiteral("https://cdn.example.test/d/");
#ifdef _WIN32
        // Windows starts the installer itself, so the name never comes from the link.
        for (const char* link : {"quarnel_3.8.0_amd64.deb?t=1", "", "..", "-x.deb", "a%20b%3B.deb"})
            QCOMPARE(installerFileName(base + link), QStringLiteral("quarnel_update.exe"));
#else
        QCOMPARE(installerFileName(base + "quarnel_3.8.0_amd64.deb?t=1"), QStringLiteral("quarnel_3.8.0_amd64.deb"));
        for (const char* odd : {"", "..", "-x.deb", "a%20b%3B.deb"})
            QCOMPARE(installerFileName(base + odd), QStringLiteral("quarnel_update"));
#endif
    }

    void backoffDoublesUpToFiveMinutes()
    {
        UpdateBackoff backoff;
        QList<int> delays;
        for (int i = 0; i < 11; ++i)
            delays.append(backoff.nextDelayMs() / 1000);
        QCOMPARE(delays, (QList<int>{1, 2, 4, 8, 16, 32, 64, 128, 256, 300, 300}));
        backoff.reset();
        QCOMPARE(backoff.nextDelayMs(), 1000);
        QCOMPARE(backoff.nextDelayMs(), 2000);
    }

    void barShowsTheFractionAsPercent()
    {
        ProgressDlg dialog;
        auto* bar = dialog.findChild<QProgressBar*>();
        QCOMPARE(bar->value(), 0);
        const QList<QPair<float, int>> steps{{0.5f, 50}, {0.259f, 25}, {-3.0f, 25}, {std::nanf(""), 25}, {1.0f, 100}};
        for (const auto& [value, shown] : steps) {
            dialog.setProgress(value);
            QCOMPARE(bar->value(), shown);
        }
    }

    void cancelMayDeleteTheDialog_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"click", "space", "escape", "close"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }

    // The main window releases the dialog as soon as it hears cancel().
    void cancelMayDeleteTheDialog()
    {
        QFETCH(QString, how);
        auto* dialog = new ProgressDlg;
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        int cancels = 0;
        connect(dialog, &ProgressDlg::cancel, this, [&] {
            ++cancels;
            delete dialog;
            dialog = nullptr;
        });
        auto* button = dialog->findChild<QPushButton*>();
        if (how == QLatin1String("click"))
            QTest::mouseClick(button, Qt::LeftButton);
        else if (how == QLatin1String("space") && QApplication::focusWidget() == button)
            QTest::keyClick(button, Qt::Key_Space);
        else if (how == QLatin1String("escape"))
            QTest::keyClick(dialog, Qt::Key_Escape);
        else if (how == QLatin1String("close"))
            dialog->close();
        QCOMPARE(cancels, 1);
        QVERIFY(dialog == nullptr);
    }

private:
    // `link` may use the simulator's "{base}".
    void setUpdate(const QString& version, const QString& link)
    {
        QVERIFY(sim->control(QStringLiteral("update_version=") + QUrl::toPercentEncoding(version) +
                             QStringLiteral("&update_link=") + QUrl::toPercentEncoding(link)));
    }

    void offerUpdate(SoftwareUpdater& updater)
    {
        QSignalSpy offered(&updater, &SoftwareUpdater::newUpdate);
        updater.check();
        QVERIFY(offered.wait(20000));
    }

    std::unique_ptr<ApiSim> sim;
    std::unique_ptr<NetworkManager> network;
    QStringList launched;
    bool launchWorks = true;
};

int main(int argc, char* argv[])
{
    return runClientTest<UpdateTest>(argc, argv);
}

#include "UpdateTest.moc"
