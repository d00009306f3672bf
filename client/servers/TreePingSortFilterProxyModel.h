#pragma once

#include "servers/AbstractFilterModel.h"

// Proxy of the tree (ServerTreeModel): filters the servers by mode and hides a group
// none of whose servers is shown; sorts groups and servers case-insensitively.
class TreePingSortFilterProxyModel : public AbstractFilterModel
{
    Q_OBJECT

public:
    explicit TreePingSortFilterProxyModel(QObject* parent = nullptr);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};
