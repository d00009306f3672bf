#include "servers/ServerTreeModel.h"

#include "servers/ServerTreeItem.h"

#include <QSet>
#include <QStringList>

ServerTreeModel::ServerTreeModel(QObject* parent) : AbstractServerModel(parent) {}

ServerTreeModel::~ServerTreeModel() = default;

QString ServerTreeModel::groupKey(const QString& id)
{
    const int dash = id.indexOf(QLatin1Char('-'));
    return dash < 0 ? id : id.left(dash);
}

void ServerTreeModel::setServerList(const QVector<ServerInfo>& servers)
{
    beginResetModel();
    records.clear();
    rootItem.reset();

    QStringList groupKeys;
    for (const ServerInfo& info : servers) {
        records.insert(qMakePair(info.user, info.id), info);
        const QString key = groupKey(info.id);
        if (!groupKeys.contains(key))
            groupKeys.append(key);
    }

    rootItem = std::make_unique<ServerTreeItem>(ServerInfo());
    for (const QString& key : groupKeys) {
        ServerInfo group;
        group.groupTitle = key;
        ServerTreeItem* groupItem = rootItem->appendChild(group);
        // A repeated (user, id) gets one row, showing the record that replaced the
        // earlier one, so the row and records never disagree.
        QSet<QPair<QString, QString>> placed;
        for (const ServerInfo& info : servers) {
            const auto recordKey = qMakePair(info.user, info.id);
            if (groupKey(info.id) != key || placed.contains(recordKey))
                continue;
            placed.insert(recordKey);
            groupItem->appendChild(records.value(recordKey));
        }
    }
    endResetModel();
}

QList<ServerInfo> ServerTreeModel::favorites() const
{
    QList<ServerInfo> result;
    for (const ServerInfo& info : records)
        if (info.marked)
            result.append(info);
    return result;
}

ServerInfo ServerTreeModel::serverInfo(const QModelIndex& index) const
{
    if (!index.isValid() || !index.parent().isValid())
        return ServerInfo();
    const ServerTreeItem* item = itemFor(index);
    return item ? item->info : ServerInfo();
}

ServerTreeItem* ServerTreeModel::itemFor(const QModelIndex& index) const
{
    if (!index.isValid())
        return rootItem.get();
    return static_cast<ServerTreeItem*>(index.internalPointer());
}

QModelIndex ServerTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent))
        return QModelIndex();
    const ServerTreeItem* parentItem = itemFor(parent);
    ServerTreeItem* child = parentItem ? parentItem->child(row) : nullptr;
    return child ? createIndex(row, column, child) : QModelIndex();
}

QModelIndex ServerTreeModel::parent(const QModelIndex& index) const
{
    if (!index.isValid())
        return QModelIndex();
    const ServerTreeItem* parentItem = itemFor(index)->parent();
    if (!parentItem || parentItem == rootItem.get())
        return QModelIndex();
    return createIndex(parentItem->row(), 0, const_cast<ServerTreeItem*>(parentItem));
}

QModelIndex ServerTreeModel::sibling(int row, int column, const QModelIndex& index) const
{
    // The table base would answer a top-level index for a server row.
    return this->index(row, column, parent(index));
}

int ServerTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0 || !rootItem)
        return 0;
    return itemFor(parent)->childCount();
}

bool ServerTreeModel::hasChildren(const QModelIndex& parent) const
{
    // The table base says no row below the top has children.
    return rowCount(parent) > 0;
}

QVariant ServerTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const ServerTreeItem* item = itemFor(index);
    if (!index.parent().isValid()) {
        if (index.column() == LocationColumn && role == Qt::DisplayRole)
            return item->info.groupTitle;
        return QVariant();
    }
    return serverData(item->info, index.column(), role);
}

bool ServerTreeModel::setData(const QModelIndex& index, const QVariant& value, int)
{
    // A group row has no location behind it; writing its star would store an empty
    // record as a favourite.
    if (!isStarIndex(index) || !index.parent().isValid())
        return false;
    const bool marked = value.toBool();
    ServerTreeItem* item = itemFor(index);
    if (item->info.marked != marked) {
        ServerInfo info = item->info;
        info.marked = marked;
        records.insert(qMakePair(info.user, info.id), info);
        item->info = info;
        emit favoriteChanged();
    }
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags ServerTreeModel::flags(const QModelIndex& index) const
{
    // Not the table base's flags, which say that no row has children.
    return QAbstractItemModel::flags(index);
}
