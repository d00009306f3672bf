#include "servers/FavoritesSortFilterProxyModel.h"

FavoritesSortFilterProxyModel::FavoritesSortFilterProxyModel(QObject* parent) : AbstractFilterModel(parent) {}

// The favourites view shows its sections whole in every mode.
void FavoritesSortFilterProxyModel::setFavoritesFilter() {}

void FavoritesSortFilterProxyModel::setStandardFilter() {}

void FavoritesSortFilterProxyModel::setDoubleFilter() {}

void FavoritesSortFilterProxyModel::setSearchFilter(const QString&) {}

bool FavoritesSortFilterProxyModel::lessThan(const QModelIndex&, const QModelIndex&) const
{
    // The proxy's sort is stable, so the sections keep the model's order.
    return false;
}
