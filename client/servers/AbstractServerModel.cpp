#include "servers/AbstractServerModel.h"

AbstractServerModel::AbstractServerModel(QObject* parent) : QAbstractTableModel(parent) {}

int AbstractServerModel::columnCount(const QModelIndex&) const
{
    return ColumnCount;
}

QVariant AbstractServerModel::headerData(int, Qt::Orientation, int) const
{
    return QVariant();
}

QVariant AbstractServerModel::serverData(const ServerInfo& info, int column, int role)
{
    if (column == LocationColumn) {
        switch (role) {
        case Qt::DisplayRole:
            return info.id;
        case FlagRole:
            return info.flag;
        case GroupRole:
            return info.group;
        default:
            return QVariant();
        }
    }
    if (column == FavoriteColumn && role == Qt::DisplayRole)
        return info.marked;
    return QVariant();
}

bool AbstractServerModel::isStarIndex(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.column() == FavoriteColumn;
}
