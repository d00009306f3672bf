#pragma once

#include "servers/AbstractFilterModel.h"

// Proxy of the flat list (ServerPingModel): Standard VPN, Double VPN and search.
// Single-hop locations sort before double-hop ones, then case-insensitively by id.
class PingSortFilterProxyModel : public AbstractFilterModel
{
    Q_OBJECT

public:
    explicit PingSortFilterProxyModel(QObject* parent = nullptr);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};
