#include "connection/ConnectWindow.h"

#include "api/NetworkManager.h"
#include "connection/ConnectWindowHost.h"
#include "connection/ServiceRequests.h"
#include "connection/StunnelManager.h"
#include "data/LocalSettings.h"
#include "data/PemTable.h"
#include "platform/ClientTempDir.h"
#include "pipe/ServiceCommand.h"
#include "pipe/ServiceRequest.h"
#include "widgets/MessageBoxes.h"
#include "ServiceEndpoint.h"

#include "OpenVpnPlay.h"
#include "ClientTestMain.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using servicepipe::ServiceCommand;
using servicepipe::ServiceRequest;

namespace {

// Stand in for stunnel and sing-box: run until they are stopped.
const char stunnelStandIn[] = "#!/bin/sh\nexec sleep 600\n";
const char singBoxStandIn[] = "#!/bin/sh\necho 'INFO sing-box started at 0.01s' >&2\nexec sleep 600\n";

ServerInfo server(const QString& id, const QString& ip, const QString& user = QStringLiteral("vpnuser"))
{
    ServerInfo record;
    record.id = id;
    record.ip = ip;
    record.user = user;
    record.password = QStringLiteral("secret");
    record.flag = QStringLiteral("de");
    record.tcpPorts = QStringList{"443"};
    record.udpPorts = QStringList{"1194"};
    record.sslPort = 443;
    record.connectionType = 5;
    return record;
}

// The window that holds the screen, as the screen sees it.
struct Host : ConnectWindowHost
{
    void showConnectionScreen() override
    {
        if (window != nullptr) {
            window->applySettings();
        }
    }
    void bringToFront() override {}
    void tunnelStateChanged(TunnelState state) override { states.append(static_cast<int>(state)); }
    void tunnelEnded() override { ++endings; }
    void locationChanged(const QString& id) override { location = id; }

    ConnectWindow* window = nullptr;
    QList<int> states;
    int endings = 0;
    QString location;
};

struct Box
{
    QString title;
    QString text;
    bool warning;
};

} // namespace

class TestConnectWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void connectsAndDisconnects();
    void clickDuringTheWaitCallsTheAttemptOff();
    void clickDuringTheWriteCallsTheAttemptOff();
    void onlyTheThirdFailureInARowIsShown();
    void retryWaitsForTheFailedRunToEnd();
    void dropBlocksDnsAgainWithTheServersAllowed();
    void stealthEndingsStopStunnel();
    void brumeKeepsOnlyTheCurrentConfigurationPrivately();
    void locationWithoutFlagOpensTheList();
    void missingMaterialWarnsAndStaysPreparing_data();
    void missingMaterialWarnsAndStaysPreparing();
    void subscriptionNoticeNearTheEnd_data();
    void subscriptionNoticeNearTheEnd();

private:
    void seedCatalogue(const QByteArray& config, bool certificate, bool key, const QDateTime& expires = {});
    void makeWindow(const QList<ServerInfo>& list = {server("Frankfurt", "10.0.0.1")});
    std::vector<ServiceRequest> requests(ServiceCommand command);
    // Plays OpenVPN for the next launch the service receives: answers the credential
    // queries, then either comes up or refuses the password.
    bool playLaunch(bool succeed);
    void grab(const char* name);

    QTemporaryDir dir;
    std::unique_ptr<FakeService> service;
    std::unique_ptr<NetworkManager> network;
    std::unique_ptr<Host> host;
    std::unique_ptr<ConnectWindow> window;
    std::unique_ptr<OpenVpnPlay> play;
    QList<Box> boxes;
};

void TestConnectWindow::initTestCase()
{
    QVERIFY(dir.isValid());
    for (const auto& [name, body] : {std::pair{"stunnel4", stunnelStandIn}, std::pair{"sing-box", singBoxStandIn}}) {
        QFile script(dir.filePath(name));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(body);
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    qputenv("PATH", QFile::encodeName(dir.path()) + ':' + qgetenv("PATH"));
    qputenv("QUARNEL_SERVICE_SOCKET", QFile::encodeName(testServiceEndpoint(dir.path())));
    // A literal address: its lookup answers at once and it ends every address list.
    qputenv("QUARNEL_API_URL", "https://127.0.0.5:9");
    setServiceConnectTimeout(std::chrono::milliseconds(200));
    setMessageBoxRunner([this](QMessageBox& box) {
        boxes.append({box.windowTitle(), box.text(), !box.iconPixmap().isNull()});
        return int(QMessageBox::Ok);
    });
}

void TestConnectWindow::init()
{
    LocalSettings::instance()->resetToDefaults();
    LocalSettings::instance()->setValue(SettingsKey::vpnLogin, "vpnuser");
    service = std::make_unique<FakeService>(QFile::encodeName(testServiceEndpoint(dir.path())).toStdString());
    QVERIFY(service->isReady());
    seedCatalogue("client\r\ndev tun\r\n", true, true);
    boxes.clear();
    play = std::make_unique<OpenVpnPlay>(*service);
}

void TestConnectWindow::cleanup()
{
    window.reset();
    host.reset();
    play.reset();
    network.reset();
    service.reset();
}

void TestConnectWindow::seedCatalogue(const QByteArray& config, bool certificate, bool key, const QDateTime& expires)
{
    const QSharedPointer<LocalSettings> settings = LocalSettings::instance();
    settings->setValue(SettingsKey::cachedConfig, config);
    const QByteArray pem = "-----BEGIN TEST-----\nAA==\n-----END TEST-----\n";
    settings->setValue(
        SettingsKey::cachedCertif,
        PemTable::toBytes(certificate ? QMap<QString, QByteArray>{{"vpnuser", pem}} : QMap<QString, QByteArray>{}));
    settings->setValue(SettingsKey::cachedKeys, PemTable::toBytes(key ? QMap<QString, QByteArray>{{"vpnuser", pem}}
                                                                      : QMap<QString, QByteArray>{}));
    settings->setValue(SettingsKey::cachedUsers, QStringList{"vpnuser||secret||" + expires.toString(Qt::ISODate)});
    network = std::make_unique<NetworkManager>();
}

void TestConnectWindow::makeWindow(const QList<ServerInfo>& list)
{
    host = std::make_unique<Host>();
    window = std::make_unique<ConnectWindow>(nullptr, host.get(), network.get());
    host->window = window.get();
    window->setServers(list);
    window->onServerChanged(ServerIdentif(list.first().user, list.first().id));
}

std::vector<ServiceRequest> TestConnectWindow::requests(ServiceCommand command)
{
    return play->requests(command);
}

bool TestConnectWindow::playLaunch(bool succeed)
{
    return play->playLaunch(succeed);
}

void TestConnectWindow::grab(const char* name)
{
    const QString shots = QCoreApplication::applicationDirPath() + "/shots";
    QDir().mkpath(shots);
    QCoreApplication::processEvents();
    window->grab().save(shots + "/connect-" + name + ".png");
}

void TestConnectWindow::connectsAndDisconnects()
{
    makeWindow();
    window->show();
    QCOMPARE(host->location, QString("Frankfurt"));
    grab("state-1");
    window->onClickConnect();
    QCOMPARE(window->connectionState(), int(ConnectWindow::Writing));
    grab("state-2");
    QTRY_COMPARE(window->connectionState(), int(ConnectWindow::Starting));
    QVERIFY(playLaunch(true));
    QTRY_COMPARE(window->connectionState(), int(ConnectWindow::Connected));
    QVERIFY(window->isConnected());
    grab("state-0");
    QCOMPARE(host->states.last(), int(ConnectWindowHost::TunnelState::Connected));

    window->onClickConnect();
    QCOMPARE(window->connectionState(), int(ConnectWindow::Idle));
    QTRY_VERIFY(play->peer->heard().endsWith("signal SIGTERM\n"));
    play->peer->hangUp();
    QTRY_COMPARE(host->endings, 1);
    QCOMPARE(window->connectionState(), int(ConnectWindow::Idle));
    QCOMPARE(host->states.last(), int(ConnectWindowHost::TunnelState::Disconnected));
    QVERIFY(boxes.isEmpty());
}

void TestConnectWindow::clickDuringTheWaitCallsTheAttemptOff()
{
    makeWindow();
    QTimer::singleShot(200, window.get(), [this] { window->onClickConnect(); });
    window->onClickConnect();
    // Nothing after the wait starts a tunnel once the state is no longer preparing.
    QCOMPARE(window->connectionState(), int(ConnectWindow::Idle));
    QVERIFY(requests(ServiceCommand::RunProcess).empty());
    QCOMPARE(host->states.last(), int(ConnectWindowHost::TunnelState::Disconnected));
}

void TestConnectWindow::clickDuringTheWriteCallsTheAttemptOff()
{
    makeWindow();
    window->onClickConnect();
    QCOMPARE(window->connectionState(), int(ConnectWindow::Writing));
    window->onClickConnect();
    // The start would have been made when the write finished, which is what ends the wait.
    QTRY_COMPARE(window->connectionState(), int(ConnectWindow::Idle));
    QVERIFY(requests(ServiceCommand::RunProcess).empty());
}

void TestConnectWindow::onlyTheThirdFailureInARowIsShown()
{
    makeWindow();
    window->onClickConnect();
    QVERIFY(playLaunch(false));
    QVERIFY(playLaunch(false));
    QVERIFY(playLaunch(true));
    QTRY_COMPARE(window->connectionState(), int(ConnectWindow::Connected));
    QVERIFY(boxes.isEmpty());
    window->onClickConnect();
    QTRY_VERIFY(play->peer->heard().endsWith("signal SIGTERM\n"));
    play->peer->hangUp();
    QTRY_COMPARE(window->connectionState(), int(ConnectWindow::Idle));

    // The success reset the count: two more failures are retried silently, the third is shown.
    window->onClickConnect();
    QVERIFY(playLaunch(false));
    QVERIFY(playLaunch(false));
    // The third launch is made by the second failure's retry: nothing was shown so far.
    QTRY_COMPARE(requests(ServiceCommand::RunProcess).size(), std::size_t(6));
    QVERIFY(boxes.isEmpty());
    QVERIFY(playLaunch(false));
    QTRY_COMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().title, QString("Quarnel"));
    QCOMPARE(boxes.first().text, QString("Invalid username or password"));
    QTRY_COMPARE(window->connectionState(), int(ConnectWindow::Idle));
    QCOMPARE(requests(ServiceCommand::RunProcess).size(), std::size_t(6));
    QCOMPARE(boxes.size(), 1);
}

void TestConnectWindow::retryWaitsForTheFailedRunToEnd()
{
    makeWindow();
    window->onClickConnect();
    QVERIFY(play->playLaunch(false, false));
    // The refused run is told to end, and the next attempt waits for it: started beside
    // it, the driver would drop the start, and the run's end would pass for its drop.
    QTRY_VERIFY(play->peer->heard().endsWith("signal SIGTERM\n"));
    QTest::qWait(1200);
    QCOMPARE(requests(ServiceCommand::RunProcess).size(), std::size_t(1));
    QCOMPARE(window->connectionState(), int(ConnectWindow::Preparing));
    play->peer->hangUp();
    QVERIFY(playLaunch(true));
    QTRY_COMPARE(window->connectionState(), int(ConnectWindow::Connected));
    QVERIFY(boxes.isEmpty());
}

void TestConnectWindow::dropBlocksDnsAgainWithTheServersAllowed()
{
    LocalSettings::instance()->setValue(SettingsKey::killConnect, true);
    // Map order is by VPN login, then id; empty and repeated addresses are left out.
    makeWindow({server("Paris", "10.0.0.2"), server("Berlin", "10.0.0.1"), server("Oslo", ""),
                server("Amsterdam", "10.0.0.2", "another"), server("Rome", "10.0.0.1")});
    window->applySettings();
    const auto enabled = requests(ServiceCommand::EnableFirewall);
    QCOMPARE(enabled.size(), std::size_t(1));
    QCOMPARE(QString::fromStdU16String(enabled[0].addressList()), QString("127.0.0.1;10.0.0.2;10.0.0.1;127.0.0.5"));
    const servicepipe::FirewallOptions blocking{1, 1, 0, 0, 1};
    QVERIFY(enabled[0].options() == blocking);

    window->onClickConnect();
    const auto connecting = requests(ServiceCommand::UpdateFirewall);
    QCOMPARE(connecting.size(), std::size_t(1));
    QVERIFY(connecting[0].options() == (servicepipe::FirewallOptions{1, 1, 0, 0, 0}));
    QVERIFY(playLaunch(true));
    QTRY_COMPARE(window->connectionState(), int(ConnectWindow::Connected));

    play->peer->hangUp();
    QTRY_COMPARE(host->endings, 1);
    QCOMPARE(window->connectionState(), int(ConnectWindow::Idle));
    const auto afterDrop = requests(ServiceCommand::UpdateFirewall);
    QCOMPARE(afterDrop.size(), std::size_t(2));
    QVERIFY(afterDrop[1].options() == blocking);
    QCOMPARE(QString::fromStdU16String(afterDrop[1].addressList()), QString("127.0.0.1;10.0.0.2;10.0.0.1;127.0.0.5"));
}

void TestConnectWindow::stealthEndingsStopStunnel()
{
#ifdef Q_OS_WIN
    QSKIP("The stand-in stunnel is a shell script; Windows starts stunnel\\bin\\tstunnel.exe beside the client");
#endif
    LocalSettings::instance()->setValue(SettingsKey::advProtocol, "stealth");
    makeWindow();
    StunnelManager* stunnel = window->stunnelManager();

    window->onClickConnect();
    QVERIFY(stunnel->isRunning());
    window->onClickConnect();
    QTRY_COMPARE(window->connectionState(), int(ConnectWindow::Idle));
    QVERIFY(!stunnel->isRunning());

    window->onClickConnect();
    QVERIFY(playLaunch(true));
    QTRY_COMPARE(window->connectionState(), int(ConnectWindow::Connected));
    QVERIFY(stunnel->isRunning());
    play->peer->hangUp();
    QTRY_COMPARE(window->connectionState(), int(ConnectWindow::Idle));
    QVERIFY(!stunnel->isRunning());

    window->onClickConnect();
    for (int attempt = 0; attempt < 3; ++attempt) {
        QVERIFY(playLaunch(false));
    }
    QTRY_COMPARE(boxes.size(), 1);
    QVERIFY(!stunnel->isRunning());
}

void TestConnectWindow::brumeKeepsOnlyTheCurrentConfigurationPrivately()
{
#ifdef Q_OS_WIN
    QSKIP("The stand-in sing-box is a shell script; Windows starts sing-box\\sing-box.exe beside the client");
#endif
    LocalSettings::instance()->setValue(SettingsKey::advProtocol, "brume");
    ServerInfo brume = server("Vienna", "10.0.0.7");
    brume.brume = "vless://0b1e6a57-3c1d-4f2e-9a8b-7c6d5e4f3a2b@10.0.0.7:8443?path=%2Fws&sni=s.example";
    makeWindow({brume});
    const auto files = [] {
        return QDir(platform::clientTempDirectory(), "Quarnel.brume-*.json").entryList(QDir::Files);
    };
    QStringList seen;
    for (int attempt = 0; attempt < 2; ++attempt) {
        window->onClickConnect();
        QTRY_COMPARE(window->connectionState(), int(ConnectWindow::Connected));
        QCOMPARE(files().size(), 1);
        seen += files();
        window->onClickConnect();
        QTRY_COMPARE(host->endings, attempt + 1);
    }
    QVERIFY(seen.at(0) != seen.at(1));
    window->shutdown();
    QVERIFY(files().isEmpty());
}

void TestConnectWindow::locationWithoutFlagOpensTheList()
{
    ServerInfo flagless = server("Nowhere", "10.0.0.9");
    flagless.flag.clear();
    makeWindow({flagless});
    QSignalSpy list(window.get(), &ConnectWindow::serverList);
    window->onClickConnect();
    QCOMPARE(list.count(), 1);
    QCOMPARE(list.first().first().toInt(), 5);
    QCOMPARE(window->connectionState(), int(ConnectWindow::Idle));

    // An empty last location selects nothing.
    LocalSettings::instance()->setValue(SettingsKey::lastLocationId, "");
    window->setServers({server("Frankfurt", "10.0.0.1")});
    QVERIFY(window->selectedServer().id.isEmpty());
}

void TestConnectWindow::missingMaterialWarnsAndStaysPreparing_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<bool>("certificate");
    QTest::addColumn<bool>("key");
    QTest::addColumn<QString>("warning");
    QTest::newRow("config") << QByteArray() << true << true << "Error of loading of the config.";
    QTest::newRow("certificate") << QByteArray("client\n") << false << true << "Error of loading of the certificate.";
    QTest::newRow("key") << QByteArray("client\n") << true << false << "Error of loading of the key.";
}

void TestConnectWindow::missingMaterialWarnsAndStaysPreparing()
{
    QFETCH(QByteArray, config);
    QFETCH(bool, certificate);
    QFETCH(bool, key);
    QFETCH(QString, warning);
    seedCatalogue(config, certificate, key);
    makeWindow();
    window->onClickConnect();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().text, warning);
    QVERIFY(boxes.first().warning);
    QCOMPARE(window->connectionState(), int(ConnectWindow::Preparing));
    QCOMPARE(host->states.last(), int(ConnectWindowHost::TunnelState::Disconnected));
    window->onClickConnect();
    QCOMPARE(window->connectionState(), int(ConnectWindow::Idle));
}

void TestConnectWindow::subscriptionNoticeNearTheEnd_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<bool>("shown");
    QTest::newRow("5 days ahead") << 5 << true;
    QTest::newRow("5 days past") << -5 << true;
    QTest::newRow("8 days ahead") << 8 << false;
    QTest::newRow("8 days past") << -8 << false;
}

void TestConnectWindow::subscriptionNoticeNearTheEnd()
{
    QFETCH(int, days);
    QFETCH(bool, shown);
    const QDateTime end = QDateTime::currentDateTime().addDays(days);
    seedCatalogue("client\n", true, true, end);
    makeWindow();
    window->show();
    auto* notice = window->findChild<QLabel*>("lbSubscription");
    QCOMPARE(notice->isVisible(), shown);
    QCOMPARE(window->findChild<QPushButton*>("btnRenew")->isVisible(), shown);
    if (shown) {
        QCOMPARE(notice->text(), "VPN subscription expires: " + end.toString("dd.MM.yyyy"));
        grab("notice");
    }
}

int main(int argc, char* argv[])
{
    qRegisterMetaType<quint64>("quint64");
    return runClientTest<TestConnectWindow>(argc, argv);
}

#include "ConnectWindowTest.moc"
