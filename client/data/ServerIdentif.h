#pragma once

#include <QMetaType>
#include <QString>

// A location as the picker names it: the VPN login it is offered under and its id.
// Ordered by first, then second, so that it can key a map of servers.
class ServerIdentif
{
public:
    ServerIdentif() = default;
    ServerIdentif(const QString& first, const QString& second) : first(first), second(second) {}

    QString first;  // the location's user (VPN login)
    QString second; // the location's id

    bool isEmpty() const { return first.isEmpty() && second.isEmpty(); }

    // "first::second", as stored under "lastLocationId" and in the favourites lists.
    QString toText() const;

    // Splits at the first "::", so an id that itself holds "::" survives. Text
    // without the separator gives an empty identifier.
    static ServerIdentif fromText(const QString& text);

    bool operator==(const ServerIdentif& other) const { return first == other.first && second == other.second; }
    bool operator!=(const ServerIdentif& other) const { return !(*this == other); }
    bool operator<(const ServerIdentif& other) const
    {
        return first < other.first || (first == other.first && second < other.second);
    }
};

Q_DECLARE_METATYPE(ServerIdentif)
