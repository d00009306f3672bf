// The location picker with 5,000 locations (mixed single- and double-hop, a fifth of
// them favourites): filling it until the list is painted, and one keystroke in the
// search field (filter, sort and the repaint of the visible rows). The peer is Qt's
// plain QStandardItemModel behind a QSortFilterProxyModel in a QTreeView, holding the
// same rows and filtered by the same text.
#include "data/LocalSettings.h"
#include "servers/SearchEdit.h"
#include "servers/ServerListWindow.h"
#include "servers/ServerTreeView.h"

#include "IsolatedUserDirs.h"
#include "Statistics.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTreeView>

#include <cstdio>
#include <vector>

namespace {

constexpr int locationCount = 5000;
constexpr int runs = 15;
constexpr double fillGoalMs = 50.0;
constexpr double keystrokeGoalMs = 16.0;

const char* const countries[] = {"Germany", "France",  "Italy",       "Spain",  "Netherlands", "Sweden", "Norway",
                                 "Poland",  "Austria", "Switzerland", "Canada", "Japan",       "Brazil", "Chile"};
const char* const codes[] = {"de", "fr", "it", "es", "nl", "se", "no", "pl", "at", "ch", "ca", "jp", "br", "cl"};
constexpr int countryCount = sizeof(countries) / sizeof(countries[0]);

QVector<ServerInfo> makeLocations(QStringList& favourites)
{
    QVector<ServerInfo> list;
    for (int i = 0; i < locationCount; ++i) {
        const int c = i % countryCount;
        ServerInfo server;
        const bool doubleHop = i % 3 == 0;
        server.id = doubleHop ? QStringLiteral("%1-%2 %3").arg(countries[c], countries[(c + 5) % countryCount]).arg(i)
                              : QStringLiteral("%1 %2").arg(countries[c]).arg(i);
        server.group = doubleHop ? 2 : 1;
        server.flag = QLatin1String(codes[c]);
        server.user = QStringLiteral("subscriber");
        server.tcpPorts = QStringList{QStringLiteral("443")};
        server.ping = (i * 7919) % 300;
        if (i % 5 == 0) {
            favourites << QStringLiteral("%1::%2").arg(server.user, server.id);
        }
        list << server;
    }
    return list;
}

double msSince(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e6;
}

void print(const char* what, double ours, double peer, double goal)
{
    std::printf("%-44s %8.2f ms   peer %8.2f ms   ratio %5.2f   goal < %.0f ms: %s\n", what, ours, peer,
                peer > 0 ? ours / peer : 0.0, goal, ours < goal ? "met" : "missed");
}

} // namespace

int main(int argc, char* argv[])
{
    IsolatedUserDirs dirs;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    app.setOrganizationName(QStringLiteral("CPKV"));
    app.setApplicationName(QStringLiteral("Quarnel"));

    QStringList favourites;
    const QVector<ServerInfo> locations = makeLocations(favourites);
    LocalSettings::instance()->setValue(QLatin1String(SettingsKey::favoriteServersTcp), favourites);

    ServerListWindow picker;
    picker.show();
    QCoreApplication::processEvents();
    std::vector<double> fillMs, keyMs;
    const QString typed = QStringLiteral("germany");
    for (int run = 0; run < runs; ++run) {
        picker.searchField()->blockSignals(true);
        picker.searchField()->clear();
        picker.searchField()->blockSignals(false);
        QElapsedTimer timer;
        timer.start();
        picker.setServers(locations, 5, false);
        picker.repaint();
        fillMs.push_back(msSince(timer));

        // The first keystrokes open the search; the one measured narrows it further.
        picker.searchField()->setText(typed.left(2));
        picker.repaint();
        timer.restart();
        picker.searchField()->setText(typed.left(3));
        picker.repaint();
        keyMs.push_back(msSince(timer));
    }

    // The peer: the same rows in a standard model, filtered by the same text.
    QTreeView peerView;
    peerView.resize(picker.size());
    peerView.show();
    QCoreApplication::processEvents();
    std::vector<double> peerFillMs, peerKeyMs;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        auto* model = new QStandardItemModel(0, 2, &peerView);
        for (const ServerInfo& server : locations) {
            auto* name = new QStandardItem(server.id);
            name->setData(server.flag, Qt::UserRole);
            name->setData(server.group, Qt::UserRole + 1);
            auto* star = new QStandardItem();
            star->setData(favourites.contains(QStringLiteral("%1::%2").arg(server.user, server.id)), Qt::DisplayRole);
            model->appendRow({name, star});
        }
        auto* proxy = new QSortFilterProxyModel(&peerView);
        proxy->setSourceModel(model);
        proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
        proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
        peerView.setModel(proxy);
        peerView.setSortingEnabled(true);
        peerView.sortByColumn(0, Qt::AscendingOrder);
        peerView.repaint();
        peerFillMs.push_back(msSince(timer));

        proxy->setFilterFixedString(typed.left(2));
        peerView.repaint();
        timer.restart();
        proxy->setFilterFixedString(typed.left(3));
        peerView.repaint();
        peerKeyMs.push_back(msSince(timer));
        peerView.setModel(nullptr);
        delete proxy;
        delete model;
    }

    std::printf("picker with %d locations (a third double-hop, a fifth favourites), median of %d runs\n", locationCount,
                runs);
    print("setServers until the list is painted", median(fillMs), median(peerFillMs), fillGoalMs);
    print("one keystroke in the search field", median(keyMs), median(peerKeyMs), keystrokeGoalMs);
    return 0;
}
