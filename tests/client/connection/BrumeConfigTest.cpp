#include "connection/BrumeConfig.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

const QString fullLink = QStringLiteral("vless://0b1e6a57-3c1d-4f2e-9a8b-7c6d5e4f3a2b@brume.example.net:8443"
                                        "?type=ws&security=tls&path=%2Fws&sni=cdn.example.org&allowInsecure=1");

QJsonObject proxyOf(const QString& json)
{
    return QJsonDocument::fromJson(json.toUtf8()).object().value("outbounds").toArray().at(0).toObject();
}

} // namespace

class TestBrumeConfig : public QObject
{
    Q_OBJECT

private slots:
    // The whole document for the fullest link: members sorted, four-space
    // indentation.
    void wholeDocument()
    {
        const QString expected = QStringLiteral(R"({
    "inbounds": [
        {
            "address": [
                "10.10.1.0/30"
            ],
            "auto_route": true,
            "domain_strategy": "prefer_ipv4",
            "endpoint_independent_nat": false,
            "interface_name": "tun0",
            "mtu": 9000,
            "sniff": true,
            "stack": "gvisor",
            "strict_route": true,
            "tag": "tun-in",
            "type": "tun"
        }
    ],
    "log": {
        "level": "info"
    },
    "outbounds": [
        {
            "server": "brume.example.net",
            "server_port": 8443,
            "tag": "proxy",
            "tls": {
                "enabled": true,
                "insecure": true,
                "server_name": "cdn.example.org"
            },
            "transport": {
                "path": "/ws",
                "type": "ws"
            },
            "type": "vless",
            "uuid": "0b1e6a57-3c1d-4f2e-9a8b-7c6d5e4f3a2b"
        },
        {
            "tag": "direct",
            "type": "direct"
        },
        {
            "tag": "block",
            "type": "block"
        }
    ],
    "route": {
        "auto_detect_interface": true,
        "final": "proxy"
    }
}
)");
        QCOMPARE(BrumeConfig::build(fullLink), expected);
    }

    void linkParts_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("server");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("uuid");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("sni");
        QTest::addColumn<bool>("insecure");

        QTest::newRow("port 8443, insecure 1")
            << fullLink << "brume.example.net" << 8443 << "0b1e6a57-3c1d-4f2e-9a8b-7c6d5e4f3a2b"
            << "/ws"
            << "cdn.example.org" << true;
        QTest::newRow("no port") << "vless://id@10.1.2.3?path=%2Fws&sni=s.example&allowInsecure=1"
                                 << "10.1.2.3" << 443 << "id"
                                 << "/ws"
                                 << "s.example" << true;
        QTest::newRow("allowInsecure absent") << "vless://id@h.example:443?path=%2Fws&sni=s.example"
                                              << "h.example" << 443 << "id"
                                              << "/ws"
                                              << "s.example" << false;
        QTest::newRow("allowInsecure true") << "vless://id@h.example?allowInsecure=true"
                                            << "h.example" << 443 << "id"
                                            << ""
                                            << "" << false;
        QTest::newRow("allowInsecure 0") << "vless://id@h.example?allowInsecure=0"
                                         << "h.example" << 443 << "id"
                                         << ""
                                         << "" << false;
        QTest::newRow("no query") << "vless://id@h.example:2053"
                                  << "h.example" << 2053 << "id"
                                  << ""
                                  << "" << false;
        QTest::newRow("nested path") << "vless://id@h.example?path=%2Fa%2Fb%2F"
                                     << "h.example" << 443 << "id"
                                     << "/a/b/"
                                     << "" << false;
        QTest::newRow("encoded user id") << "vless://a%40b@h.example"
                                         << "h.example" << 443 << "a@b"
                                         << ""
                                         << "" << false;
        QTest::newRow("IPv6 host") << "vless://id@[2001:db8::1]:8443"
                                   << "2001:db8::1" << 8443 << "id"
                                   << ""
                                   << "" << false;
    }

    void linkParts()
    {
        QFETCH(QString, link);
        QFETCH(QString, server);
        QFETCH(int, port);
        QFETCH(QString, uuid);
        QFETCH(QString, path);
        QFETCH(QString, sni);
        QFETCH(bool, insecure);
        const QJsonObject proxy = proxyOf(BrumeConfig::build(link));
        QCOMPARE(proxy.value("type").toString(), QStringLiteral("vless"));
        QCOMPARE(proxy.value("server").toString(), server);
        QCOMPARE(proxy.value("server_port").toInt(-1), port);
        QCOMPARE(proxy.value("uuid").toString(), uuid);
        QCOMPARE(proxy.value("transport").toObject().value("path").toString(), path);
        const QJsonObject tls = proxy.value("tls").toObject();
        QCOMPARE(tls.value("server_name").toString(), sni);
        QCOMPARE(tls.value("insecure").toBool(!insecure), insecure);
        QCOMPARE(tls.value("enabled").toBool(), true);
    }

    void otherSchemesGiveNothing_data()
    {
        QTest::addColumn<QString>("link");
        QTest::newRow("capital scheme") << "VLESS://id@h.example:8443?path=%2Fws";
        QTest::newRow("mixed case") << "Vless://id@h.example:8443";
        QTest::newRow("vmess") << "vmess://id@h.example:8443";
        QTest::newRow("no scheme") << "id@h.example:8443";
        QTest::newRow("empty") << "";
    }

    void otherSchemesGiveNothing()
    {
        QFETCH(QString, link);
        QVERIFY(BrumeConfig::build(link).isEmpty());
    }

    // A NUL smuggled into the link ends up escaped inside a value; the document
    // stays whole and parseable rather than cut short.
    void nulInLinkKeepsDocumentWhole()
    {
        const QString json = BrumeConfig::build(QStringLiteral("vless://a%00b@h.example?sni=x%00y"));
        QVERIFY(!json.contains(QChar(0)));
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(json.toUtf8(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(doc.object().value("route").toObject().value("final").toString(), QStringLiteral("proxy"));
    }
};

QTEST_GUILESS_MAIN(TestBrumeConfig)
#include "BrumeConfigTest.moc"
