#include "servers/ServerTreeItemDelegate.h"

#include "servers/AbstractServerModel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

ServerTreeItemDelegate::ServerTreeItemDelegate(QObject* parent) : AbstractTreeItemDelegate(parent) {}

void ServerTreeItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    const bool server = index.parent().isValid();
    switch (index.column()) {
    case AbstractServerModel::LocationColumn:
        if (server)
            paintServerCell(painter, option, index);
        else
            paintGroupCell(painter, option, index);
        break;
    case AbstractServerModel::FavoriteColumn:
        if (server)
            paintStarCell(painter, option, index);
        else
            paintArrowCell(painter, option);
        break;
    default:
        QStyledItemDelegate::paint(painter, option, index);
    }
}

bool ServerTreeItemDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                         const QModelIndex& index)
{
    if (!index.parent().isValid() || index.column() != AbstractServerModel::FavoriteColumn)
        return false;
    const bool inside = toggleStar(event, model, option, index);
    if (inside)
        event->ignore();
    return inside;
}

void ServerTreeItemDelegate::paintGroupCell(QPainter* painter, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const
{
    const QRect& cell = option.rect;
    painter->save();
    fillBackground(painter, cell, cell.left(), background(option));
    const QFont font = textFont(option);
    const QString title = QStringLiteral("Double %1").arg(index.data().toString());
    const int height = QFontMetrics(font).size(Qt::TextSingleLine, title).height();
    drawText(painter, font, QPoint(10, cell.top() + (cell.bottom() - cell.top() + 1) / 2 - height / 2), title);
    drawSeparator(painter, cell.left(), cell.right() + 1, cell.top() - 1);
    drawSeparator(painter, cell.left(), cell.right() + 1, cell.bottom());
    painter->restore();
}

void ServerTreeItemDelegate::paintArrowCell(QPainter* painter, const QStyleOptionViewItem& option) const
{
    const QRect& cell = option.rect;
    painter->save();
    fillBackground(painter, cell, cell.left(), background(option));
    painter->drawPixmap(QPoint(cell.right() - 30, (cell.top() + cell.bottom()) / 2 - 6),
                        pixmap(QStringLiteral(":/resources/down.svg"), QSize(21, 12)));
    drawSeparator(painter, cell.left(), cell.right() + 1, cell.bottom());
    painter->restore();
}
