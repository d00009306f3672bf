#include "servers/AbstractTreeItemDelegate.h"

#include "resources/ClientResources.h"
#include "servers/AbstractServerModel.h"

#include <QFile>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor Idle(250, 250, 250);
const QColor Highlighted(242, 242, 242);
const QColor Separator(204, 204, 204);

} // namespace

AbstractTreeItemDelegate::AbstractTreeItemDelegate(QObject* parent) : QStyledItemDelegate(parent)
{
    initClientResources();
}

QSize AbstractTreeItemDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return QSize(0, 40);
}

QPoint AbstractTreeItemDelegate::starPosition(const QRect& cell) const
{
    return QPoint(cell.right() - rightMargin, (cell.top() + cell.bottom()) / 2 - 10);
}

QRect AbstractTreeItemDelegate::starArea(const QRect& cell) const
{
    const QPoint star = starPosition(cell);
    return QRect(star - QPoint(5, 5), star + QPoint(23, 23));
}

QColor AbstractTreeItemDelegate::background(const QStyleOptionViewItem& option)
{
    return option.state & (QStyle::State_Selected | QStyle::State_MouseOver) ? Highlighted : Idle;
}

void AbstractTreeItemDelegate::fillBackground(QPainter* painter, const QRect& cell, int left, const QColor& color)
{
    painter->fillRect(QRect(QPoint(left, cell.top()), QPoint(cell.right(), cell.bottom() - 1)), color);
}

void AbstractTreeItemDelegate::drawSeparator(QPainter* painter, int x1, int x2, int y)
{
    QPen pen(Separator);
    pen.setCosmetic(true);
    painter->setPen(pen);
    painter->drawLine(x1, y, x2, y);
}

QFont AbstractTreeItemDelegate::textFont(const QStyleOptionViewItem& option)
{
    QFont font = option.font;
    font.setPixelSize(13);
    font.setWeight(12);
    return font;
}

void AbstractTreeItemDelegate::drawText(QPainter* painter, const QFont& font, const QPoint& topLeft,
                                        const QString& text)
{
    painter->setFont(font);
    painter->setPen(Qt::black);
    painter->drawText(QRect(topLeft, QFontMetrics(font).size(Qt::TextSingleLine, text)), Qt::TextSingleLine, text);
}

QPixmap AbstractTreeItemDelegate::pixmap(const QString& path, const QSize& size) const
{
    auto icon = icons.constFind(path);
    // A picture not drawn yet leaves its place empty, without a warning at every paint.
    if (icon == icons.constEnd())
        icon = icons.insert(path, QFile::exists(path) ? QIcon(path) : QIcon());
    return icon->pixmap(size, QIcon::Normal, QIcon::Off);
}

QString AbstractTreeItemDelegate::flagPath(const QString& flag)
{
    // An unknown or empty code still gets a flag rather than a hole in the row.
    const QString path = QStringLiteral(":/resources/flags/%1.png").arg(flag.toUpper());
    return QFile::exists(path) ? path : QStringLiteral(":/resources/flags/placeholder.png");
}

void AbstractTreeItemDelegate::paintServerCell(QPainter* painter, const QStyleOptionViewItem& option,
                                               const QModelIndex& index) const
{
    const QRect& cell = option.rect;
    const int middle = cell.top() + (cell.bottom() - cell.top() + 1) / 2;
    painter->save();
    // From the view's left edge, so that a tree row's indentation is covered too.
    fillBackground(painter, cell, 0, background(option));
    painter->drawPixmap(QRect(10, middle - 13, 24, 24),
                        pixmap(flagPath(index.data(AbstractServerModel::FlagRole).toString()), QSize(24, 24)));
    const QFont font = textFont(option);
    const QString name = index.data().toString();
    const int height = QFontMetrics(font).size(Qt::TextSingleLine, name).height();
    drawText(painter, font, QPoint(44, middle - height / 2 - 2), name);
    drawSeparator(painter, 44, cell.right() + 1, cell.bottom());
    painter->restore();
}

void AbstractTreeItemDelegate::paintStarCell(QPainter* painter, const QStyleOptionViewItem& option,
                                             const QModelIndex& index) const
{
    const QRect& cell = option.rect;
    painter->save();
    fillBackground(painter, cell, cell.left(), background(option));
    const QString star = index.data().toInt() != 0 ? QStringLiteral(":/resources/star-full.svg")
                                                   : QStringLiteral(":/resources/star-empty.svg");
    painter->drawPixmap(starPosition(cell), pixmap(star, QSize(21, 20)));
    drawSeparator(painter, cell.left(), cell.right() + 1, cell.bottom());
    painter->restore();
}

bool AbstractTreeItemDelegate::toggleStar(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const QPoint position = static_cast<QMouseEvent*>(event)->localPos().toPoint();
    if (!starArea(option.rect).contains(position))
        return false;
    model->setData(index, !index.data().toInt(), Qt::EditRole);
    return true;
}
