#include "servers/PingSortFilterProxyModel.h"

#include "servers/AbstractServerModel.h"

PingSortFilterProxyModel::PingSortFilterProxyModel(QObject* parent) : AbstractFilterModel(parent) {}

bool PingSortFilterProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    const QModelIndex location = sourceModel()->index(sourceRow, AbstractServerModel::LocationColumn, sourceParent);
    if (filterMode == Search) {
        const int group = location.data(AbstractServerModel::GroupRole).toInt();
        return (group == 1 || group == 2) && matchesMode(location);
    }
    return matchesMode(location);
}

bool PingSortFilterProxyModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    // Any other column keeps the order: a comparator must never call both a < b and b < a.
    if (left.column() != AbstractServerModel::LocationColumn || right.column() != AbstractServerModel::LocationColumn)
        return false;
    const QString a = left.data().toString();
    const QString b = right.data().toString();
    const bool aDouble = a.contains(QLatin1Char('-'));
    const bool bDouble = b.contains(QLatin1Char('-'));
    if (aDouble != bDouble)
        return bDouble;
    return a.toLower() < b.toLower();
}
