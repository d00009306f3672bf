#pragma once

#include "servers/AbstractServerModel.h"

#include <QMap>
#include <QString>

// Flat list of the locations handed to it, one row per distinct id.
class ServerPingModel : public AbstractServerModel
{
    Q_OBJECT

public:
    explicit ServerPingModel(QObject* parent = nullptr);

    void setServerList(const QVector<ServerInfo>& servers) override;
    QList<ServerInfo> favorites() const override;
    ServerInfo serverInfo(const QModelIndex& index) const override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    QMap<QString, ServerInfo> records;
    QMap<int, QString> rowIds;
};
