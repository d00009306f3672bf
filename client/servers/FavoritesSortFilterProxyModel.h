#pragma once

#include "servers/AbstractFilterModel.h"

// Proxy of the favourites view: shows every row in the model's order, whatever the mode.
class FavoritesSortFilterProxyModel : public AbstractFilterModel
{
    Q_OBJECT

public:
    explicit FavoritesSortFilterProxyModel(QObject* parent = nullptr);

    void setFavoritesFilter() override;
    void setStandardFilter() override;
    void setDoubleFilter() override;
    void setSearchFilter(const QString& text) override;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};
