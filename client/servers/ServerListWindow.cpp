#include "servers/ServerListWindow.h"
#include "ui_ServerListWindow.h"

#include "data/LocalSettings.h"
#include "data/VpnProtocol.h"
#include "resources/ClientResources.h"
#include "servers/FavoriteServerItemDelegate.h"
#include "servers/FavoritesServerModel.h"
#include "servers/FavoritesSortFilterProxyModel.h"
#include "servers/PingSortFilterProxyModel.h"
#include "servers/SearchEdit.h"
#include "servers/ServerItemDelegate.h"
#include "servers/ServerPingModel.h"
#include "servers/ServerTreeItemDelegate.h"
#include "servers/ServerTreeModel.h"
#include "servers/ServerTreeView.h"
#include "servers/TreePingSortFilterProxyModel.h"
#include "widgets/BackKey.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>

namespace {

// The picker lists nothing for a protocol the table does not know (the table's own rule
// imposes nothing for such ids, which is right for a selected server, not for a list).
bool offers(const ServerInfo& server, int protocol)
{
    const QVector<VpnProtocol>& table = VpnProtocol::protocols();
    const bool known =
        std::any_of(table.cbegin(), table.cend(), [protocol](const VpnProtocol& row) { return row.id == protocol; });
    return known && VpnProtocol::serverOffers(server, protocol);
}

// The stored favourites of a protocol. A reset store holds the empty text under the key,
// which reads as a list of one empty entry: that is no favourite.
QStringList storedFavorites(const QString& key)
{
    QStringList favorites = LocalSettings::instance()->value(key).toStringList();
    favorites.removeAll(QString());
    return favorites;
}

QString identifierText(const ServerInfo& server)
{
    return QStringLiteral("%1::%2").arg(server.user, server.id);
}

} // namespace

ServerListWindow::ServerListWindow(QWidget* parent)
    : QWidget(parent), ui(new Ui::ServerListWindow), view(new ServerTreeView(this))
{
    initClientResources();
    ui->setupUi(this);
    ui->pbBack->setIcon(QIcon(QStringLiteral(":/resources/back.svg")));
    ui->pbFavorites->setIcon(QIcon(QStringLiteral(":/resources/star-empty-white.svg")));
    ui->pbSearch->setIcon(QIcon(QStringLiteral(":/resources/search.svg")));

    filterButtons.addButton(ui->pbFavorites, FavoritesView);
    filterButtons.addButton(ui->pbStandart, StandardView);
    filterButtons.addButton(ui->pbDouble, DoubleView);
    // The buttons are checked by the view switch, not by the group.
    filterButtons.setExclusive(false);

    searchEdit = QSharedPointer<SearchEdit>::create(ui->sectionWithButtons);
    searchEdit->hide();

    ui->centralLayout->insertWidget(0, view, 1);
    view->header()->hide();
    view->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    view->setColumnWidth(0, 150);
    view->setColumnWidth(1, 60);
    view->installEventFilter(this);

    connect(&filterButtons, &QButtonGroup::idClicked, this, &ServerListWindow::onFilterChange);
    connect(searchEdit.data(), &QLineEdit::textChanged, this, &ServerListWindow::onSearchTextChanged);
    connect(ui->pbSearch, &QPushButton::clicked, this, &ServerListWindow::onSearch);
    connect(view, &ServerTreeView::selectLocationIndex, this, &ServerListWindow::selServer);
    connect(ui->pbBack, &QPushButton::clicked, this, &ServerListWindow::onBack);
    clickOnEscape(this, ui->pbBack);
    retranslate();
}

ServerListWindow::~ServerListWindow()
{
    // The view goes before the proxy it shows.
    view->setModel(nullptr);
    delete ui;
}

QString ServerListWindow::favoritesKey(int protocol)
{
    switch (protocol) {
    case VpnProtocol::Udp:
        return QLatin1String(SettingsKey::favoriteServersUdp);
    case VpnProtocol::Tcp:
        return QLatin1String(SettingsKey::favoriteServersTcp);
    default:
        return QLatin1String(SettingsKey::favoriteServersSsl);
    }
}

void ServerListWindow::setServers(const QVector<ServerInfo>& list, int newProtocol, bool keepView)
{
    if (newProtocol != -1) {
        protocol = newProtocol;
    }
    const QStringList favorites = storedFavorites(favoritesKey(protocol));
    servers.clear();
    int favoriteCount = 0;
    for (const ServerInfo& record : list) {
        if (!offers(record, protocol)) {
            continue;
        }
        ServerInfo kept = record;
        if (favorites.contains(identifierText(kept))) {
            kept.marked = true;
            ++favoriteCount;
        }
        servers.append(kept);
    }
    if (keepView && model != nullptr) {
        model->setServerList(servers);
        view->setVisible(proxy->rowCount() > 0);
        return;
    }
    if (favoriteCount > 0) {
        onFilterChange(FavoritesView);
    } else if (lastLocationIsDoubleHop()) {
        onFilterChange(hasGroup(2) ? DoubleView : StandardView);
    } else {
        onFilterChange(hasGroup(1) ? StandardView : DoubleView);
    }
}

bool ServerListWindow::hasGroup(int group) const
{
    return std::any_of(servers.cbegin(), servers.cend(),
                       [group](const ServerInfo& server) { return server.group == group; });
}

bool ServerListWindow::lastLocationIsDoubleHop() const
{
    const QStringList parts = LocalSettings::instance()
                                  ->value(QLatin1String(SettingsKey::lastLocationId))
                                  .toString()
                                  .split(QStringLiteral("::"));
    return parts.size() >= 2 && parts.at(1).contains(QLatin1Char('-'));
}

void ServerListWindow::installModel(ModelKind kind)
{
    QSharedPointer<AbstractServerModel> newModel;
    QSharedPointer<AbstractFilterModel> newProxy;
    QAbstractItemDelegate* delegate = nullptr;
    switch (kind) {
    case ModelKind::Flat:
        newModel = QSharedPointer<ServerPingModel>::create();
        newProxy = QSharedPointer<PingSortFilterProxyModel>::create();
        delegate = new ServerItemDelegate(view);
        break;
    case ModelKind::Tree:
        newModel = QSharedPointer<ServerTreeModel>::create();
        newProxy = QSharedPointer<TreePingSortFilterProxyModel>::create();
        delegate = new ServerTreeItemDelegate(view);
        break;
    case ModelKind::Favorites:
        newModel = QSharedPointer<FavoritesServerModel>::create();
        newProxy = QSharedPointer<FavoritesSortFilterProxyModel>::create();
        delegate = new FavoriteServerItemDelegate(view);
        break;
    }
    // The previous delegate is the view's child; it goes with the model it painted.
    QAbstractItemDelegate* previous = view->itemDelegate();
    view->setItemDelegate(delegate);
    if (previous != nullptr && previous->parent() == view) {
        previous->deleteLater();
    }
    connect(newModel.data(), &AbstractServerModel::favoriteChanged, this, &ServerListWindow::onFavoriteChanged);
    newModel->setServerList(servers);
    newProxy->setSourceModel(newModel.data());

    ui->pbFavorites->show();
    ui->pbDouble->setVisible(hasGroup(2));
    ui->pbStandart->setVisible(hasGroup(1));

    view->setModel(newProxy.data());
    proxy = newProxy;
    model = newModel;
    view->setSortingEnabled(true);
    view->sortByColumn(0, Qt::AscendingOrder);
    view->setColumnWidth(0, 280);
    view->setColumnWidth(1, 40);
}

void ServerListWindow::onFilterChange(int id)
{
    for (QPushButton* button : {ui->pbFavorites, ui->pbDouble, ui->pbStandart, ui->pbSearch}) {
        button->setChecked(false);
    }
    searchEdit->hide();
    currentViewId = id;
    switch (id) {
    case FavoritesView:
        installModel(ModelKind::Favorites);
        proxy->setFavoritesFilter();
        ui->pbFavorites->setChecked(true);
        view->expandAll();
        break;
    case StandardView:
        installModel(ModelKind::Flat);
        proxy->setStandardFilter();
        ui->pbStandart->setChecked(true);
        view->collapseAll();
        break;
    case DoubleView:
        installModel(ModelKind::Tree);
        proxy->setDoubleFilter();
        ui->pbDouble->setChecked(true);
        view->collapseAll();
        break;
    default:
        currentViewId = SearchView;
        installModel(ModelKind::Flat);
        ui->pbFavorites->hide();
        ui->pbDouble->hide();
        ui->pbStandart->hide();
        proxy->setSearchFilter(searchEdit->text());
        ui->pbSearch->setChecked(true);
        view->collapseAll();
        searchEdit->show();
        searchEdit->raise();
        searchEdit->setFocus();
        break;
    }
    view->setVisible(proxy->rowCount() > 0);
}

void ServerListWindow::onSearch()
{
    if (ui->pbSearch->isChecked()) {
        onFilterChange(SearchView);
        return;
    }
    ui->pbSearch->setChecked(false);
    if (storedFavorites(favoritesKey(protocol)).isEmpty()) {
        onFilterChange(lastLocationIsDoubleHop() ? DoubleView : StandardView);
    } else {
        onFilterChange(FavoritesView);
    }
}

void ServerListWindow::onSearchTextChanged()
{
    // Already searching: the flat model holds exactly what a rebuild would give it (marks
    // are kept current in servers), so only the text is applied again.
    if (currentViewId == SearchView && proxy != nullptr) {
        proxy->setSearchFilter(searchEdit->text());
        view->setVisible(proxy->rowCount() > 0);
        return;
    }
    onFilterChange(SearchView);
}

void ServerListWindow::onFavoriteChanged()
{
    for (ServerInfo& server : servers) {
        server.marked = false;
    }
    QStringList stored;
    for (const ServerInfo& favorite : model->favorites()) {
        stored.append(identifierText(favorite));
        for (ServerInfo& server : servers) {
            if (server.id == favorite.id) {
                server.marked = true;
            }
        }
    }
    LocalSettings::instance()->setValue(favoritesKey(protocol), stored);
    if (ui->pbFavorites->isChecked()) {
        model->setServerList(servers);
    }
}

void ServerListWindow::selServer(QModelIndex index)
{
    if (!index.isValid()) {
        return;
    }
    const QModelIndex source = proxy->mapToSource(index);
    selected = model->serverInfo(source);
    if (!selected.id.isEmpty() || index.parent().isValid()) {
        if (index.column() == 1 || index.sibling(index.row(), 0).data(AbstractServerModel::HeaderRole).toBool()) {
            return;
        }
        emit serverSelected(ServerIdentif(selected.user, selected.id));
        return;
    }
    const QModelIndex group = index.sibling(index.row(), 0);
    view->setExpanded(group, !view->isExpanded(group));
}

void ServerListWindow::onBack()
{
    emit back();
}

bool ServerListWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The list takes no clicks through the keyboard by itself: Enter picks the current row.
    if (watched == view && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            selServer(view->currentIndex().sibling(view->currentIndex().row(), 0));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ServerListWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QWidget::changeEvent(event);
}

void ServerListWindow::retranslate()
{
    setWindowTitle(QString());
    ui->pbStandart->setText(tr("Standard VPN"));
    ui->pbDouble->setText(tr("Double VPN"));
    ui->pbBack->setToolTip(tr("Back"));
    ui->pbBack->setAccessibleName(tr("Back"));
    ui->pbFavorites->setToolTip(tr("Favorites"));
    ui->pbFavorites->setAccessibleName(tr("Favorites"));
    ui->pbSearch->setToolTip(tr("Search"));
    ui->pbSearch->setAccessibleName(tr("Search"));
}
