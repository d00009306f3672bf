#include "servers/FavoriteServerItemDelegate.h"
#include "servers/FavoritesServerModel.h"
#include "servers/FavoritesSortFilterProxyModel.h"
#include "servers/PingSortFilterProxyModel.h"
#include "servers/ServerItemDelegate.h"
#include "servers/ServerPingModel.h"
#include "servers/ServerTreeItemDelegate.h"
#include "servers/ServerTreeModel.h"
#include "servers/ServerTreeView.h"
#include "servers/TreePingSortFilterProxyModel.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QResource>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

ServerInfo server(const QString& id, int group, const QString& flag = "de", int ping = 0, bool marked = false)
{
    ServerInfo info;
    info.id = id;
    info.group = group;
    info.flag = flag;
    info.ping = ping;
    info.marked = marked;
    info.user = "u1";
    return info;
}

enum Kind
{
    Flat,
    Tree,
    Favourites
};

// One model, proxy and delegate as the picker pairs them.
struct Trio
{
    explicit Trio(int kind, const QVector<ServerInfo>& list)
    {
        if (kind == Flat) {
            model = std::make_unique<ServerPingModel>();
            proxy = std::make_unique<PingSortFilterProxyModel>();
            delegate = std::make_unique<ServerItemDelegate>();
        } else if (kind == Tree) {
            model = std::make_unique<ServerTreeModel>();
            proxy = std::make_unique<TreePingSortFilterProxyModel>();
            delegate = std::make_unique<ServerTreeItemDelegate>();
        } else {
            model = std::make_unique<FavoritesServerModel>();
            proxy = std::make_unique<FavoritesSortFilterProxyModel>();
            delegate = std::make_unique<FavoriteServerItemDelegate>();
        }
        model->setServerList(list);
        proxy->setSourceModel(model.get());
        if (kind == Tree)
            proxy->setDoubleFilter();
    }
    // A server row of the model: the first child of the first group for the tree.
    QModelIndex serverIndex(int row, int column) const
    {
        const QModelIndex group = model->index(0, 0);
        return model->rowCount(group) > 0 ? model->index(row, column, group) : model->index(row, column);
    }
    std::unique_ptr<AbstractServerModel> model;
    std::unique_ptr<AbstractFilterModel> proxy;
    std::unique_ptr<AbstractTreeItemDelegate> delegate;
};

const QVector<ServerInfo> Sample{server("Germany-France", 2), server("Germany-Spain", 2, "de", 5, true)};
const QVector<ServerInfo> FavouriteSample{server("Paris", 1, "fr", 3, true), server("Rome", 1, "it", 9)};

QStyleOptionViewItem cell(const QRect& rect, bool hover = false)
{
    QStyleOptionViewItem option;
    option.rect = rect;
    option.state = QStyle::State_Enabled | (hover ? QStyle::State_MouseOver : QStyle::State_None);
    return option;
}

bool release(QAbstractItemDelegate& delegate, const QModelIndex& index, const QRect& rect, const QPoint& at,
             QEvent::Type type = QEvent::MouseButtonRelease)
{
    QMouseEvent event(type, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    return delegate.editorEvent(&event, const_cast<QAbstractItemModel*>(index.model()), cell(rect), index);
}

// A 320 x 80 strip with one row painted at y = 40 (columns 280 and 40 wide).
QImage paintRow(const Trio& trio, const QModelIndex& index, bool hover = false)
{
    QImage image(320, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    trio.delegate->paint(&painter, cell(QRect(0, 40, 280, 40), hover), index.sibling(index.row(), 0));
    trio.delegate->paint(&painter, cell(QRect(280, 40, 40, 40), hover), index.sibling(index.row(), 1));
    return image;
}

// Anything but the background in the rectangle (for artwork that may not exist yet).
bool painted(const QImage& image, const QRect& rect, QRgb background)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixel(x, y) != background)
                return true;
    return false;
}

} // namespace

class ServerDelegatesTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QResource::registerResource(qEnvironmentVariable("QUARNEL_SHOTS_RCC")); }

    // The click area is 5 pixels around the 24 x 24 star box, edges inclusive.
    void starHitTest_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<bool>("toggles");
        const QList<QPair<QPoint, bool>> offsets{{{-5, 0}, true}, {{-6, 0}, false}, {{23, 0}, true}, {{24, 0}, false},
                                                 {{0, -5}, true}, {{0, -6}, false}, {{0, 23}, true}, {{0, 24}, false}};
        for (int kind : {Flat, Tree, Favourites})
            for (const auto& offset : offsets)
                QTest::addRow("%d (%d,%d)", kind, offset.first.x(), offset.first.y())
                    << kind << offset.first << offset.second;
    }
    void starHitTest()
    {
        QFETCH(int, kind);
        QFETCH(QPoint, offset);
        QFETCH(bool, toggles);
        Trio trio(kind, kind == Favourites ? FavouriteSample : Sample);
        const QModelIndex star = trio.serverIndex(1, 1);
        const bool before = star.data().toBool();
        const QRect rect(280, 40, 40, 40);
        // x = 319 - 30, y = (40 + 79) / 2 - 10
        QCOMPARE(trio.delegate->starPosition(rect), QPoint(289, 49));
        QCOMPARE(release(*trio.delegate, star, rect, QPoint(289, 49) + offset), toggles);
        QCOMPARE(star.data().toBool(), toggles ? !before : before);
        QVERIFY(!release(*trio.delegate, star, rect, QPoint(289, 49), QEvent::MouseButtonPress));
    }

    // Rows that have no star to toggle, hit right on the star position.
    void noToggle_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("favourite header") << int(Favourites) << 0 << 1;
        QTest::newRow("recommended header") << int(Favourites) << 2 << 1;
        QTest::newRow("flat column 0") << int(Flat) << 0 << 0;
        QTest::newRow("tree group arrow") << int(Tree) << -1 << 1;
    }
    void noToggle()
    {
        QFETCH(int, kind);
        QFETCH(int, row);
        QFETCH(int, column);
        Trio trio(kind, kind == Favourites ? FavouriteSample : Sample);
        const QModelIndex index = row < 0 ? trio.model->index(0, column) : trio.model->index(row, column);
        const QRect rect(column ? 280 : 0, 40, column ? 40 : 280, 40);
        QSignalSpy changed(trio.model.get(), &QAbstractItemModel::dataChanged);
        QVERIFY(!release(*trio.delegate, index, rect, trio.delegate->starPosition(rect)));
        QVERIFY(changed.isEmpty());
        QCOMPARE(trio.delegate->sizeHint(cell(rect), index), QSize(0, 40));
    }

    void paintedPixels_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("hover");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour");
        const QColor idle(250, 250, 250), lit(242, 242, 242), line(204, 204, 204);
        QTest::newRow("server left edge") << int(Flat) << 0 << false << QPoint(0, 45) << idle;
        QTest::newRow("server beside flag") << int(Flat) << 0 << false << QPoint(34, 60) << idle;
        QTest::newRow("server hover") << int(Flat) << 0 << true << QPoint(5, 45) << lit;
        QTest::newRow("server separator") << int(Flat) << 0 << false << QPoint(44, 79) << line;
        QTest::newRow("server no separator under flag")
            << int(Flat) << 0 << false << QPoint(43, 79) << QColor(Qt::white);
        QTest::newRow("star separator") << int(Flat) << 0 << false << QPoint(300, 79) << line;
        QTest::newRow("star background") << int(Flat) << 0 << true << QPoint(282, 45) << lit;
        QTest::newRow("tree server covers indentation") << int(Tree) << 0 << false << QPoint(0, 45) << idle;
        QTest::newRow("group line above") << int(Tree) << -1 << false << QPoint(100, 39) << line;
        QTest::newRow("group line below") << int(Tree) << -1 << false << QPoint(100, 79) << line;
        QTest::newRow("group background") << int(Tree) << -1 << false << QPoint(5, 45) << idle;
        QTest::newRow("header background") << int(Favourites) << 0 << false << QPoint(0, 45) << lit;
        QTest::newRow("header separator") << int(Favourites) << 2 << false << QPoint(44, 79) << line;
        QTest::newRow("header spans the row") << int(Favourites) << 2 << false << QPoint(310, 45) << lit;
    }
    void paintedPixels()
    {
        QFETCH(int, kind);
        QFETCH(int, row);
        QFETCH(bool, hover);
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        Trio trio(kind, kind == Favourites ? FavouriteSample : Sample);
        const QModelIndex index = row < 0 ? trio.model->index(0, 0) : trio.serverIndex(row, 0);
        QCOMPARE(paintRow(trio, index, hover).pixelColor(at), colour);
    }

    // Flag and star land where they should once their pictures exist; an unknown
    // country still gets a (placeholder) flag.
    void artworkPlacement_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::newRow("known") << "de";
        QTest::newRow("unknown") << "zz";
        QTest::newRow("empty") << "";
    }
    void artworkPlacement()
    {
        QFETCH(QString, flag);
        Trio trio(Flat, {server("Germany", 1, flag, 0, true)});
        const QImage image = paintRow(trio, trio.model->index(0, 0));
        const QRgb idle = qRgb(250, 250, 250);
        const bool flagExists = QFile::exists(":/resources/flags/" + flag.toUpper() + ".png") ||
                                QFile::exists(":/resources/flags/placeholder.png");
        QCOMPARE(painted(image, QRect(10, 47, 24, 24), idle), flagExists);
        QVERIFY(!painted(image, QRect(34, 47, 9, 24), idle));
        QCOMPARE(painted(image, QRect(289, 49, 21, 20), idle), QFile::exists(":/resources/star-full.svg"));
        QVERIFY(!painted(image, QRect(281, 45, 7, 30), idle));
        QVERIFY(painted(image, QRect(44, 45, 100, 30), idle)); // the name
    }

    void viewPresses()
    {
        Trio flat(Flat, {server("Berlin", 1), server("Paris", 1, "fr", 0, true)});
        ServerTreeView view;
        view.setModel(flat.proxy.get());
        view.setItemDelegate(flat.delegate.get());
        view.header()->hide();
        // Whatever the font: its widest glyph must not widen the star column, which
        // would push the star beyond the view's right edge.
        QFont wide = view.header()->font();
        wide.setPixelSize(120);
        view.header()->setFont(wide);
        view.setColumnWidth(0, 280);
        view.setColumnWidth(1, 40);
        view.resize(320, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.visualRect(flat.proxy->index(0, 1)).right(), view.viewport()->width() - 1);
        QSignalSpy selected(&view, &ServerTreeView::selectLocationIndex);
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(100, 250));
        QCOMPARE(selected.count(), 1);
        QVERIFY(!selected.takeFirst().first().toModelIndex().isValid());
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(100, 60));
        QCOMPARE(selected.takeFirst().first().toModelIndex().data().toString(), QString("Paris"));

        // A click on a flat row's star reaches the delegate on release.
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(289 + 5, 9 + 5));
        QCOMPARE(flat.model->index(0, 1).data().toBool(), true);

        Trio tree(Tree, Sample);
        view.setModel(tree.proxy.get());
        view.setItemDelegate(tree.delegate.get());
        view.expandAll();
        selected.clear();
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(300, 60));
        QVERIFY(selected.isEmpty());
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(289 + 5, 49 + 5));
        QCOMPARE(tree.model->index(0, 1, tree.model->index(0, 0)).data().toBool(), true);
        QVERIFY(selected.isEmpty());
    }

    // With QUARNEL_SHOTS_DIR set, renders each view of the picker with realistic
    // locations there, to be looked at (QUARNEL_SHOTS_RCC: stand-in artwork).
    void screenshots()
    {
        const QString dir = qEnvironmentVariable("QUARNEL_SHOTS_DIR");
        if (dir.isEmpty())
            return;
        const QStringList entries{"Germany:de", "France:fr", "Italy:it", "Spain:es", "Netherlands:nl", "Sweden:se"};
        QVector<ServerInfo> list;
        for (const QString& entry : entries) {
            const QStringList place = entry.split(':');
            for (int n = 0; n < 10; ++n) {
                const QString exit = entries.at((n + 1) % entries.size()).section(':', 0, 0);
                const bool single = n < 2;
                list << server(single ? place[0] + (n ? " " + QString::number(n + 1) : QString())
                                      : place[0] + '-' + exit,
                               single ? 1 : 2, n == 3 ? "xx" : place[1], (n * 37 + place[0].size() * 11) % 90, n == 1);
            }
        }
        QDir().mkpath(dir);
        for (int kind : {Flat, Tree, Favourites}) {
            Trio trio(kind, list);
            ServerTreeView view;
            view.setModel(trio.proxy.get());
            view.setItemDelegate(trio.delegate.get());
            view.header()->hide();
            view.setSortingEnabled(true);
            view.sortByColumn(0, Qt::AscendingOrder);
            view.setColumnWidth(0, 280);
            view.setColumnWidth(1, 40);
            view.resize(320, 450);
            view.show();
            view.expandAll();
            QVERIFY(QTest::qWaitForWindowExposed(&view));
            QTest::mouseMove(view.viewport(), QPoint(100, 100));
            view.grab().save(dir + QStringLiteral("/view%1.png").arg(kind));
        }
    }
};

QTEST_MAIN(ServerDelegatesTest)
#include "ServerDelegatesTest.moc"
