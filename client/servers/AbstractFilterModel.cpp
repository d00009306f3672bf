#include "servers/AbstractFilterModel.h"

#include "servers/AbstractServerModel.h"

AbstractFilterModel::AbstractFilterModel(QObject* parent) : QSortFilterProxyModel(parent) {}

void AbstractFilterModel::setFavoritesFilter()
{
    filterMode = Favorites;
    invalidateFilter();
}

void AbstractFilterModel::setStandardFilter()
{
    filterMode = Standard;
    invalidateFilter();
}

void AbstractFilterModel::setDoubleFilter()
{
    filterMode = Double;
    invalidateFilter();
}

void AbstractFilterModel::setSearchFilter(const QString& text)
{
    filterMode = Search;
    search = text;
    invalidateFilter();
}

bool AbstractFilterModel::matchesSearch(const QString& id) const
{
    return search.isEmpty() || id.toLower().contains(search.toLower());
}

bool AbstractFilterModel::matchesMode(const QModelIndex& sourceLocation) const
{
    const int group = sourceLocation.data(AbstractServerModel::GroupRole).toInt();
    switch (filterMode) {
    case Standard:
        return group == 1;
    case Double:
        return group == 2;
    case Favorites:
        return sourceLocation.sibling(sourceLocation.row(), AbstractServerModel::FavoriteColumn).data().toBool();
    case Search:
        return matchesSearch(sourceLocation.data().toString());
    }
    return false;
}
