#include "servers/ServerTreeItem.h"

#include <algorithm>

ServerTreeItem::ServerTreeItem(const ServerInfo& info, ServerTreeItem* parentItem) : info(info), parentItem(parentItem)
{
}

ServerTreeItem::~ServerTreeItem() = default;

ServerTreeItem* ServerTreeItem::appendChild(const ServerInfo& childInfo)
{
    children.push_back(std::make_unique<ServerTreeItem>(childInfo, this));
    return children.back().get();
}

ServerTreeItem* ServerTreeItem::child(int row) const
{
    if (row < 0 || row >= childCount())
        return nullptr;
    return children[static_cast<size_t>(row)].get();
}

int ServerTreeItem::childCount() const
{
    return static_cast<int>(children.size());
}

int ServerTreeItem::row() const
{
    if (!parentItem)
        return 0;
    const auto& siblings = parentItem->children;
    const auto found = std::find_if(siblings.begin(), siblings.end(),
                                    [this](const std::unique_ptr<ServerTreeItem>& item) { return item.get() == this; });
    return static_cast<int>(found - siblings.begin());
}
