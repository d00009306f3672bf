#pragma once

#include <QHash>
#include <QIcon>
#include <QStyledItemDelegate>

class QPainter;

// Row height, star geometry and the painting pieces shared by the picker's delegates.
// Coordinates are those of the view's viewport; rectangles are inclusive.
class AbstractTreeItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit AbstractTreeItemDelegate(QObject* parent = nullptr);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Top-left corner of the star picture in a cell.
    QPoint starPosition(const QRect& cell) const;
    // Where a click toggles the star: 5 pixels around the picture, 29 x 29.
    QRect starArea(const QRect& cell) const;

    // Distance from a cell's right edge to the star's left edge.
    int rightMargin = 30;

protected:
    // Flat list row or tree server row, column 0: flag, name, separator.
    void paintServerCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    // Column 1 of a server row: the star, full or empty.
    void paintStarCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;

    // On a release inside the star area writes the negated star; returns whether the
    // release was inside.
    bool toggleStar(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                    const QModelIndex& index) const;

    static QColor background(const QStyleOptionViewItem& option);
    // Fills from x = left to the cell's right edge, top to one pixel above the bottom.
    static void fillBackground(QPainter* painter, const QRect& cell, int left, const QColor& color);
    static void drawSeparator(QPainter* painter, int x1, int x2, int y);
    static QFont textFont(const QStyleOptionViewItem& option);
    // Draws one line of black text with its top-left at (x, y).
    static void drawText(QPainter* painter, const QFont& font, const QPoint& topLeft, const QString& text);
    QPixmap pixmap(const QString& path, const QSize& size) const;
    // The flag picture of a country code; a placeholder when there is none for it.
    static QString flagPath(const QString& flag);

private:
    mutable QHash<QString, QIcon> icons;
};
