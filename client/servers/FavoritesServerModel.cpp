#include "servers/FavoritesServerModel.h"

#include <QPair>
#include <QSet>

#include <algorithm>

const QString FavoritesServerModel::FavoritesHeaderId = QStringLiteral("<*>");
const QString FavoritesServerModel::RecommendedHeaderId = QStringLiteral("<=>");

namespace {

ServerInfo header(const QString& id, bool marked)
{
    ServerInfo info;
    info.id = id;
    info.marked = marked;
    return info;
}

// The fastest locations of a group; 0 (not measured) sorts first.
QList<ServerInfo> fastest(const QVector<ServerInfo>& servers, int group, int count)
{
    QList<ServerInfo> candidates;
    for (const ServerInfo& info : servers)
        if (info.group == group)
            candidates.append(info);
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const ServerInfo& a, const ServerInfo& b) { return a.ping < b.ping; });
    return candidates.mid(0, count);
}

} // namespace

FavoritesServerModel::FavoritesServerModel(QObject* parent) : AbstractServerModel(parent) {}

bool FavoritesServerModel::isHeader(const ServerInfo& info)
{
    return info.group == 0 && (info.id == FavoritesHeaderId || info.id == RecommendedHeaderId);
}

void FavoritesServerModel::setServerList(const QVector<ServerInfo>& servers)
{
    beginResetModel();
    rows.clear();

    QList<ServerInfo> starred;
    for (const ServerInfo& info : servers)
        if (info.marked)
            starred.append(info);
    if (!starred.isEmpty()) {
        rows.append(header(FavoritesHeaderId, true));
        rows.append(starred);
    }

    rows.append(header(RecommendedHeaderId, false));
    rows.append(fastest(servers, 1, RecommendedPerGroup));
    rows.append(fastest(servers, 2, RecommendedPerGroup));
    endResetModel();
}

QList<ServerInfo> FavoritesServerModel::favorites() const
{
    // A favourite that is also recommended is listed twice but is one favourite.
    QList<ServerInfo> result;
    QSet<QPair<QString, QString>> seen;
    for (const ServerInfo& info : rows) {
        if (!info.marked || isHeader(info) || seen.contains(qMakePair(info.user, info.id)))
            continue;
        seen.insert(qMakePair(info.user, info.id));
        result.append(info);
    }
    return result;
}

ServerInfo FavoritesServerModel::serverInfo(const QModelIndex& index) const
{
    if (!index.isValid() || index.row() >= rows.size())
        return ServerInfo();
    return rows.at(index.row());
}

int FavoritesServerModel::rowCount(const QModelIndex& parent) const
{
    // A table: nothing below a valid index.
    return parent.isValid() ? 0 : rows.size();
}

QVariant FavoritesServerModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows.size())
        return QVariant();
    const ServerInfo& info = rows.at(index.row());
    if (role == HeaderRole)
        return index.column() == LocationColumn ? QVariant(isHeader(info)) : QVariant();
    return serverData(info, index.column(), role);
}

bool FavoritesServerModel::setData(const QModelIndex& index, const QVariant& value, int)
{
    if (!isStarIndex(index) || index.row() >= rows.size())
        return false;
    const bool marked = value.toBool();
    if (rows.at(index.row()).marked == marked)
        return true;
    // A location listed both as favourite and as recommended changes on both rows.
    const QString id = rows.at(index.row()).id;
    for (int row = 0; row < rows.size(); ++row) {
        if (rows.at(row).id != id)
            continue;
        rows[row].marked = marked;
        emit dataChanged(this->index(row, LocationColumn), this->index(row, FavoriteColumn));
    }
    emit favoriteChanged();
    return true;
}
