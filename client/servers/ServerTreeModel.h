#pragma once

#include "servers/AbstractServerModel.h"

#include <QMap>
#include <QPair>
#include <QString>

#include <memory>

class ServerTreeItem;

// Two-level tree of the locations handed to it: one group per text before the first
// "-" of the id (the entry location of a double hop), the servers below it.
class ServerTreeModel : public AbstractServerModel
{
    Q_OBJECT

public:
    explicit ServerTreeModel(QObject* parent = nullptr);
    ~ServerTreeModel() override;

    void setServerList(const QVector<ServerInfo>& servers) override;
    QList<ServerInfo> favorites() const override;
    ServerInfo serverInfo(const QModelIndex& index) const override;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    QModelIndex sibling(int row, int column, const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The group of a location id: the text before the first "-", the whole id without one.
    static QString groupKey(const QString& id);

private:
    ServerTreeItem* itemFor(const QModelIndex& index) const;

    // Keyed by (user, id).
    QMap<QPair<QString, QString>, ServerInfo> records;
    std::unique_ptr<ServerTreeItem> rootItem;
};
