#include "api/ApiSettings.h"
#include "api/DownloadFile.h"
#include "api/GetManager.h"
#include "api/ReachabilityQt.h"
#include "api/ReplyTimeout.h"

#include "platform/FreePort.h"

#include "IsolatedUserDirs.h"
#include "ScriptedHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSslKey>
#include <QDir>
#include <QtTest>

#include <memory>

namespace {

using Step = ScriptedHttpServer::Step;

QList<Step> repeat(const Step& step, int times)
{
    QList<Step> steps;
    for (int i = 0; i < times; ++i)
        steps << step;
    return steps;
}

} // namespace

// The request channel, the download and the probe against servers on loopback
// that this test scripts; TLS certificates come from two CAs made while building
// (make-test-pki.sh), one of them trusted through QUARNEL_API_CA as the demo and
// the tests of the client do.
class TestHttpHelpers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const char* name : {"trusted-ca", "rogue-ca", "good", "stranger", "misnamed"})
            QVERIFY2(QFileInfo::exists(pem(name)), qPrintable(pem(name)));
        qputenv("QUARNEL_API_CA", QFile::encodeName(pem("trusted-ca")));
    }

    void init() { server = std::make_unique<ScriptedHttpServer>(); }

    // Up to five failed attempts are hidden from the handler; it runs once, with
    // the body of the attempt that succeeded or with the error of the sixth.
    void retriesBeforeReporting_data()
    {
        QTest::addColumn<int>("failures");
        QTest::addColumn<bool>("success");
        QTest::addColumn<int>("attempts");
        QTest::newRow("answers at once") << 0 << true << 1;
        QTest::newRow("fails twice, then answers") << 2 << true << 3;
        QTest::newRow("fails five times, then answers") << 5 << true << 6;
        QTest::newRow("fails six times") << 6 << false << 6;
        QTest::newRow("fails always") << 100 << false << 6;
    }

    void retriesBeforeReporting()
    {
        QFETCH(int, failures);
        QFETCH(bool, success);
        QFETCH(int, attempts);
        startTlsServer("good");
        QList<Step> steps;
        for (int i = 0; i < failures; ++i)
            steps << ScriptedHttpServer::answer(500, "failure " + QByteArray::number(i + 1));
        steps << ScriptedHttpServer::answer(200, "answer after " + QByteArray::number(failures));
        server->script(steps);

        GetManager channel(5000, nullptr);
        QSignalSpy finished(&channel, &GetManager::finished);
        channel.get(QUrl(server->baseUrl() + "/connect?ver=3.7.0&act=time"), 0);
        QVERIFY(finished.wait(20000));

        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toInt(), 0);
        QCOMPARE(server->requests, attempts);
        QCOMPARE(server->targets.last(), QStringLiteral("/connect?ver=3.7.0&act=time"));
        QCOMPARE(channel.isSuccess(), success);
        if (success) {
            QCOMPARE(channel.getData(), "answer after " + QByteArray::number(failures));
            QVERIFY(channel.getErrorString().isEmpty());
        } else {
            QVERIFY(!channel.getErrorString().isEmpty());
        }
    }

    // Each attempt at a server that never answers is cut at the channel's
    // deadline; the handler hears of it once, after the sixth.
    void silentServerFailsAfterSixDeadlines()
    {
        startTlsServer("good");
        const int deadline = 200;
        GetManager channel(deadline, nullptr);
        QSignalSpy finished(&channel, &GetManager::finished);
        QElapsedTimer clock;
        clock.start();
        channel.get(QUrl(server->baseUrl() + "/connect"), 0);
        QVERIFY(finished.wait(20000));

        QVERIFY(clock.elapsed() >= 6 * deadline);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(server->requests, 6);
        QVERIFY(!channel.isSuccess());
        QCOMPARE(channel.getErrorString(), QStringLiteral("Operation canceled"));
    }

    // A channel that gave up on one request has all its attempts again for the
    // next, and a success clears the old error.
    void channelServesTheNextRequestAfresh()
    {
        startTlsServer("good");
        server->script(repeat(ScriptedHttpServer::answer(503, "down"), 6) +
                       repeat(ScriptedHttpServer::answer(503, "down"), 5) +
                       QList<Step>{ScriptedHttpServer::answer(200, "up")});
        GetManager channel(5000, nullptr);
        QSignalSpy finished(&channel, &GetManager::finished);

        channel.get(QUrl(server->baseUrl() + "/first"), 0);
        QVERIFY(finished.wait(20000));
        QVERIFY(!channel.isSuccess());
        QVERIFY(!channel.getErrorString().isEmpty());

        channel.get(QUrl(server->baseUrl() + "/second"), 0);
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.count(), 2);
        QVERIFY(channel.isSuccess());
        QCOMPARE(channel.getData(), QByteArray("up"));
        QVERIFY(channel.getErrorString().isEmpty());
        QCOMPARE(server->requests, 12);
        QCOMPARE(server->targets.count(QStringLiteral("/second")), 6);
    }

    // The answers carry private keys: a server that cannot prove its name to a
    // trusted CA gets no request at all, and the handler sees an ordinary
    // failure.
    void untrustedServerFails_data()
    {
        QTest::addColumn<QString>("certificate");
        QTest::newRow("issued by an unknown CA") << "stranger";
        QTest::newRow("issued for another host") << "misnamed";
    }

    void untrustedServerFails()
    {
        QFETCH(QString, certificate);
        startTlsServer(certificate);
        server->script({}, ScriptedHttpServer::answer(200, "secret"));
        GetManager channel(5000, nullptr);
        QSignalSpy finished(&channel, &GetManager::finished);
        channel.get(QUrl(server->baseUrl() + "/connect?login=user&pass=secret"), 0);
        QVERIFY(finished.wait(20000));

        QCOMPARE(finished.count(), 1);
        QVERIFY(!channel.isSuccess());
        QVERIFY(channel.getData().isEmpty());
        QVERIFY2(channel.getErrorString().contains(QLatin1String("SSL")), qPrintable(channel.getErrorString()));
        QCOMPARE(server->requests, 0);
        QCOMPARE(server->connections, 6);
    }

    void replyTimeoutCutsOnlyARunningReply()
    {
        startTlsServer("good");
        server->script({ScriptedHttpServer::answer(200, "quick"), ScriptedHttpServer::silent()});
        QNetworkAccessManager manager;
        QNetworkRequest request(QUrl(server->baseUrl() + "/quick"));
        request.setSslConfiguration(api::sslConfiguration());

        QNetworkReply* quick = manager.get(request);
        new ReplyTimeout(quick, 300);
        QSignalSpy quickDone(quick, &QNetworkReply::finished);
        QVERIFY(quickDone.wait(5000));

        // The slow one outlives the quick one's deadline, which must leave the
        // finished reply as it was.
        request.setUrl(QUrl(server->baseUrl() + "/slow"));
        QNetworkReply* slow = manager.get(request);
        new ReplyTimeout(slow, 600);
        QSignalSpy slowDone(slow, &QNetworkReply::finished);
        QVERIFY(slowDone.wait(5000));
        QCOMPARE(slow->error(), QNetworkReply::OperationCanceledError);
        QCOMPARE(quick->error(), QNetworkReply::NoError);
        QCOMPARE(quick->readAll(), QByteArray("quick"));
        QCOMPARE(quickDone.count(), 1);
        delete quick;
        delete slow;
    }

    void probe_data()
    {
        QTest::addColumn<int>("behaviour");
        QTest::addColumn<bool>("online");
        QTest::newRow("page answers") << int(Step::Answer) << true;
        QTest::newRow("connection dropped") << int(Step::Close) << false;
        QTest::newRow("no answer before the deadline") << int(Step::Silent) << false;
        QTest::newRow("nothing listens") << -1 << false;
    }

    void probe()
    {
        QFETCH(int, behaviour);
        QFETCH(bool, online);
        QString url;
        if (behaviour >= 0) {
            QVERIFY(server->listenOnLoopback());
            server->script({}, Step{Step::Kind(behaviour), 200, "<html>hello</html>", 1, 0, 0});
            url = server->baseUrl() + "/probe";
        } else {
            const int port = platform::findFreePort();
            QVERIFY(port > 0);
            url = QStringLiteral("http://127.0.0.1:%1/probe").arg(port);
        }
        qputenv("QUARNEL_PROBE_URL", url.toUtf8());

        // The channel's own request must not be disturbed by the probe.
        GetManager channel(300, nullptr);
        QSignalSpy finished(&channel, &GetManager::finished);
        QCOMPARE(channel.checkInternet(), online);
        QCOMPARE(finished.count(), 0);
        if (behaviour >= 0)
            QCOMPARE(server->targets.value(0), QStringLiteral("/probe"));
        qunsetenv("QUARNEL_PROBE_URL");
    }

    void downloadReportsProgressAndStoresTheBytes()
    {
        startTlsServer("good");
        QByteArray body(300 * 1024, Qt::Uninitialized);
        QRandomGenerator generator(7);
        for (char& c : body)
            c = char(generator.bounded(256));
        // Qt reports progress at most every 100 ms; parts further apart show each step.
        server->script({ScriptedHttpServer::trickle(body, 4, 250)});

        QString path;
        {
            DownloadFile download(server->baseUrl() + "/upd/quarnel_update.exe");
            QSignalSpy progress(&download, &DownloadFile::progress);
            QSignalSpy finished(&download, &DownloadFile::finished);
            download.start(QStringLiteral("quarnel_update.exe"));
            path = download.fileName();
            QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("quarnel_update.exe"));
            QVERIFY(path.startsWith(dirs.clientTempDir() + "/"));
            QVERIFY(finished.wait(10000));

            QCOMPARE(finished.count(), 1);
            QCOMPARE(finished.first().first().toBool(), true);
            QVERIFY(progress.count() >= 2);
            float previous = 0;
            for (const QList<QVariant>& signal : progress) {
                const float value = signal.first().toFloat();
                QVERIFY(value >= previous);
                previous = value;
            }
            QVERIFY(progress.first().first().toFloat() < 1.0f);
            QCOMPARE(previous, 1.0f);
        }
        // The installer must outlive the download object.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), body);
    }

    void downloadFailure_data()
    {
        QTest::addColumn<QString>("certificate");
        QTest::addColumn<int>("status");
        QTest::newRow("HTTP 404") << "good" << 404;
        QTest::newRow("untrusted certificate") << "stranger" << 200;
    }

    void downloadFailure()
    {
        QFETCH(QString, certificate);
        QFETCH(int, status);
        startTlsServer(certificate);
        server->script({}, ScriptedHttpServer::answer(status, "not an installer"));
        DownloadFile download(server->baseUrl() + "/upd/quarnel_update.exe");
        QSignalSpy finished(&download, &DownloadFile::finished);
        download.start(QStringLiteral("quarnel_update.exe"));
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toBool(), false);
    }

    void downloadToAnUnwritableName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("the directory itself") << QString();
        QTest::newRow("in a missing folder") << QStringLiteral("missing/quarnel_update.exe");
    }

    void downloadToAnUnwritableName()
    {
        QFETCH(QString, name);
        startTlsServer("good");
        DownloadFile download(server->baseUrl() + "/upd/quarnel_update.exe");
        QSignalSpy finished(&download, &DownloadFile::finished);
        download.start(name);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toBool(), false);
    }

    // Cancelling the update deletes the download: the transfer stops and no
    // outcome reaches the half-deleted updater.
    void deletingADownloadAbortsItSilently()
    {
        startTlsServer("good");
        server->script({ScriptedHttpServer::stall(QByteArray(64 * 1024, 'x'), 1024)});
        auto* download = new DownloadFile(server->baseUrl() + "/upd/quarnel_update.exe");
        QSignalSpy finished(download, &DownloadFile::finished);
        download->start(QStringLiteral("quarnel_update.exe"));
        QTRY_COMPARE(server->requests, 1);
        delete download;
        QTRY_COMPARE(server->disconnects, 1);
        QCOMPARE(finished.count(), 0);
    }

    void wifiStatus_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("emitted");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<bool>("unsecured");
        QTest::addColumn<QString>("ssid");
        QTest::newRow("open network") << 10001 << true << true << true << "cafe";
        QTest::newRow("secured network") << 10002 << true << true << false << "home";
        QTest::newRow("disconnected drops the name") << 10003 << true << false << false << "";
        QTest::newRow("unknown code") << 10004 << false << false << false << "";
    }

    void wifiStatus()
    {
        QFETCH(int, code);
        QFETCH(bool, emitted);
        QFETCH(bool, connected);
        QFETCH(bool, unsecured);
        QFETCH(QString, ssid);
        ReachabilityQt reachability(nullptr);
        QCOMPARE(ReachabilityQt::instance(), &reachability);
        QSignalSpy status(&reachability, &ReachabilityQt::statusChangeWifi);

        // A notifier only knows the registered instance and posts from wherever it
        // runs.
        const QString name = code == 10003 ? QStringLiteral("ignored") : ssid;
        QCoreApplication::postEvent(ReachabilityQt::instance(), new ReachabilityQt::StatusEvent(code, name));
        // An event of another type with the same payload means nothing here.
        QCoreApplication::postEvent(&reachability, new QEvent(QEvent::Type(1002)));
        QCoreApplication::sendPostedEvents(&reachability);

        QCOMPARE(status.count(), emitted ? 1 : 0);
        if (emitted)
            QCOMPARE(status.first(), (QList<QVariant>{connected, unsecured, ssid}));
    }

    void reachabilityUnregistersWhenDeleted()
    {
        {
            ReachabilityQt reachability(nullptr);
        }
        QCOMPARE(ReachabilityQt::instance(), nullptr);
    }

    void environmentOverridesTheBuildSettings()
    {
        qputenv("QUARNEL_API_URL", "https://127.0.0.1:4443/");
        QCOMPARE(api::apiBaseUrl(), QStringLiteral("https://127.0.0.1:4443"));
        qunsetenv("QUARNEL_API_URL");
        QVERIFY(api::apiBaseUrl().startsWith(QLatin1String("https://")));

        QCOMPARE(api::apiCaFile(), pem("trusted-ca"));
        const QSslConfiguration config = api::sslConfiguration();
        QCOMPARE(config.peerVerifyMode(), QSslSocket::VerifyPeer);
        QVERIFY(config.caCertificates().contains(QSslCertificate::fromPath(pem("trusted-ca")).value(0)));
        QVERIFY(!config.caCertificates().contains(QSslCertificate::fromPath(pem("rogue-ca")).value(0)));
    }

private:
    QString pem(const QString& name) const { return pki.filePath(name + ".pem"); }

    void startTlsServer(const QString& certificate)
    {
        QFile keyFile(pki.filePath(certificate + ".key"));
        QVERIFY(keyFile.open(QIODevice::ReadOnly));
        const QSslKey key(&keyFile, QSsl::Ec);
        QVERIFY(!key.isNull());
        const QList<QSslCertificate> chain = QSslCertificate::fromPath(pem(certificate));
        QVERIFY(!chain.isEmpty());
        server->useTls(chain, key);
        QVERIFY(server->listenOnLoopback());
    }

public:
    explicit TestHttpHelpers(const IsolatedUserDirs& dirs) : dirs(dirs) {}

private:
    const IsolatedUserDirs& dirs;
    const QDir pki{QStringLiteral(QUARNEL_TEST_PKI_DIR)};
    std::unique_ptr<ScriptedHttpServer> server;
};

int main(int argc, char* argv[])
{
    IsolatedUserDirs dirs;
    QCoreApplication app(argc, argv);
    TestHttpHelpers test(dirs);
    return QTest::qExec(&test, argc, argv);
}

#include "HttpHelpersTest.moc"
