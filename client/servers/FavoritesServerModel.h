#pragma once

#include "servers/AbstractServerModel.h"

#include <QList>

// The favourites view: a "Favorite" section with the starred locations, then a
// "Recommended" section with the three fastest standard and double-hop locations.
// Each section starts with a header row, a pseudo-record with one of the ids below.
class FavoritesServerModel : public AbstractServerModel
{
    Q_OBJECT

public:
    static const QString FavoritesHeaderId;   // "<*>"
    static const QString RecommendedHeaderId; // "<=>"
    // How many locations of each group are recommended.
    static constexpr int RecommendedPerGroup = 3;

    explicit FavoritesServerModel(QObject* parent = nullptr);

    void setServerList(const QVector<ServerInfo>& servers) override;
    QList<ServerInfo> favorites() const override;
    ServerInfo serverInfo(const QModelIndex& index) const override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    static bool isHeader(const ServerInfo& info);

private:
    QList<ServerInfo> rows;
};
