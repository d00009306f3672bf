#include "servers/ServerPingModel.h"

ServerPingModel::ServerPingModel(QObject* parent) : AbstractServerModel(parent) {}

void ServerPingModel::setServerList(const QVector<ServerInfo>& servers)
{
    beginResetModel();
    records.clear();
    rowIds.clear();
    // A repeated id keeps the row of its first appearance and shows the later record,
    // so every distinct location has exactly one row.
    for (const ServerInfo& info : servers) {
        if (!records.contains(info.id))
            rowIds.insert(rowIds.size(), info.id);
        records.insert(info.id, info);
    }
    endResetModel();
}

QList<ServerInfo> ServerPingModel::favorites() const
{
    QList<ServerInfo> result;
    for (const ServerInfo& info : records)
        if (info.marked)
            result.append(info);
    return result;
}

ServerInfo ServerPingModel::serverInfo(const QModelIndex& index) const
{
    if (!index.isValid())
        return ServerInfo();
    const auto id = rowIds.constFind(index.row());
    if (id == rowIds.constEnd())
        return ServerInfo();
    return records.value(*id);
}

int ServerPingModel::rowCount(const QModelIndex& parent) const
{
    // A table: nothing below a valid index.
    return parent.isValid() ? 0 : records.size();
}

QVariant ServerPingModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !rowIds.contains(index.row()))
        return QVariant();
    return serverData(serverInfo(index), index.column(), role);
}

bool ServerPingModel::setData(const QModelIndex& index, const QVariant& value, int)
{
    if (!isStarIndex(index) || !rowIds.contains(index.row()))
        return false;
    const bool marked = value.toBool();
    ServerInfo& info = records[rowIds.value(index.row())];
    if (info.marked != marked) {
        info.marked = marked;
        emit favoriteChanged();
    }
    emit dataChanged(index, index);
    return true;
}
