#include "servers/FavoriteServerItemDelegate.h"

#include "servers/AbstractServerModel.h"
#include "servers/FavoritesServerModel.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

QString headerId(const QModelIndex& index)
{
    return index.sibling(index.row(), AbstractServerModel::LocationColumn).data().toString();
}

} // namespace

FavoriteServerItemDelegate::FavoriteServerItemDelegate(QObject* parent) : ServerItemDelegate(parent) {}

void FavoriteServerItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const
{
    const QString id = headerId(index);
    if (id == FavoritesServerModel::FavoritesHeaderId)
        paintHeader(painter, option, true);
    else if (id == FavoritesServerModel::RecommendedHeaderId)
        paintHeader(painter, option, false);
    else
        ServerItemDelegate::paint(painter, option, index);
}

bool FavoriteServerItemDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                             const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const QString id = headerId(index);
    if (id == FavoritesServerModel::FavoritesHeaderId || id == FavoritesServerModel::RecommendedHeaderId)
        return false;
    return ServerItemDelegate::editorEvent(event, model, option, index);
}

void FavoriteServerItemDelegate::paintHeader(QPainter* painter, const QStyleOptionViewItem& option,
                                             bool favorites) const
{
    const QRect& cell = option.rect;
    const int middle = cell.top() + (cell.bottom() - cell.top() + 1) / 2;
    painter->save();
    // Every cell fills from the left edge and centres on its own right edge, so the
    // last cell painted leaves the title centred over the whole row.
    fillBackground(painter, cell, 0, QColor(242, 242, 242));
    const QString title = favorites ? tr("Favorite") : tr("Recommended");
    const QFont font = textFont(option);
    const QSize size = QFontMetrics(font).size(Qt::TextSingleLine, title);
    const int x = (cell.right() + 1) / 2 - size.width() / 2 + 12;
    drawText(painter, font, QPoint(x, middle - size.height() / 2), title);
    const QString icon = favorites ? QStringLiteral(":/resources/star-empty-black.svg")
                                   : QStringLiteral(":/resources/recommended-black.svg");
    painter->drawPixmap(QRect(QPoint(x - 28, middle - 10), QPoint(x - 8, middle + 9)), pixmap(icon, QSize(21, 20)));
    drawSeparator(painter, 44, cell.right() + 1, cell.bottom());
    painter->restore();
}
