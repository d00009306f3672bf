#pragma once

#include "servers/ServerItemDelegate.h"

// Paints the favourites view: the flat rows plus the "Favorite" and "Recommended"
// section headers, which never toggle a star.
class FavoriteServerItemDelegate : public ServerItemDelegate
{
    Q_OBJECT

public:
    explicit FavoriteServerItemDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    void paintHeader(QPainter* painter, const QStyleOptionViewItem& option, bool favorites) const;
};
