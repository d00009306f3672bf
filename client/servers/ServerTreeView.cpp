#include "servers/ServerTreeView.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace {

const char* const StyleSheet = R"(QTreeView {
    font: 14px "Arial";
    border: 0px;
    alternate-background-color: transparent;
}
QTreeView:item {
    background-color: white;
    border: 1px solid rgb(241,241,241);
    color: rgb(58, 78, 105);
    font: 14px "Arial";
    padding-left: 15px;
}
QTreeView:item:selected {
    background-color: white;
    border: 1px solid rgb(241,241,241);
    color: rgb(58, 78, 105);
    font: 12px "Arial";
    padding-left: 15px;
}
QTreeView::item:selected:active {
    border: 0px;
    color: rgb(58, 78, 105);
}
QScrollBar:vertical {
    width: 6px;
    background-color: #fafafa;
    alternate-background-color: #fafafa;
}
QScrollBar::handle:vertical {
    background-color: #e3e3e3;
    border-radius: 2px;
    margin-right: 1px;
    margin-left: 1px;
}
QScrollBar::add-line:vertical {
    border: none;
    background-color: #fafafa;
    height: 19px;
    subcontrol-position: bottom;
    subcontrol-origin: margin;
}
QScrollBar::sub-line:vertical {
    border: none;
    background-color: #fafafa;
    height: 19px;
    subcontrol-position: top;
    subcontrol-origin: margin;
})";

} // namespace

ServerTreeView::ServerTreeView(QWidget* parent) : QTreeView(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setRootIsDecorated(false);
    setItemsExpandable(true);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setMaximumHeight(450);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::MinimumExpanding);
    setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(QString::fromLatin1(StyleSheet));
    // The delegates draw flag, name, latency and star at fixed places from the left
    // edge, and the star's click area is found the same way; the rows keep that order
    // when the rest of the client turns right to left.
    setLayoutDirection(Qt::LeftToRight);
    // The columns are as wide as the picker sets them. The header's own minimum is the
    // widest glyph of its font: with a font that has a wide one (the fallback under
    // Wine's test fonts gives 58 pixels) the star column outgrew the view, and the star
    // was drawn and hit-tested beyond its right edge.
    header()->setMinimumSectionSize(0);
}

void ServerTreeView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QTreeView::mousePressEvent(event);
        return;
    }
    const QModelIndex index = indexAt(event->localPos().toPoint());
    pressedIndex = index;
    // The star of a tree server row is toggled by the delegate on release.
    if (index.column() == 1 && index.parent().isValid()) {
        event->ignore();
        return;
    }
    emit selectLocationIndex(index);
}

void ServerTreeView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QTreeView::mouseReleaseEvent(event);
        return;
    }
    const QModelIndex index = indexAt(event->localPos().toPoint());
    const bool click = index.isValid() && index == pressedIndex;
    pressedIndex = QPersistentModelIndex();
    // Hands the release to the delegate, which toggles the star when it is hit; no
    // editor opens, the models have no editable items.
    if (click)
        edit(index, QAbstractItemView::NoEditTriggers, event);
}
