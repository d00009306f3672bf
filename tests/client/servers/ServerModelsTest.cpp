#include "servers/FavoritesServerModel.h"
#include "servers/FavoritesSortFilterProxyModel.h"
#include "servers/PingSortFilterProxyModel.h"
#include "servers/ServerPingModel.h"
#include "servers/ServerTreeModel.h"
#include "servers/TreePingSortFilterProxyModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

ServerInfo server(const QString& id, int group, int ping = 0, bool marked = false, const QString& user = "u1")
{
    ServerInfo info;
    info.id = id;
    info.group = group;
    info.ping = ping;
    info.marked = marked;
    info.user = user;
    info.flag = id.left(2).toLower();
    return info;
}

enum Kind
{
    Flat,
    Tree,
    Favourites
};

std::unique_ptr<AbstractServerModel> makeModel(int kind)
{
    if (kind == Flat)
        return std::make_unique<ServerPingModel>();
    if (kind == Tree)
        return std::make_unique<ServerTreeModel>();
    return std::make_unique<FavoritesServerModel>();
}

std::unique_ptr<AbstractFilterModel> makeProxy(int kind)
{
    if (kind == Flat)
        return std::make_unique<PingSortFilterProxyModel>();
    if (kind == Tree)
        return std::make_unique<TreePingSortFilterProxyModel>();
    return std::make_unique<FavoritesSortFilterProxyModel>();
}

// What a view shows, top to bottom: ids, and "group>id" below a group row.
QStringList shown(const QAbstractItemModel& model, const QModelIndex& parent = QModelIndex())
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        const QString text = index.data().toString();
        rows << (parent.isValid() ? parent.data().toString() + '>' + text : text);
        if (model.rowCount(index) > 0)
            rows.removeLast(), rows << shown(model, index);
    }
    return rows;
}

const QVector<ServerInfo> Duplicates{server("A", 1, 10), server("B", 1, 20), server("A", 1, 5, true),
                                     server("C", 2, 30)};
const QVector<ServerInfo> TreeList{server("Germany-France", 2, 40), server("Germany-Spain", 2, 30, true),
                                   server("Italy-France", 2, 20), server("berlin", 1, 10), server("Spain-Italy", 2, 0)};
const QVector<ServerInfo> FlatList{
    server("Zurich", 1, 12),   server("Rotterdam", 1, 9, true), server("Amsterdam-Paris", 2, 50),
    server("amsterdam", 1, 7), server("Berlin", 1, 3),          server("Germany-France", 2, 40, true),
    server("Odd", 0, 1)};

} // namespace

Q_DECLARE_METATYPE(QVector<ServerInfo>)

class ServerModelsTest : public QObject
{
    Q_OBJECT
private slots:
    // Each model and each proxy over it stays consistent through lists replaced while
    // attached, mode switches and star writes.
    void modelsAndProxiesAreConsistent_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("flat") << int(Flat);
        QTest::newRow("tree") << int(Tree);
        QTest::newRow("favourites") << int(Favourites);
    }
    void modelsAndProxiesAreConsistent()
    {
        QFETCH(int, kind);
        const auto model = makeModel(kind);
        const auto proxy = makeProxy(kind);
        QAbstractItemModelTester modelTester(model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        proxy->setSourceModel(model.get());
        proxy->sort(0);
        QAbstractItemModelTester proxyTester(proxy.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        for (const QVector<ServerInfo>& list :
             {QVector<ServerInfo>(), Duplicates, TreeList, FlatList, QVector<ServerInfo>()}) {
            model->setServerList(list);
            proxy->setDoubleFilter();
            proxy->setFavoritesFilter();
            proxy->setSearchFilter("a");
            proxy->setStandardFilter();
            const QModelIndex first = model->index(0, 0);
            const QModelIndex star = model->index(0, 1, kind == Tree ? first : QModelIndex());
            if (star.isValid())
                model->setData(star, !star.data().toBool());
        }
    }

    void emptyList()
    {
        ServerPingModel flat;
        flat.setServerList({});
        QCOMPARE(flat.rowCount(), 0);
        ServerTreeModel tree;
        QCOMPARE(tree.rowCount(), 0);
        tree.setServerList({});
        QCOMPARE(tree.rowCount(), 0);
        FavoritesServerModel favourites;
        favourites.setServerList({});
        QCOMPARE(shown(favourites), QStringList{"<=>"});
    }

    // A repeated id is one row, in the place of its first appearance, with the later
    // record; no location after it is lost.
    void flatModelRepeatedId()
    {
        ServerPingModel model;
        model.setServerList(Duplicates);
        QCOMPARE(shown(model), QStringList({"A", "B", "C"}));
        QCOMPARE(model.serverInfo(model.index(0, 0)).ping, 5);
        QCOMPARE(model.index(0, 1).data().toBool(), true);
        QCOMPARE(model.serverInfo(model.index(2, 0)).group, 2);
        QCOMPARE(model.favorites().size(), 1);
    }

    void treeGroups()
    {
        ServerTreeModel model;
        model.setServerList({server("Germany-France", 2), server("Italy-France", 2), server("Germany-Spain", 2),
                             server("Zurich", 1), server("-Odd", 2), server("Germany-France", 2, 0, false, "u2")});
        QCOMPARE(shown(model), QStringList({"Germany>Germany-France", "Germany>Germany-Spain", "Germany>Germany-France",
                                            "Italy>Italy-France", "Zurich>Zurich", ">-Odd"}));
        const QModelIndex germany = model.index(0, 0);
        QCOMPARE(model.serverInfo(germany).id, QString());
        QCOMPARE(model.serverInfo(model.index(2, 0, germany)).user, QString("u2"));
        QCOMPARE(model.index(1, 1, germany).data(AbstractServerModel::GroupRole), QVariant());
        QCOMPARE(model.index(1, 0, germany).data(AbstractServerModel::GroupRole).toInt(), 2);
    }

    void favouriteSections_data()
    {
        QTest::addColumn<QVector<ServerInfo>>("list");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("fastest first, unmeasured leads")
            << QVector<ServerInfo>{server("P30", 1, 30), server("P0", 1, 0), server("P12", 1, 12), server("P45", 1, 45)}
            << QStringList{"<=>", "P0", "P12", "P30"};
        QTest::newRow("favourites, then three of each group")
            << QVector<ServerInfo>{server("S1", 1, 5, true), server("D1", 2, 9), server("S2", 1, 1),
                                   server("D2", 2, 1, true), server("S3", 1, 3), server("S4", 1, 4),
                                   server("D3", 2, 3),       server("D4", 2, 4), server("X", 0, 0, true)}
            << QStringList{"<*>", "S1", "D2", "X", "<=>", "S2", "S3", "S4", "D2", "D3", "D4"};
    }
    void favouriteSections()
    {
        QFETCH(QVector<ServerInfo>, list);
        FavoritesServerModel model;
        model.setServerList(list);
        QTEST(shown(model), "rows");
        for (const ServerInfo& info : model.favorites())
            QVERIFY(!FavoritesServerModel::isHeader(info));
        const int headerRows = model.match(model.index(0, 0), AbstractServerModel::HeaderRole, true, -1).size();
        QCOMPARE(headerRows, list.first().marked ? 2 : 1);
    }

    // What a star write answers and announces, per model.
    void starWrites_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("value");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("favoriteChanged");
        QTest::addColumn<int>("dataChanged");
        // Rows of Duplicates: flat A (starred), B; favourites <*>, A; tree group "A", its server row.
        QTest::newRow("flat already starred") << int(Flat) << 0 << 1 << true << true << 0 << 1;
        QTest::newRow("flat unstar") << int(Flat) << 0 << 1 << false << true << 1 << 1;
        QTest::newRow("flat column 0") << int(Flat) << 1 << 0 << true << false << 0 << 0;
        QTest::newRow("tree already starred") << int(Tree) << 0 << 1 << true << true << 0 << 1;
        QTest::newRow("tree star") << int(Tree) << 0 << 1 << false << true << 1 << 1;
        QTest::newRow("tree column 0") << int(Tree) << 0 << 0 << false << false << 0 << 0;
        QTest::newRow("tree group row") << int(Tree) << -1 << 1 << true << false << 0 << 0;
        QTest::newRow("favourites already starred") << int(Favourites) << 1 << 1 << true << true << 0 << 0;
        QTest::newRow("favourites column 0") << int(Favourites) << 1 << 0 << false << false << 0 << 0;
    }
    void starWrites()
    {
        QFETCH(int, kind);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, value);
        const auto model = makeModel(kind);
        model->setServerList(Duplicates);
        const QModelIndex group = model->index(0, 0);
        const QModelIndex index = kind != Tree ? model->index(row, column)
                                  : row < 0    ? model->index(0, column)
                                               : model->index(row, column, group);
        QVERIFY(index.isValid());
        const QList<ServerInfo> before = model->favorites();
        QSignalSpy favoriteChanged(model.get(), &AbstractServerModel::favoriteChanged);
        QSignalSpy dataChanged(model.get(), &QAbstractItemModel::dataChanged);
        QTEST(model->setData(index, value), "result");
        QTEST(int(favoriteChanged.count()), "favoriteChanged");
        QTEST(int(dataChanged.count()), "dataChanged");
        if (favoriteChanged.isEmpty())
            QCOMPARE(model->favorites().size(), before.size());
        else
            QCOMPARE(model->favorites().isEmpty(), !value);
    }

    // A favourite that is also recommended: one change clears both rows.
    void unstarFavouriteListedTwice()
    {
        FavoritesServerModel model;
        model.setServerList({server("Fast", 1, 1, true), server("Slow", 1, 90)});
        QCOMPARE(shown(model), QStringList({"<*>", "Fast", "<=>", "Fast", "Slow"}));
        QCOMPARE(model.favorites().size(), 1);
        QSignalSpy favoriteChanged(&model, &AbstractServerModel::favoriteChanged);
        QSignalSpy dataChanged(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.setData(model.index(1, 1), false));
        QCOMPARE(favoriteChanged.count(), 1);
        QCOMPARE(dataChanged.count(), 2);
        // The star column is repainted too.
        QCOMPARE(dataChanged.at(1).at(1).toModelIndex(), model.index(3, 1));
        QCOMPARE(model.index(1, 1).data().toBool(), false);
        QCOMPARE(model.index(3, 1).data().toBool(), false);
        QVERIFY(model.favorites().isEmpty());
        QCOMPARE(shown(model).size(), 5);
    }

    void proxyFilterAndOrder_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("rows");
        using M = AbstractFilterModel;
        QTest::newRow("flat standard") << int(Flat) << int(M::Standard) << QString()
                                       << QStringList{"amsterdam", "Berlin", "Rotterdam", "Zurich"};
        QTest::newRow("flat double") << int(Flat) << int(M::Double) << QString()
                                     << QStringList{"Amsterdam-Paris", "Germany-France"};
        QTest::newRow("flat favourites") << int(Flat) << int(M::Favorites) << QString()
                                         << QStringList{"Rotterdam", "Germany-France"};
        QTest::newRow("flat search AM") << int(Flat) << int(M::Search) << "AM"
                                        << QStringList{"amsterdam", "Rotterdam", "Amsterdam-Paris"};
        QTest::newRow("flat search empty")
            << int(Flat) << int(M::Search) << QString()
            << QStringList{"amsterdam", "Berlin", "Rotterdam", "Zurich", "Amsterdam-Paris", "Germany-France"};
        QTest::newRow("flat search nothing") << int(Flat) << int(M::Search) << "xyz" << QStringList{};
        QTest::newRow("tree double") << int(Tree) << int(M::Double) << QString()
                                     << QStringList{"Germany>Germany-France", "Germany>Germany-Spain",
                                                    "Italy>Italy-France", "Spain>Spain-Italy"};
        QTest::newRow("tree standard hides empty groups")
            << int(Tree) << int(M::Standard) << QString() << QStringList{"berlin>berlin"};
        QTest::newRow("tree favourites") << int(Tree) << int(M::Favorites) << QString()
                                         << QStringList{"Germany>Germany-Spain"};
        QTest::newRow("tree search FR") << int(Tree) << int(M::Search) << "FR"
                                        << QStringList{"Germany>Germany-France", "Italy>Italy-France"};
        QTest::newRow("tree search empty")
            << int(Tree) << int(M::Search) << QString()
            << QStringList{"berlin>berlin", "Germany>Germany-France", "Germany>Germany-Spain", "Italy>Italy-France",
                           "Spain>Spain-Italy"};
        QTest::newRow("favourites in any mode")
            << int(Favourites) << int(M::Search) << "xyz"
            << QStringList{"<*>",       "Rotterdam",      "Germany-France", "<=>", "Berlin", "amsterdam",
                           "Rotterdam", "Germany-France", "Amsterdam-Paris"};
    }
    void proxyFilterAndOrder()
    {
        QFETCH(int, kind);
        QFETCH(int, mode);
        QFETCH(QString, text);
        const auto model = makeModel(kind);
        const auto proxy = makeProxy(kind);
        model->setServerList(kind == Tree ? TreeList : FlatList);
        proxy->setSourceModel(model.get());
        proxy->sort(0);
        switch (mode) {
        case AbstractFilterModel::Standard:
            proxy->setSearchFilter("zzz"); // leaving another mode re-filters
            proxy->setStandardFilter();
            break;
        case AbstractFilterModel::Double:
            proxy->setDoubleFilter();
            break;
        case AbstractFilterModel::Favorites:
            proxy->setFavoritesFilter();
            break;
        default:
            proxy->setSearchFilter(text);
        }
        QTEST(shown(*proxy), "rows");
    }
};

QTEST_GUILESS_MAIN(ServerModelsTest)
#include "ServerModelsTest.moc"
