#include "api/ApiAnswerReader.h"

#include "api/XmlNesting.h"

#include <QDateTime>
#include <QDomDocument>
#include <QDomElement>
#include <QDomNode>
#include <QXmlStreamReader>

#include <limits>

namespace {

const QString trueWord = QStringLiteral("true");

// The answers go three levels deep; one nested past this would only serve to exhaust
// the DOM parser (see XmlNesting).
constexpr int maxAnswerDepth = 32;

QDomElement documentElement(const QByteArray& body)
{
    QDomDocument document;
    // A broken answer is not reported, it just has no elements: the tree Qt
    // leaves after a parse error (say, of a cut answer) must not be walked.
    if (!XmlNesting::within(body, maxAnswerDepth) || !document.setContent(body))
        return QDomElement();
    return document.documentElement();
}

// The ver and link children of an upgrade element; a missing child gives an
// empty value.
void readUpgrade(const QDomElement& upgrade, QString& version, QString& link)
{
    version.clear();
    link.clear();
    for (QDomElement child = upgrade.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        const QString tag = child.tagName();
        if (tag == QLatin1String("ver"))
            version = ApiAnswerReader::decodedText(child);
        else if (tag == QLatin1String("link"))
            link = ApiAnswerReader::decodedText(child);
    }
}

QString decodedAttribute(const QDomElement& element, const char* name)
{
    return ServerInfo::decodeAttribute(element, QLatin1String(name));
}

// One element of the catalogue (vpn, cert, key, config, file), shared by the
// sign-in and the server-list answer. Returns false for any other tag.
class CatalogueWalk
{
public:
    explicit CatalogueWalk(Catalogue& catalogue) : catalogue(catalogue) {}

    bool read(const QDomElement& element)
    {
        const QString tag = element.tagName();
        if (tag == QLatin1String("vpn")) {
            if (fresh)
                catalogue.serverList.clear();
            catalogue.serverList.append(ServerInfo::fromApiElement(element, catalogue.accounts));
            fresh = false;
        } else if (tag == QLatin1String("cert")) {
            catalogue.certificates[decodedAttribute(element, "user")] = ApiAnswerReader::decodedBytes(element);
        } else if (tag == QLatin1String("key")) {
            catalogue.keys[decodedAttribute(element, "user")] = ApiAnswerReader::decodedBytes(element);
        } else if (tag == QLatin1String("config")) {
            catalogue.config = ApiAnswerReader::decodedBytes(element);
        } else if (tag == QLatin1String("file")) {
            // The table is replaced once per answer: clearing it at every login
            // line would keep only the last login when the lines come before
            // the locations.
            if (fresh && freshLogins)
                catalogue.accounts.clear();
            freshLogins = false;
            const QString user = decodedAttribute(element, "user");
            const qint64 seconds = decodedAttribute(element, "exp").toLongLong();
            VpnAccount& entry = catalogue.accounts[user];
            entry.login = user;
            entry.password = decodedAttribute(element, "pass");
            // Past this range the milliseconds QDateTime counts in overflow and wrap round
            // to an arbitrary date: such an expiry reads as unknown.
            const qint64 limit = std::numeric_limits<qint64>::max() / 1000;
            entry.expires =
                seconds >= -limit && seconds <= limit ? QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC) : QDateTime();
        } else {
            return false;
        }
        return true;
    }

private:
    Catalogue& catalogue;
    // No location of this answer read yet.
    bool fresh = true;
    bool freshLogins = true;
};

} // namespace

QByteArray ApiAnswerReader::decodedBytes(const QDomElement& element)
{
    return QByteArray::fromBase64(element.text().toLatin1());
}

QString ApiAnswerReader::decodedText(const QDomElement& element)
{
    return decodedText(element.text());
}

QString ApiAnswerReader::decodedText(const QString& text)
{
    // The QByteArray overload stops at the first NUL.
    return QString::fromUtf8(QByteArray::fromBase64(text.toLatin1()));
}

ApiAnswerReader::SignIn ApiAnswerReader::readSignIn(const QByteArray& body, Catalogue& catalogue,
                                                    QString& updateVersion, QString& updateLink)
{
    SignIn result;
    // An answer without a ver element counts as a lite account.
    bool lite = true;
    CatalogueWalk walk(catalogue);
    const QDomElement root = documentElement(body);
    // A body that is not XML (cut short, broken, nested past reason) is no answer: read
    // as one without elements it would make a full account lite and switch its kill
    // switch off. It fails like a request that got no answer. An empty body, and XML
    // without a ver element, still count as a lite account.
    if (root.isNull() && !body.trimmed().isEmpty()) {
        result.accepted = false;
        result.error = NetworkManager::RequestFailed;
        return result;
    }
    for (QDomElement element = root.firstChildElement(); !element.isNull(); element = element.nextSiblingElement()) {
        const QString tag = element.tagName();
        if (tag == QLatin1String("ver")) {
            lite = decodedAttribute(element, "type") == QLatin1String("lite");
            if (decodedText(element) != trueWord) {
                result.accepted = false;
                result.error = NetworkManager::UnsupportedVersion;
                return result;
            }
        } else if (tag == QLatin1String("auth")) {
            if (decodedText(element) != trueWord) {
                result.accepted = false;
                result.error = NetworkManager::WrongCredentials;
                return result;
            }
        } else if (tag == QLatin1String("upgrade")) {
            readUpgrade(element, updateVersion, updateLink);
        } else if (tag == QLatin1String("error")) {
            result.accepted = false;
            result.message = decodedText(element);
            result.error = result.message == QLatin1String("nosub") ? NetworkManager::NoSubscription
                                                                    : NetworkManager::RequestFailed;
            return result;
        } else {
            walk.read(element);
        }
    }
    result.error = lite ? NetworkManager::LiteAccount : NetworkManager::NoError;
    return result;
}

void ApiAnswerReader::readServerList(const QByteArray& body, Catalogue& catalogue)
{
    CatalogueWalk walk(catalogue);
    const QDomElement root = documentElement(body);
    for (QDomElement element = root.firstChildElement(); !element.isNull(); element = element.nextSiblingElement())
        walk.read(element);
}

bool ApiAnswerReader::readProgramUpdate(const QByteArray& body, QString& version, QString& link)
{
    // The answer carries the whole catalogue around its upgrade element: a stream
    // reader walks it without building a tree of thousands of locations. The walk goes
    // to the end, since a broken answer has no elements at all, as in the tree.
    if (!XmlNesting::within(body, maxAnswerDepth))
        return false;
    QXmlStreamReader xml(body);
    bool read = false;
    bool complete = false;
    QString readVersion;
    QString readLink;
    if (xml.readNextStartElement()) {
        while (xml.readNextStartElement()) {
            if (xml.qualifiedName() != QLatin1String("upgrade")) {
                xml.skipCurrentElement();
                continue;
            }
            QString childVersion;
            QString childLink;
            while (xml.readNextStartElement()) {
                const QStringRef tag = xml.qualifiedName();
                if (tag == QLatin1String("ver"))
                    childVersion = decodedText(xml.readElementText(QXmlStreamReader::IncludeChildElements));
                else if (tag == QLatin1String("link"))
                    childLink = decodedText(xml.readElementText(QXmlStreamReader::IncludeChildElements));
                else
                    xml.skipCurrentElement();
            }
            // The first complete one counts; until then the last one read.
            if (!complete) {
                read = true;
                readVersion = childVersion;
                readLink = childLink;
                complete = !childVersion.isEmpty() && !childLink.isEmpty();
            }
        }
    }
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError())
        return false;
    if (read) {
        version = readVersion;
        link = readLink;
    }
    return complete;
}

bool ApiAnswerReader::readTimezone(const QByteArray& body, QString& timezone)
{
    timezone.clear();
    const QDomElement zone = documentElement(body).firstChildElement(QStringLiteral("timezone"));
    if (zone.isNull())
        return false;
    const QString name = decodedText(zone);
    if (name == QLatin1String("N/A"))
        return false;
    timezone = name;
    return true;
}

bool ApiAnswerReader::readBuyLink(const QByteArray& body, QString& link)
{
    const QDomElement element = documentElement(body).firstChildElement(QStringLiteral("link"));
    if (element.isNull())
        return false;
    link = decodedText(element);
    return true;
}

void ApiAnswerReader::readDoubleHop(const QByteArray& body, QMap<QString, int>& doubleLatency)
{
    const QDomElement root = documentElement(body);
    for (QDomElement element = root.firstChildElement(QStringLiteral("p")); !element.isNull();
         element = element.nextSiblingElement(QStringLiteral("p")))
        doubleLatency[element.text()] = element.attribute(QStringLiteral("p")).toInt();
}
