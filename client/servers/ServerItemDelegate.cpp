#include "servers/ServerItemDelegate.h"

#include "servers/AbstractServerModel.h"

ServerItemDelegate::ServerItemDelegate(QObject* parent) : AbstractTreeItemDelegate(parent) {}

void ServerItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    switch (index.column()) {
    case AbstractServerModel::LocationColumn:
        paintServerCell(painter, option, index);
        break;
    case AbstractServerModel::FavoriteColumn:
        paintStarCell(painter, option, index);
        break;
    default:
        QStyledItemDelegate::paint(painter, option, index);
    }
}

bool ServerItemDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                     const QModelIndex& index)
{
    if (index.parent().isValid() || index.column() != AbstractServerModel::FavoriteColumn)
        return false;
    return toggleStar(event, model, option, index);
}
