#pragma once

#include "data/ServerIdentif.h"
#include "data/ServerInfo.h"

#include <QButtonGroup>
#include <QModelIndex>
#include <QSharedPointer>
#include <QVector>
#include <QWidget>

class AbstractFilterModel;
class AbstractServerModel;
class SearchEdit;
class ServerTreeView;

namespace Ui {
class ServerListWindow;
}

// The location picker: the servers that offer the protocol in use, as favourites with
// recommendations, a flat list of single-hop servers, the double-hop servers grouped by
// entry location, or a search over all of them. Keeps the favourites of each protocol
// in the settings and tells which location the user picked.
class ServerListWindow : public QWidget
{
    Q_OBJECT

public:
    // The views, as onFilterChange takes them.
    enum View
    {
        FavoritesView = 0,
        StandardView = 1,
        DoubleView = 2,
        SearchView = 3
    };

    explicit ServerListWindow(QWidget* parent = nullptr);
    ~ServerListWindow() override;

    // keepView false when the picker is opened for a protocol; true when the list or the
    // protocol changed while it may be open (protocol -1 keeps the current one).
    void setServers(const QVector<ServerInfo>& servers, int protocol, bool keepView);

    int currentView() const { return currentViewId; }
    ServerTreeView* serverView() const { return view; }
    SearchEdit* searchField() const { return searchEdit.data(); }
    const QVector<ServerInfo>& shownServers() const { return servers; }

    // The settings key of a protocol's favourites list.
    static QString favoritesKey(int protocol);

signals:
    void serverSelected(ServerIdentif server);
    void back();
    void faq();
    void serverUpdate();

public slots:
    void selServer(QModelIndex index);
    void onBack();
    void onSearch();
    void onSearchTextChanged();
    void onFilterChange(int id);
    void onFavoriteChanged();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class ModelKind
    {
        Flat,
        Tree,
        Favorites
    };

    void installModel(ModelKind kind);
    bool hasGroup(int group) const;
    bool lastLocationIsDoubleHop() const;
    void retranslate();

    Ui::ServerListWindow* ui;
    int protocol = -1;
    int currentViewId = StandardView;
    QVector<ServerInfo> servers;
    ServerInfo selected;
    QSharedPointer<AbstractServerModel> model;
    QSharedPointer<AbstractFilterModel> proxy;
    QButtonGroup filterButtons;
    ServerTreeView* view;
    QSharedPointer<SearchEdit> searchEdit;
};
