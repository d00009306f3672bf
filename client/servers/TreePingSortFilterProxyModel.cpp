#include "servers/TreePingSortFilterProxyModel.h"

#include "servers/AbstractServerModel.h"

TreePingSortFilterProxyModel::TreePingSortFilterProxyModel(QObject* parent) : AbstractFilterModel(parent) {}

bool TreePingSortFilterProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    const QModelIndex location = sourceModel()->index(sourceRow, AbstractServerModel::LocationColumn, sourceParent);
    if (sourceParent.isValid())
        return matchesMode(location);
    // A group is shown while it still has a server to show.
    const int children = sourceModel()->rowCount(location);
    for (int row = 0; row < children; ++row)
        if (filterAcceptsRow(row, location))
            return true;
    return false;
}

bool TreePingSortFilterProxyModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    // Any other column keeps the order: a comparator must never call both a < b and b < a.
    if (!left.isValid() || !right.isValid() || left.column() != AbstractServerModel::LocationColumn ||
        right.column() != AbstractServerModel::LocationColumn)
        return false;
    return left.data().toString().toLower() < right.data().toString().toLower();
}
