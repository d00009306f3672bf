#pragma once

#include <QModelIndex>
#include <QPersistentModelIndex>
#include <QTreeView>

// The picker's list. A left press never selects or expands by itself: it reports the
// index under the pointer (invalid below the last row) and the picker decides.
class ServerTreeView : public QTreeView
{
    Q_OBJECT

public:
    explicit ServerTreeView(QWidget* parent = nullptr);

signals:
    void selectLocationIndex(QModelIndex index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // Left presses bypass the standard handling, which is what pairs a press with its
    // release; without this the delegates would never see a click on a star.
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPersistentModelIndex pressedIndex;
};
