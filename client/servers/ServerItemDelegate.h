#pragma once

#include "servers/AbstractTreeItemDelegate.h"

// Paints the rows of the flat list and toggles the star of a top-level row.
class ServerItemDelegate : public AbstractTreeItemDelegate
{
    Q_OBJECT

public:
    explicit ServerItemDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
};
