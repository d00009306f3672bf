#pragma once

#include "servers/AbstractTreeItemDelegate.h"

// Paints the tree of double-hop locations: group rows with their arrow, server rows
// with their star; only server rows toggle.
class ServerTreeItemDelegate : public AbstractTreeItemDelegate
{
    Q_OBJECT

public:
    explicit ServerTreeItemDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    void paintGroupCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    void paintArrowCell(QPainter* painter, const QStyleOptionViewItem& option) const;
};
