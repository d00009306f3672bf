#include "servers/ServerListWindow.h"

#include "data/LocalSettings.h"
#include "servers/AbstractServerModel.h"
#include "servers/SearchEdit.h"
#include "servers/ServerTreeView.h"

#include "ClientTestMain.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

namespace {

ServerInfo location(const QString& id, const QString& user = QStringLiteral("alice"), int ping = 20)
{
    ServerInfo record;
    record.id = id;
    record.user = user;
    record.flag = id.left(2).toLower();
    record.group = id.contains(QLatin1Char('-')) ? 2 : 1;
    record.tcpPorts = QStringList{"443"};
    record.udpPorts = QStringList{"1194"};
    record.sslPort = 443;
    record.ping = ping;
    return record;
}

const QVector<ServerInfo> mixed{location("Paris"), location("Amsterdam"), location("Germany-France"),
                                location("Rotterdam"), location("Italy-France")};

QVector<ServerInfo> single(const QVector<ServerInfo>& list, int group)
{
    QVector<ServerInfo> kept;
    std::copy_if(list.cbegin(), list.cend(), std::back_inserter(kept),
                 [group](const ServerInfo& server) { return server.group == group; });
    return kept;
}

} // namespace

class TestServerListWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void firstViewFollowsFavouritesAndLastLocation_data();
    void firstViewFollowsFavouritesAndLastLocation();
    void onlyServersOfferingTheProtocolAreListed_data();
    void onlyServersOfferingTheProtocolAreListed();
    void favouritesAreStoredPerProtocolAndLogin();
    void searchWithoutMatchHidesTheList();
    void starsAndHeadersSelectNothing();
    void leavingTheSearchReturnsToAListView();
    void screenshots();

private:
    QModelIndex row(const QString& id, int column = 0);

    std::unique_ptr<ServerListWindow> window;
};

void TestServerListWindow::init()
{
    LocalSettings::instance()->resetToDefaults();
    window = std::make_unique<ServerListWindow>();
}

QModelIndex TestServerListWindow::row(const QString& id, int column)
{
    const QModelIndexList found = window->serverView()->model()->match(
        window->serverView()->model()->index(0, 0), Qt::DisplayRole, id, 1, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? QModelIndex() : found.first().sibling(found.first().row(), column);
}

void TestServerListWindow::firstViewFollowsFavouritesAndLastLocation_data()
{
    QTest::addColumn<QStringList>("favourites");
    QTest::addColumn<QString>("lastLocation");
    QTest::addColumn<int>("groups"); // 1 single-hop only, 2 double-hop only, 3 both
    QTest::addColumn<int>("view");
    QTest::newRow("a favourite") << QStringList{"alice::Paris"} << "alice::Germany-France" << 3 << 0;
    QTest::newRow("last double-hop") << QStringList() << "alice::Germany-France" << 3 << 2;
    QTest::newRow("last double-hop, none offered") << QStringList() << "alice::Germany-France" << 1 << 1;
    QTest::newRow("last single-hop") << QStringList() << "alice::Paris" << 3 << 1;
    QTest::newRow("no last location") << QStringList() << "" << 3 << 1;
    QTest::newRow("no single-hop servers") << QStringList() << "" << 2 << 2;
    QTest::newRow("favourite of another login") << QStringList{"bob::Paris"} << "" << 3 << 1;
}

void TestServerListWindow::firstViewFollowsFavouritesAndLastLocation()
{
    QFETCH(QStringList, favourites);
    QFETCH(QString, lastLocation);
    QFETCH(int, groups);
    QFETCH(int, view);
    LocalSettings::instance()->setValue(SettingsKey::favoriteServersTcp, favourites);
    LocalSettings::instance()->setValue(SettingsKey::lastLocationId, lastLocation);
    window->setServers(groups == 3 ? mixed : single(mixed, groups), 5, false);
    QCOMPARE(window->currentView(), view);
}

void TestServerListWindow::onlyServersOfferingTheProtocolAreListed_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("udp") << 4 << QStringList{"Paris", "Brume"};
    QTest::newRow("stealth needs an SSL port") << 6 << QStringList{"Paris"};
    QTest::newRow("brume needs a link") << 7 << QStringList{"Brume"};
    QTest::newRow("unknown protocol") << 9 << QStringList();
}

void TestServerListWindow::onlyServersOfferingTheProtocolAreListed()
{
    QFETCH(int, protocol);
    QFETCH(QStringList, listed);
    ServerInfo brume = location("Brume");
    brume.sslPort = 0;
    brume.tcpPorts.clear();
    brume.brume = "vless://id@host:443";
    ServerInfo tcpOnly = location("Lyon");
    tcpOnly.udpPorts.clear();
    tcpOnly.sslPort = 0;
    window->setServers({location("Paris"), brume, tcpOnly}, protocol, false);
    QStringList ids;
    for (const ServerInfo& server : window->shownServers()) {
        ids << server.id;
    }
    QCOMPARE(ids, listed);
    QCOMPARE(window->serverView()->isVisibleTo(window.get()), !listed.isEmpty());
}

void TestServerListWindow::favouritesAreStoredPerProtocolAndLogin()
{
    LocalSettings::instance()->setValue(SettingsKey::favoriteServersUdp, QStringList{"bob::Paris"});
    window->setServers({location("Paris", "alice"), location("Paris", "bob"), location("Oslo")}, 5, false);
    QCOMPARE(window->currentView(), int(ServerListWindow::StandardView));
    QVERIFY(!window->shownServers().at(0).marked && !window->shownServers().at(1).marked);

    QVERIFY(window->serverView()->model()->setData(row("Oslo", 1), true));
    QCOMPARE(LocalSettings::instance()->value(SettingsKey::favoriteServersTcp).toStringList(),
             QStringList{"alice::Oslo"});
    QCOMPARE(LocalSettings::instance()->value(SettingsKey::favoriteServersUdp).toStringList(),
             QStringList{"bob::Paris"});

    window->setServers({location("Paris", "alice"), location("Paris", "bob")}, 4, false);
    QCOMPARE(window->currentView(), int(ServerListWindow::FavoritesView));
    QVERIFY(!window->shownServers().at(0).marked);
    QVERIFY(window->shownServers().at(1).marked);
}

void TestServerListWindow::searchWithoutMatchHidesTheList()
{
    window->setServers(mixed, 5, false);
    window->show();
    window->searchField()->setText("zz");
    QCOMPARE(window->currentView(), int(ServerListWindow::SearchView));
    QVERIFY(!window->serverView()->isVisible());
    window->searchField()->setText("am");
    QVERIFY(window->serverView()->isVisible());
    QCOMPARE(window->serverView()->model()->rowCount(), 2);
    window->searchField()->clearButton()->click();
    QVERIFY(window->searchField()->text().isEmpty());
    QCOMPARE(window->serverView()->model()->rowCount(), mixed.size());
}

void TestServerListWindow::starsAndHeadersSelectNothing()
{
    LocalSettings::instance()->setValue(SettingsKey::favoriteServersTcp, QStringList{"alice::Paris"});
    window->setServers(mixed, 5, false);
    QSignalSpy selected(window.get(), &ServerListWindow::serverSelected);
    window->selServer(row("<*>"));
    window->selServer(row("<=>"));
    window->selServer(row("Paris", 1));
    QVERIFY(selected.isEmpty());
    window->selServer(row("Paris"));
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.first().first().value<ServerIdentif>(), ServerIdentif("alice", "Paris"));
}

void TestServerListWindow::leavingTheSearchReturnsToAListView()
{
    LocalSettings::instance()->setValue(SettingsKey::lastLocationId, "");
    window->setServers(mixed, 5, false);
    window->onFilterChange(ServerListWindow::SearchView);
    window->findChild<QPushButton*>("pbSearch")->click();
    QCOMPARE(window->currentView(), int(ServerListWindow::StandardView));
}

// Pictures of the four views for looking at (not compared).
void TestServerListWindow::screenshots()
{
    const QStringList countries{"Germany", "France", "Italy",   "Spain",       "Netherlands", "Sweden",
                                "Norway",  "Poland", "Austria", "Switzerland", "Canada",      "Japan"};
    const QStringList codes{"de", "fr", "it", "es", "nl", "se", "no", "pl", "at", "ch", "ca", "jp"};
    QVector<ServerInfo> list;
    for (int i = 0; i < 60; ++i) {
        const int c = i % countries.size();
        ServerInfo server = location(i < 36 ? countries[c] + (i >= 12 ? QString(" %1").arg(i / 12 + 1) : QString())
                                            : countries[c] + "-" + countries[(c + 1) % countries.size()],
                                     "alice", (i * 37) % 150);
        server.flag = codes[c];
        list << server;
    }
    LocalSettings::instance()->setValue(SettingsKey::favoriteServersTcp, QStringList{"alice::Japan", "alice::Sweden"});
    window->setServers(list, 5, false);
    window->show();
    const QString shots = QCoreApplication::applicationDirPath() + "/shots";
    QDir().mkpath(shots);
    for (int view : {0, 1, 2, 3}) {
        if (view == 3) {
            window->searchField()->setText("an");
        } else {
            window->onFilterChange(view);
        }
        QCoreApplication::processEvents();
        QVERIFY(window->grab().save(shots + QString("/picker-view-%1.png").arg(view)));
    }
}

int main(int argc, char* argv[])
{
    return runClientTest<TestServerListWindow>(argc, argv);
}

#include "ServerListWindowTest.moc"
