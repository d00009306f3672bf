#pragma once

#include "data/ServerInfo.h"

#include <QAbstractTableModel>
#include <QList>
#include <QVector>

// Common interface of the picker's three location models (flat, tree, favourites).
// Column 0 is the location, column 1 its favourite star; only column 1 is writable.
class AbstractServerModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Roles shared by the models, their proxies and the delegates (column 0).
    enum Role
    {
        FlagRole = Qt::UserRole,      // QString, picks the flag picture
        GroupRole = Qt::UserRole + 1, // int, 1 standard, 2 double hop
        HeaderRole = Qt::UserRole + 2 // bool, true for a section header row
    };

    enum Column
    {
        LocationColumn = 0,
        FavoriteColumn = 1,
        ColumnCount = 2
    };

    explicit AbstractServerModel(QObject* parent = nullptr);

    // Replaces the whole content (model reset).
    virtual void setServerList(const QVector<ServerInfo>& servers) = 0;
    // The records whose star is set.
    virtual QList<ServerInfo> favorites() const = 0;
    // The record behind an index of this model; a default record where there is none.
    virtual ServerInfo serverInfo(const QModelIndex& index) const = 0;

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // The user changed a star through setData. Declared once here so that the picker
    // can connect whichever model it holds.
    void favoriteChanged();

protected:
    // Display, flag and group of a server row; HeaderRole is left to the model that has headers.
    static QVariant serverData(const ServerInfo& info, int column, int role);
    // A valid index of this model in the star column.
    bool isStarIndex(const QModelIndex& index) const;
};
