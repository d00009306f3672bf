#include <QDataStream>
#include <QDomDocument>
#include <QDomElement>
#include <QMetaType>
#include <QtTest>

#include "data/PemTable.h"
#include "data/ServerIdentif.h"
#include "data/ServerInfo.h"
#include "data/VpnAccount.h"

#include <algorithm>

namespace {

using Attributes = QMap<QString, QByteArray>;

QByteArray b64(const QByteArray& text)
{
    return text.toBase64();
}

// A <vpn> element whose attributes hold the given raw (already Base64) values.
QDomElement vpnElement(QDomDocument& document, const Attributes& attributes)
{
    QDomElement element = document.createElement(QStringLiteral("vpn"));
    for (auto it = attributes.cbegin(); it != attributes.cend(); ++it)
        element.setAttribute(it.key(), QString::fromLatin1(it.value()));
    return element;
}

ServerInfo fromAttributes(const Attributes& attributes)
{
    QDomDocument document;
    QMap<QString, VpnAccount> accounts;
    return ServerInfo::fromApiElement(vpnElement(document, attributes), accounts);
}

ServerInfo sampleServer()
{
    ServerInfo server;
    server.id = QStringLiteral("Germany-France");
    server.flag = QStringLiteral("de");
    server.name = server.id;
    server.ip = QStringLiteral("198.51.100.7");
    server.user = QStringLiteral("vpn123");
    server.password = QStringLiteral("s3cret");
    server.tcpPorts = QStringList{QStringLiteral("443"), QStringLiteral("1194")};
    server.udpPorts = QStringList{QStringLiteral("1194")};
    server.marked = true;
    server.sslPort = 8443;
    server.group = 2;
    server.connectionType = 4;
    server.sni = QStringLiteral("cdn.example.net");
    server.brume = QStringLiteral("vless://id@198.51.100.7:443?security=tls");
    return server;
}

void compareStored(const ServerInfo& actual, const ServerInfo& expected)
{
    QCOMPARE(actual.id, expected.id);
    QCOMPARE(actual.flag, expected.flag);
    QCOMPARE(actual.name, expected.name);
    QCOMPARE(actual.ip, expected.ip);
    QCOMPARE(actual.user, expected.user);
    QCOMPARE(actual.password, expected.password);
    QCOMPARE(actual.tcpPorts, expected.tcpPorts);
    QCOMPARE(actual.udpPorts, expected.udpPorts);
    QCOMPARE(actual.marked, expected.marked);
    QCOMPARE(actual.sslPort, expected.sslPort);
    QCOMPARE(actual.group, expected.group);
    QCOMPARE(actual.connectionType, expected.connectionType);
    QCOMPARE(actual.sni, expected.sni);
    QCOMPARE(actual.brume, expected.brume);
}

using Table = QMap<QString, QByteArray>;

} // namespace

class CatalogueTest : public QObject
{
    Q_OBJECT

private slots:
    void attributeDecoding_data();
    void attributeDecoding();
    void missingAttributes();
    void ports_data();
    void ports();
    void integers_data();
    void integers();
    void passwordFromLoginTable();
    void metaType();

    void cacheLineRoundTrip_data();
    void cacheLineRoundTrip();
    void cacheLineParts_data();
    void cacheLineParts();

    void loginLine_data();
    void loginLine();
    void loginLineRoundTrip();

    void identifText_data();
    void identifText();

    void pemTableRoundTrip();
    void pemTableTruncated();
    void pemTableGarbage_data();
    void pemTableGarbage();
};

void CatalogueTest::attributeDecoding_data()
{
    QTest::addColumn<QByteArray>("attribute");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << b64("Germany") << QStringLiteral("Germany");
    QTest::newRow("utf-8") << b64("Z\xc3\xbcrich") << QStringLiteral("Z\u00fcrich");
    QTest::newRow("foreign characters skipped") << QByteArray("R2V*y\nbW F!u\teQ==") << QStringLiteral("Germany");
    QTest::newRow("non-latin-1 skipped") << QByteArray("R2Vy\xd0\x96"
                                                       "bWFueQ==")
                                         << QStringLiteral("Germany");
    QTest::newRow("cut at NUL") << b64(QByteArray("Germany\0junk", 12)) << QStringLiteral("Germany");
    QTest::newRow("leading NUL") << b64(QByteArray("\0Germany", 8)) << QString();
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("only padding") << QByteArray("====") << QString();
    QTest::newRow("single character") << QByteArray("A") << QString();
    QTest::newRow("no alphabet at all") << QByteArray("!!!***") << QString();
    QTest::newRow("missing padding") << QByteArray("R2VybWFueQ") << QStringLiteral("Germany");
}

void CatalogueTest::attributeDecoding()
{
    QFETCH(QByteArray, attribute);
    QFETCH(QString, expected);

    // Non-Latin-1 test input goes in as UTF-8 so that the element really holds it.
    QDomDocument document;
    QDomElement element = document.createElement(QStringLiteral("vpn"));
    element.setAttribute(QStringLiteral("name"), QString::fromUtf8(attribute));
    QMap<QString, VpnAccount> accounts;
    const ServerInfo server = ServerInfo::fromApiElement(element, accounts);
    QCOMPARE(server.id, expected);
    QCOMPARE(server.name, expected);
}

void CatalogueTest::missingAttributes()
{
    const ServerInfo server = fromAttributes({});
    QVERIFY(server.id.isEmpty());
    QVERIFY(server.ip.isEmpty());
    QVERIFY(server.user.isEmpty());
    QVERIFY(server.sni.isEmpty());
    QVERIFY(server.brume.isEmpty());
    QVERIFY(server.tcpPorts.isEmpty());
    QVERIFY(server.udpPorts.isEmpty());
    QCOMPARE(server.sslPort, 0);
    QCOMPARE(server.group, 1);
    QCOMPARE(server.connectionType, 4);
}

void CatalogueTest::ports_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("0") << QByteArray("0") << QStringList();
    QTest::newRow("empty") << QByteArray("") << QStringList();
    QTest::newRow("443,1194") << QByteArray("443,1194") << QStringList{"443", "1194"};
    QTest::newRow("0,443") << QByteArray("0,443") << QStringList();
    QTest::newRow("443,0") << QByteArray("443,0") << QStringList{"443", "0"};
    QTest::newRow("empty part kept") << QByteArray("443,,1194") << QStringList{"443", "", "1194"};
}

void CatalogueTest::ports()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, expected);

    const ServerInfo tcp = fromAttributes({{"tcp", b64(text)}, {"udp", b64("1194")}});
    QCOMPARE(tcp.tcpPorts, expected);
    QCOMPARE(tcp.udpPorts, QStringList{"1194"});

    const ServerInfo udp = fromAttributes({{"udp", b64(text)}, {"tcp", b64("443")}});
    QCOMPARE(udp.udpPorts, expected);
    QCOMPARE(udp.tcpPorts, QStringList{"443"});
}

void CatalogueTest::integers_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("sslPort");

    QTest::newRow("2") << QByteArray("2") << 2 << 2;
    QTest::newRow("1") << QByteArray("1") << 1 << 1;
    QTest::newRow("3") << QByteArray("3") << 1 << 3;
    QTest::newRow("443") << QByteArray("443") << 1 << 443;
    QTest::newRow("empty") << QByteArray("") << 1 << 0;
    QTest::newRow("x") << QByteArray("x") << 1 << 0;
    QTest::newRow("2x") << QByteArray("2x") << 1 << 0;
    QTest::newRow("overflow") << QByteArray("99999999999999999999") << 1 << 0;
}

void CatalogueTest::integers()
{
    QFETCH(QByteArray, text);
    QFETCH(int, group);
    QFETCH(int, sslPort);

    const ServerInfo server = fromAttributes({{"group", b64(text)}, {"ssl", b64(text)}});
    QCOMPARE(server.group, group);
    QCOMPARE(server.sslPort, sslPort);
}

void CatalogueTest::passwordFromLoginTable()
{
    QMap<QString, VpnAccount> accounts;
    const QDateTime expires(QDate(2031, 5, 4), QTime(12, 0));
    accounts.insert(QStringLiteral("vpn1"), VpnAccount{QStringLiteral("vpn1"), QStringLiteral("pw1"), expires});

    QDomDocument document;
    const Attributes known{{"name", b64("Spain")},     {"ip", b64("203.0.113.9")}, {"flag", b64("es")},
                           {"user", b64("vpn1")},      {"dns", b64("10.0.0.1")},   {"sni", b64("sni.example")},
                           {"brume", b64("vless://x")}};
    const ServerInfo server = ServerInfo::fromApiElement(vpnElement(document, known), accounts);
    QCOMPARE(server.password, QStringLiteral("pw1"));
    QCOMPARE(server.id, QStringLiteral("Spain"));
    QCOMPARE(server.name, QStringLiteral("Spain"));
    QCOMPARE(server.ip, QStringLiteral("203.0.113.9"));
    QCOMPARE(server.flag, QStringLiteral("es"));
    QCOMPARE(server.user, QStringLiteral("vpn1"));
    QCOMPARE(server.sni, QStringLiteral("sni.example"));
    QCOMPARE(server.brume, QStringLiteral("vless://x"));
    QCOMPARE(server.ping, 0);
    QCOMPARE(server.marked, false);
    QVERIFY(server.groupTitle.isEmpty());
    QCOMPARE(server.connectionType, 4);
    QCOMPARE(accounts.size(), 1);
    QCOMPARE(accounts.value(QStringLiteral("vpn1")).expires, expires);

    // A login whose entry has not arrived yet gets an empty one.
    const ServerInfo unknown =
        ServerInfo::fromApiElement(vpnElement(document, {{"name", b64("Italy")}, {"user", b64("vpn2")}}), accounts);
    QVERIFY(unknown.password.isEmpty());
    QCOMPARE(accounts.size(), 2);
    QVERIFY(accounts.contains(QStringLiteral("vpn2")));
    QVERIFY(accounts.value(QStringLiteral("vpn2")).password.isEmpty());
    QVERIFY(!accounts.value(QStringLiteral("vpn2")).expires.isValid());
}

void CatalogueTest::metaType()
{
    const int id = QMetaType::type("ServerInfo");
    QVERIFY(id != QMetaType::UnknownType);
    QCOMPARE(id, qMetaTypeId<ServerInfo>());
    QVERIFY(QMetaType::type("ServerIdentif") != QMetaType::UnknownType);

    const QVariant variant = QVariant::fromValue(sampleServer());
    compareStored(variant.value<ServerInfo>(), sampleServer());

    ServerInfo sameId;
    sameId.id = sampleServer().id;
    QVERIFY(sameId == sampleServer());
    sameId.id += QLatin1Char('x');
    QVERIFY(sameId != sampleServer());
}

void CatalogueTest::cacheLineRoundTrip_data()
{
    QTest::addColumn<ServerInfo>("server");
    QTest::addColumn<ServerInfo>("expected");

    const ServerInfo full = sampleServer();
    QTest::newRow("full") << full << full;

    ServerInfo unmarked = full;
    unmarked.marked = false;
    unmarked.group = 1;
    QTest::newRow("unmarked single hop") << unmarked << unmarked;

    ServerInfo noUdp = full;
    noUdp.udpPorts.clear();
    ServerInfo noUdpRead = noUdp;
    noUdpRead.udpPorts = QStringList{QString()};
    QTest::newRow("empty port list reads back as one empty port") << noUdp << noUdpRead;

    ServerInfo percent = full;
    percent.password = QStringLiteral("a%2b%10c%1");
    percent.id = QStringLiteral("%3");
    percent.name = percent.id;
    QTest::newRow("placeholders in values") << percent << percent;

    ServerInfo measured = full;
    measured.ping = 42;
    measured.groupTitle = QStringLiteral("Germany");
    QTest::newRow("ping and group title not kept") << measured << full;
}

void CatalogueTest::cacheLineRoundTrip()
{
    QFETCH(ServerInfo, server);
    QFETCH(ServerInfo, expected);

    const QString line = server.toCacheLine();
    QCOMPARE(line.split(QLatin1Char(';')).size(), 14);
    const ServerInfo read = ServerInfo::fromCacheLine(line);
    compareStored(read, expected);
    QCOMPARE(read.ping, 0);
    QVERIFY(read.groupTitle.isEmpty());
}

void CatalogueTest::cacheLineParts_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<ServerInfo>("expected");

    QTest::newRow("empty line") << QString() << ServerInfo();
    QTest::newRow("9 parts") << QStringLiteral("Spain;es;Spain;1.2.3.4;1;vpn;pw;443;1194") << ServerInfo();

    ServerInfo ten;
    ten.id = QStringLiteral("Spain");
    ten.flag = QStringLiteral("es");
    ten.name = QStringLiteral("Spain");
    ten.ip = QStringLiteral("1.2.3.4");
    ten.marked = true;
    ten.user = QStringLiteral("vpn");
    ten.password = QStringLiteral("pw");
    ten.tcpPorts = QStringList{"443", "80"};
    ten.udpPorts = QStringList{"1194"};
    ten.connectionType = 5;
    QTest::newRow("10 parts") << QStringLiteral("Spain;es;Spain;1.2.3.4;1;vpn;pw;443.80;1194;5") << ten;

    ServerInfo thirteen = ten;
    thirteen.sslPort = 8443;
    thirteen.group = 2;
    thirteen.sni = QStringLiteral("sni.example");
    QTest::newRow("13 parts") << QStringLiteral("Spain;es;Spain;1.2.3.4;1;vpn;pw;443.80;1194;5;8443;2;sni.example")
                              << thirteen;

    ServerInfo shifted = thirteen;
    shifted.brume = QStringLiteral("vless://a");
    QTest::newRow("extra parts ignored")
        << QStringLiteral("Spain;es;Spain;1.2.3.4;1;vpn;pw;443.80;1194;5;8443;2;sni.example;vless://a;b;c") << shifted;

    ServerInfo garbage;
    garbage.tcpPorts = QStringList{QString()};
    garbage.udpPorts = QStringList{QString()};
    QTest::newRow("10 empty parts") << QStringLiteral(";;;;;;;;;") << garbage;

    QTest::newRow("non-numeric numbers") << QStringLiteral(";;;;x;;;;;y;z;w;;") << garbage;
}

void CatalogueTest::cacheLineParts()
{
    QFETCH(QString, line);
    QFETCH(ServerInfo, expected);

    const ServerInfo read = ServerInfo::fromCacheLine(line);
    compareStored(read, expected);
    QCOMPARE(read.ping, 0);
}

void CatalogueTest::loginLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("used");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QDateTime>("expires");

    const QDateTime date(QDate(2030, 1, 31), QTime(23, 59, 58));
    QTest::newRow("3 parts") << QStringLiteral("vpn7||pw||2030-01-31T23:59:58") << true << QStringLiteral("pw") << date;
    QTest::newRow("empty password") << QStringLiteral("vpn7||||2030-01-31T23:59:58") << true << QString() << date;
    QTest::newRow("bad date") << QStringLiteral("vpn7||pw||31.01.2030") << true << QStringLiteral("pw") << QDateTime();
    QTest::newRow("empty date") << QStringLiteral("vpn7||pw||") << true << QStringLiteral("pw") << QDateTime();
    QTest::newRow("2 parts") << QStringLiteral("vpn7||pw") << false << QString() << QDateTime();
    QTest::newRow("4 parts") << QStringLiteral("vpn7||pw||2030-01-31T23:59:58||x") << false << QString() << QDateTime();
    QTest::newRow("empty line") << QString() << false << QString() << QDateTime();
}

void CatalogueTest::loginLine()
{
    QFETCH(QString, line);
    QFETCH(bool, used);
    QFETCH(QString, password);
    QFETCH(QDateTime, expires);

    QMap<QString, VpnAccount> accounts;
    accounts.insert(QStringLiteral("other"), VpnAccount{QStringLiteral("other"), QStringLiteral("x"), QDateTime()});
    QCOMPARE(VpnAccount::readCacheLine(line, accounts), used);
    QCOMPARE(accounts.size(), used ? 2 : 1);
    QCOMPARE(accounts.value(QStringLiteral("other")).password, QStringLiteral("x"));
    if (!used)
        return;
    const VpnAccount account = accounts.value(QStringLiteral("vpn7"));
    QCOMPARE(account.login, QStringLiteral("vpn7"));
    QCOMPARE(account.password, password);
    QCOMPARE(account.expires.isValid(), expires.isValid());
    if (expires.isValid())
        QCOMPARE(account.expires, expires);
}

void CatalogueTest::loginLineRoundTrip()
{
    const VpnAccount account{QStringLiteral("vpn%2"), QStringLiteral("p%1w"),
                             QDateTime(QDate(2029, 12, 1), QTime(8, 30, 0))};
    QCOMPARE(account.toCacheLine(), QStringLiteral("vpn%2||p%1w||2029-12-01T08:30:00"));

    // An existing entry is replaced.
    QMap<QString, VpnAccount> accounts;
    accounts.insert(account.login, VpnAccount{account.login, QStringLiteral("old"), QDateTime()});
    QVERIFY(VpnAccount::readCacheLine(account.toCacheLine(), accounts));
    QCOMPARE(accounts.size(), 1);
    QCOMPARE(accounts.value(account.login).password, account.password);
    QCOMPARE(accounts.value(account.login).expires, account.expires);
}

void CatalogueTest::identifText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    QTest::newRow("plain") << QStringLiteral("vpn1::Germany-France") << QStringLiteral("vpn1")
                           << QStringLiteral("Germany-France");
    QTest::newRow("separator in id") << QStringLiteral("vpn1::a::b") << QStringLiteral("vpn1")
                                     << QStringLiteral("a::b");
    QTest::newRow("empty user") << QStringLiteral("::Spain") << QString() << QStringLiteral("Spain");
    QTest::newRow("no separator") << QStringLiteral("Spain") << QString() << QString();
    QTest::newRow("empty") << QString() << QString() << QString();
}

void CatalogueTest::identifText()
{
    QFETCH(QString, text);
    QFETCH(QString, first);
    QFETCH(QString, second);

    const ServerIdentif identif = ServerIdentif::fromText(text);
    QCOMPARE(identif.first, first);
    QCOMPARE(identif.second, second);
    if (!identif.isEmpty())
        QCOMPARE(identif.toText(), text);
}

void CatalogueTest::pemTableRoundTrip()
{
    const Table table{{QStringLiteral("vpn1"), QByteArray("-----BEGIN CERTIFICATE-----\nMIIB\n")},
                      {QStringLiteral("vpn\u00e9"), QByteArray("\0\1\2\xff", 4)},
                      {QStringLiteral("vpn3"), QByteArray()}};
    const QByteArray bytes = PemTable::toBytes(table);

    // The layout is Qt's own QMap streaming, so caches written either way read back.
    QByteArray qtBytes;
    QDataStream qtStream(&qtBytes, QIODevice::WriteOnly);
    qtStream << table;
    QCOMPARE(bytes, qtBytes);

    Table read{{QStringLiteral("stale"), QByteArray("x")}};
    QVERIFY(PemTable::fromBytes(bytes, read));
    QCOMPARE(read, table);

    QVERIFY(PemTable::fromBytes(PemTable::toBytes(Table()), read));
    QVERIFY(read.isEmpty());
    read.insert(QStringLiteral("stale"), QByteArray("x"));
    QVERIFY(PemTable::fromBytes(QByteArray(), read));
    QVERIFY(read.isEmpty());
}

void CatalogueTest::pemTableTruncated()
{
    const Table table{{QStringLiteral("alpha"), QByteArray(300, 'a')},
                      {QStringLiteral("beta"), QByteArray("b")},
                      {QStringLiteral("gamma"), QByteArray(70, 'g')}};
    const QByteArray bytes = PemTable::toBytes(table);

    // Where each entry ends in the stream (Qt 5 writes a map from its last key).
    QVector<int> entryEnds;
    {
        QByteArray partial;
        QDataStream stream(&partial, QIODevice::WriteOnly);
        stream << quint32(table.size());
        for (auto it = table.cend(); it != table.cbegin();) {
            --it;
            stream << it.key() << it.value();
            entryEnds.append(partial.size());
        }
        QCOMPARE(partial, bytes);
    }

    for (int length = 1; length < bytes.size(); ++length) {
        Table read;
        QVERIFY2(!PemTable::fromBytes(bytes.left(length), read), qPrintable(QString::number(length)));
        const int whole =
            int(std::count_if(entryEnds.cbegin(), entryEnds.cend(), [&](int end) { return end <= length; }));
        QCOMPARE(read.size(), whole);
        for (auto it = read.cbegin(); it != read.cend(); ++it)
            QCOMPARE(it.value(), table.value(it.key()));
    }
}

void CatalogueTest::pemTableGarbage_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("short count") << QByteArray("\0\0", 2);
    QTest::newRow("huge count, no entries") << QByteArray("\xff\xff\xff\xff", 4);
    QTest::newRow("huge string length") << QByteArray("\0\0\0\1\x7f\xff\xff\xfe", 8);
    QTest::newRow("odd string length") << QByteArray("\0\0\0\1\0\0\0\3abc", 11);
    QTest::newRow("huge byte array length") << QByteArray("\0\0\0\1\0\0\0\0\x7f\xff\xff\xff", 12);
    QTest::newRow("text") << QByteArray("not a stream at all");
}

void CatalogueTest::pemTableGarbage()
{
    QFETCH(QByteArray, bytes);

    Table read{{QStringLiteral("stale"), QByteArray("x")}};
    QVERIFY(!PemTable::fromBytes(bytes, read));
    QVERIFY(!read.contains(QStringLiteral("stale")));
}

QTEST_GUILESS_MAIN(CatalogueTest)
#include "CatalogueTest.moc"
