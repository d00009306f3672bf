#pragma once

#include "api/Catalogue.h"
#include "api/NetworkManager.h"

#include <QByteArray>
#include <QMap>
#include <QString>

class QDomElement;

// Reads the XML answers of the web API into the catalogue and tells what the
// answer means; the network manager sends the signals. Values are Base64 text
// unless said otherwise; malformed XML reads as an answer without elements.
class ApiAnswerReader
{
public:
    class SignIn
    {
    public:
        // False when an element stopped the walk: the cache is then not saved
        // and no latency batch starts.
        bool accepted = true;
        NetworkManager::ApiError error = NetworkManager::NoError;
        QString message;
    };

    // Sign-in answer. Whatever the elements before a stopping one changed stays
    // in the catalogue.
    static SignIn readSignIn(const QByteArray& body, Catalogue& catalogue, QString& updateVersion, QString& updateLink);

    // Server-list answer: only the catalogue elements, nothing stops the walk.
    static void readServerList(const QByteArray& body, Catalogue& catalogue);

    // Update answer: true when an upgrade element gave both a version and a
    // link (those are then in version/link, as the last upgrade element read
    // left them otherwise).
    static bool readProgramUpdate(const QByteArray& body, QString& version, QString& link);

    // Time-zone answer: the IANA name of the first timezone element; false
    // (and an empty name) when there is none or it is "N/A".
    static bool readTimezone(const QByteArray& body, QString& timezone);

    // Purchase-link answer: the first link element's text; false without one.
    static bool readBuyLink(const QByteArray& body, QString& link);

    // Double-hop file (plain text, not Base64): <p p="ms">location id</p>
    // elements; an id already present gets the new value.
    static void readDoubleHop(const QByteArray& body, QMap<QString, int>& doubleLatency);

    // An element's text, Base64-decoded (characters outside the alphabet are
    // skipped).
    static QByteArray decodedBytes(const QDomElement& element);
    // The same read as UTF-8 up to the first NUL.
    static QString decodedText(const QDomElement& element);
    static QString decodedText(const QString& base64);
};
