#pragma once

#include "data/ServerInfo.h"

#include <memory>
#include <vector>

// One node of ServerTreeModel: the invisible root, a group row (only groupTitle set)
// or a server row. Owns its children.
class ServerTreeItem
{
public:
    explicit ServerTreeItem(const ServerInfo& info, ServerTreeItem* parentItem = nullptr);
    ~ServerTreeItem();

    ServerTreeItem(const ServerTreeItem&) = delete;
    ServerTreeItem& operator=(const ServerTreeItem&) = delete;

    // Adds a child at the end and returns it; the item keeps ownership.
    ServerTreeItem* appendChild(const ServerInfo& childInfo);
    ServerTreeItem* child(int row) const;
    int childCount() const;
    // Position in the parent's children; 0 for the root.
    int row() const;
    ServerTreeItem* parent() const { return parentItem; }

    ServerInfo info;

private:
    std::vector<std::unique_ptr<ServerTreeItem>> children;
    ServerTreeItem* parentItem;
};
