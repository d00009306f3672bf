#pragma once

#include <QItemDelegate>

// Makes every row of a combo box's popup 25 pixels tall, whatever the style and font
// would give, so the lists of the settings page look the same on every desktop.
class RowHeightDelegate : public QItemDelegate
{
public:
    using QItemDelegate::QItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {0, 25}; }
};
