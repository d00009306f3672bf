#pragma once

#include <QSortFilterProxyModel>
#include <QString>

// Sort/filter proxy between a location model and the picker's view. Holds which view
// the picker shows (the mode) and the search text; subclasses decide what that means.
class AbstractFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    enum Mode
    {
        Standard,
        Favorites,
        Double,
        Search
    };

    explicit AbstractFilterModel(QObject* parent = nullptr);

    // Each sets the mode (and the text) and re-filters at once.
    virtual void setFavoritesFilter();
    virtual void setStandardFilter();
    virtual void setDoubleFilter();
    virtual void setSearchFilter(const QString& text);

    Mode mode() const { return filterMode; }
    QString searchText() const { return search; }

protected:
    // Whether a server row passes the mode: group 1 Standard, group 2 Double, starred
    // Favorites, lower-cased id containing the lower-cased text for Search.
    bool matchesMode(const QModelIndex& sourceLocation) const;
    bool matchesSearch(const QString& id) const;

    Mode filterMode = Standard;
    QString search;
};
