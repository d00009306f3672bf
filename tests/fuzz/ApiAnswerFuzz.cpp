// Fuzz target: answers of the web API (or of anything posing as it) through the readers
// of every request kind: sign-in, server list, update, time zone, purchase link and the
// double-hop file.
#include "FuzzCheck.h"

#include "api/ApiAnswerReader.h"
#include "api/Catalogue.h"
#include "api/XmlNesting.h"

#include <QByteArray>
#include <QDateTime>
#include <QDomDocument>
#include <QDomElement>
#include <QMap>
#include <QString>
#include <QXmlStreamReader>

#include <cstdint>

namespace {

QByteArray b64(const QString& text)
{
    return text.toUtf8().toBase64();
}

QByteArray attribute(const char* name, const QByteArray& value)
{
    return QByteArray(" ") + name + "=\"" + value + '"';
}

// The catalogue as the web API would send it: the logins first, so that every location
// finds its password.
QByteArray serverListAnswer(const Catalogue& catalogue)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<data>\n";
    for (auto account = catalogue.accounts.cbegin(); account != catalogue.accounts.cend(); ++account) {
        xml += "<file" + attribute("user", b64(account.key())) + attribute("pass", b64(account->password)) +
               attribute("exp", b64(QString::number(account->expires.toSecsSinceEpoch()))) + "/>\n";
    }
    for (const ServerInfo& server : catalogue.serverList) {
        xml += "<vpn" + attribute("name", b64(server.id)) + attribute("ip", b64(server.ip)) +
               attribute("flag", b64(server.flag)) + attribute("user", b64(server.user)) +
               attribute("sni", b64(server.sni)) + attribute("brume", b64(server.brume)) +
               attribute("tcp", b64(server.tcpPorts.join(QLatin1Char(',')))) +
               attribute("udp", b64(server.udpPorts.join(QLatin1Char(',')))) +
               attribute("ssl", b64(QString::number(server.sslPort))) +
               attribute("group", b64(QString::number(server.group))) + "/>\n";
    }
    for (auto cert = catalogue.certificates.cbegin(); cert != catalogue.certificates.cend(); ++cert) {
        xml += "<cert" + attribute("user", b64(cert.key())) + ">" + cert->toBase64() + "</cert>\n";
    }
    for (auto key = catalogue.keys.cbegin(); key != catalogue.keys.cend(); ++key) {
        xml += "<key" + attribute("user", b64(key.key())) + ">" + key->toBase64() + "</key>\n";
    }
    if (!catalogue.config.isEmpty()) {
        xml += "<config>" + catalogue.config.toBase64() + "</config>\n";
    }
    return xml + "</data>\n";
}

void checkRecords(const Catalogue& catalogue)
{
    for (const ServerInfo& server : catalogue.serverList) {
        // Every location's login has an entry, if only an empty one.
        FUZZ_CHECK(catalogue.accounts.contains(server.user));
        FUZZ_CHECK(server.group == 1 || server.group == 2);
        FUZZ_CHECK(server.connectionType == 4 && server.ping == 0 && !server.marked);
        FUZZ_CHECK(server.name == server.id);
        FUZZ_CHECK(!server.id.contains(QChar(0)) && !server.user.contains(QChar(0)));
    }
}

// The catalogue read back from its own answer is the same one. A location's password
// is the one its login has once the whole answer is read.
void checkRoundTrip(const Catalogue& catalogue)
{
    Catalogue again;
    ApiAnswerReader::readServerList(serverListAnswer(catalogue), again);
    FUZZ_CHECK(again.serverList.size() == catalogue.serverList.size());
    for (int i = 0; i < catalogue.serverList.size(); ++i) {
        const ServerInfo& a = catalogue.serverList.at(i);
        const ServerInfo& b = again.serverList.at(i);
        FUZZ_CHECK(a.id == b.id && a.name == b.name && a.ip == b.ip && a.flag == b.flag && a.user == b.user);
        FUZZ_CHECK(a.sni == b.sni && a.brume == b.brume);
        FUZZ_CHECK(a.tcpPorts == b.tcpPorts && a.udpPorts == b.udpPorts);
        FUZZ_CHECK(a.sslPort == b.sslPort && a.group == b.group);
        FUZZ_CHECK(b.password == catalogue.accounts.value(a.user).password);
    }
    FUZZ_CHECK(again.accounts.keys() == catalogue.accounts.keys());
    for (auto account = catalogue.accounts.cbegin(); account != catalogue.accounts.cend(); ++account) {
        const VpnAccount read = again.accounts.value(account.key());
        FUZZ_CHECK(read.login == account.key() && read.password == account->password);
        FUZZ_CHECK(!account->expires.isValid() || read.expires == account->expires);
    }
    FUZZ_CHECK(again.certificates == catalogue.certificates);
    FUZZ_CHECK(again.keys == catalogue.keys);
    FUZZ_CHECK(again.config == catalogue.config);
}

// The deepest element a stream parser reaches before it ends or stops at an error.
int streamDepth(const QByteArray& body)
{
    QXmlStreamReader xml(body);
    xml.setNamespaceProcessing(false);
    int depth = 0;
    int deepest = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement)
            deepest = qMax(deepest, ++depth);
        else if (token == QXmlStreamReader::EndElement)
            --depth;
    }
    return deepest;
}

int domDepth(const QDomElement& root)
{
    int deepest = 0;
    int depth = 1;
    for (QDomNode node = root; !node.isNull();) {
        if (node.isElement())
            deepest = qMax(deepest, depth);
        if (!node.firstChild().isNull()) {
            node = node.firstChild();
            ++depth;
            continue;
        }
        while (!node.isNull() && node != root && node.nextSibling().isNull()) {
            node = node.parentNode();
            --depth;
        }
        node = node == root ? QDomNode() : node.nextSibling();
    }
    return deepest;
}

// The nesting bound the readers rely on never lets a deeper text through.
void checkNesting(const QByteArray& body, std::size_t size)
{
    const int levels = 1 + int(size % 40);
    if (XmlNesting::within(body, levels))
        FUZZ_CHECK(streamDepth(body) <= levels);
    if (XmlNesting::within(body, 64)) {
        QDomDocument document;
        if (document.setContent(body))
            FUZZ_CHECK(domDepth(document.documentElement()) <= 64);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray body(reinterpret_cast<const char*>(data), int(size));
    checkNesting(body, size);

    Catalogue signIn;
    QString version;
    QString link;
    const ApiAnswerReader::SignIn answer = ApiAnswerReader::readSignIn(body, signIn, version, link);
    if (answer.accepted) {
        FUZZ_CHECK(answer.error == NetworkManager::NoError || answer.error == NetworkManager::LiteAccount);
        FUZZ_CHECK(answer.message.isEmpty());
    } else {
        FUZZ_CHECK(answer.error != NetworkManager::NoError && answer.error != NetworkManager::LiteAccount);
    }
    checkRecords(signIn);

    Catalogue list;
    ApiAnswerReader::readServerList(body, list);
    checkRecords(list);
    checkRoundTrip(list);

    QString updateVersion;
    QString updateLink;
    if (ApiAnswerReader::readProgramUpdate(body, updateVersion, updateLink)) {
        FUZZ_CHECK(!updateVersion.isEmpty() && !updateLink.isEmpty());
    }

    QString zone = QStringLiteral("stale");
    if (!ApiAnswerReader::readTimezone(body, zone)) {
        FUZZ_CHECK(zone.isEmpty());
    } else {
        FUZZ_CHECK(zone != QLatin1String("N/A"));
    }

    QString buyLink;
    ApiAnswerReader::readBuyLink(body, buyLink);

    QMap<QString, int> doubleLatency;
    ApiAnswerReader::readDoubleHop(body, doubleLatency);
    return 0;
}
