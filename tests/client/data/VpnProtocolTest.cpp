#include <QCoreApplication>
#include <QSettings>
#include <QTranslator>
#include <QtTest>

#include "SettingsSandbox.h"
#include "data/LocalSettings.h"
#include "data/ServerInfo.h"
#include "data/VpnProtocol.h"

#include <memory>

namespace {

// Marks every text it translates, in the protocol table's context only.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation, int n) const override
    {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        if (qstrcmp(context, "VpnProtocol") != 0)
            return QString();
        return QStringLiteral("<%1>").arg(QString::fromUtf8(sourceText));
    }
    bool isEmpty() const override { return false; }
};

ServerInfo server(const QStringList& tcp, const QStringList& udp, int ssl, const QString& brume)
{
    ServerInfo info;
    info.id = QStringLiteral("Spain");
    info.tcpPorts = tcp;
    info.udpPorts = udp;
    info.sslPort = ssl;
    info.brume = brume;
    return info;
}

// Stores key under "advProtocol"; a null key removes it.
void storeProtocol(const QString& key)
{
    QSettings settings;
    if (key.isNull())
        settings.remove(SettingsKey::advProtocol);
    else
        settings.setValue(SettingsKey::advProtocol, key);
    settings.sync();
}

} // namespace

class VpnProtocolTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void tableOrder();
    void translatedLabels();
    void lookup_data();
    void lookup();
    void currentProtocol_data();
    void currentProtocol();
    void stealthTest_data();
    void stealthTest();
    void offers_data();
    void offers();
    void availableProtocols();

private:
    std::unique_ptr<SettingsSandbox> sandbox;
    QSharedPointer<LocalSettings> store;
};

void VpnProtocolTest::initTestCase()
{
    sandbox = std::make_unique<SettingsSandbox>();
    QVERIFY2(sandbox->isIsolated(), qPrintable(sandbox->settingsFile()));
    SettingsSandbox::clear();
    store = LocalSettings::instance();
}

void VpnProtocolTest::cleanupTestCase()
{
    store.clear();
    QSettings().sync();
}

void VpnProtocolTest::tableOrder()
{
    QVector<int> ids;
    QStringList keys;
    QStringList labels;
    for (const VpnProtocol& row : VpnProtocol::protocols()) {
        ids.append(row.id);
        keys.append(row.key);
        labels.append(QString::fromLatin1(row.label));
    }
    QCOMPARE(ids, (QVector<int>{5, 4, 6, 7}));
    QCOMPARE(keys, (QStringList{"tcp", "udp", "stealth", "brume"}));
    QCOMPARE(labels, (QStringList{"OpenVPN TCP (safer)", "OpenVPN UDP (faster)", "Imitation HTTPS", "Brume"}));
}

void VpnProtocolTest::translatedLabels()
{
    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    const QString stealth = VpnProtocol::fromKey(QStringLiteral("stealth")).translatedLabel();
    const QString none = VpnProtocol::fromKey(QStringLiteral("none")).translatedLabel();
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(stealth, QStringLiteral("<Imitation HTTPS>"));
    QVERIFY(none.isEmpty());
    QCOMPARE(VpnProtocol::fromKey(QStringLiteral("udp")).translatedLabel(), QStringLiteral("OpenVPN UDP (faster)"));
}

void VpnProtocolTest::lookup_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("id");

    QTest::newRow("tcp") << QStringLiteral("tcp") << 5;
    QTest::newRow("udp") << QStringLiteral("udp") << 4;
    QTest::newRow("stealth") << QStringLiteral("stealth") << 6;
    QTest::newRow("brume") << QStringLiteral("brume") << 7;
    QTest::newRow("TCP") << QStringLiteral("TCP") << -1;
    QTest::newRow("Stealth") << QStringLiteral("Stealth") << -1;
    QTest::newRow("padded") << QStringLiteral(" tcp") << -1;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("unknown") << QStringLiteral("ssl") << -1;
}

void VpnProtocolTest::lookup()
{
    QFETCH(QString, key);
    QFETCH(int, id);

    const VpnProtocol row = VpnProtocol::fromKey(key);
    QCOMPARE(row.id, id);
    QCOMPARE(row.isValid(), id != -1);
    if (id == -1) {
        QVERIFY(row.key.isEmpty());
        QVERIFY(row.label == nullptr);
    } else {
        QCOMPARE(row.key, key);
        QVERIFY(row.label != nullptr);
    }
}

void VpnProtocolTest::currentProtocol_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("storedAfter");

    QTest::newRow("absent") << QString() << 5 << QStringLiteral("tcp");
    QTest::newRow("empty") << QStringLiteral("") << 5 << QStringLiteral("tcp");
    QTest::newRow("udp") << QStringLiteral("udp") << 4 << QStringLiteral("udp");
    QTest::newRow("brume") << QStringLiteral("brume") << 7 << QStringLiteral("brume");
    QTest::newRow("TCP") << QStringLiteral("TCP") << -1 << QStringLiteral("TCP");
    QTest::newRow("unknown") << QStringLiteral("ipsec") << -1 << QStringLiteral("ipsec");
}

void VpnProtocolTest::currentProtocol()
{
    QFETCH(QString, stored);
    QFETCH(int, id);
    QFETCH(QString, storedAfter);

    storeProtocol(stored);
    QCOMPARE(VpnProtocol::currentProtocolId(*store), id);
    QCOMPARE(QSettings().value(SettingsKey::advProtocol).toString(), storedAfter);
}

void VpnProtocolTest::stealthTest_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("stealth");

    QTest::newRow("absent") << QString() << false;
    QTest::newRow("empty") << QStringLiteral("") << false;
    QTest::newRow("stealth") << QStringLiteral("stealth") << true;
    QTest::newRow("Stealth") << QStringLiteral("Stealth") << false;
    QTest::newRow("tcp") << QStringLiteral("tcp") << false;
}

void VpnProtocolTest::stealthTest()
{
    QFETCH(QString, stored);
    QFETCH(bool, stealth);

    storeProtocol(stored);
    QCOMPARE(VpnProtocol::isStealth(*store), stealth);
    const QVariant after = QSettings().value(SettingsKey::advProtocol);
    QCOMPARE(after.isValid(), !stored.isNull());
    QCOMPARE(after.toString(), stored.isNull() ? QString() : stored);
}

void VpnProtocolTest::offers_data()
{
    QTest::addColumn<ServerInfo>("server");
    QTest::addColumn<int>("protocol");
    QTest::addColumn<bool>("offered");

    const ServerInfo tcpOnly = server({"443"}, {}, 0, QString());
    QTest::newRow("tcp only: udp") << tcpOnly << 4 << false;
    QTest::newRow("tcp only: tcp") << tcpOnly << 5 << true;
    QTest::newRow("tcp only: stealth") << tcpOnly << 6 << false;
    QTest::newRow("tcp only: brume") << tcpOnly << 7 << false;

    const ServerInfo udpOnly = server({}, {"1194", "1195"}, 0, QString());
    QTest::newRow("udp only: udp") << udpOnly << 4 << true;
    QTest::newRow("udp only: tcp") << udpOnly << 5 << false;

    QTest::newRow("ssl port 443") << server({}, {}, 443, QString()) << 6 << true;
    QTest::newRow("negative ssl port") << server({}, {}, -1, QString()) << 6 << false;
    QTest::newRow("brume link") << server({}, {}, 0, QStringLiteral("vless://a@b:443")) << 7 << true;

    const ServerInfo nothing = server({}, {}, 0, QString());
    QTest::newRow("nothing: udp") << nothing << 4 << false;
    QTest::newRow("nothing: unknown -1") << nothing << -1 << true;
    QTest::newRow("nothing: unknown 3") << nothing << 3 << true;
}

void VpnProtocolTest::offers()
{
    QFETCH(ServerInfo, server);
    QFETCH(int, protocol);
    QFETCH(bool, offered);

    QCOMPARE(VpnProtocol::serverOffers(server, protocol), offered);
}

void VpnProtocolTest::availableProtocols()
{
    QCOMPARE(VpnProtocol::availableProtocolIds({}), QList<int>());
    const QList<ServerInfo> servers{server({}, {}, 0, QStringLiteral("vless://a")), server({}, {"1194"}, 0, QString()),
                                    server({}, {"1194"}, 443, QString())};
    QCOMPARE(VpnProtocol::availableProtocolIds(servers), (QList<int>{4, 6, 7}));
}

QTEST_GUILESS_MAIN(VpnProtocolTest)
#include "VpnProtocolTest.moc"
