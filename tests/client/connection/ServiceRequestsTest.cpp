#include "connection/ServiceRequests.h"

#include "FakeService.h"
#include "ServiceEndpoint.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

using namespace servicepipe;

class TestServiceRequests : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        socketPath = testServiceEndpoint(dir.path());
        qputenv("QUARNEL_SERVICE_SOCKET", QFile::encodeName(socketPath));
        setServiceConnectTimeout(std::chrono::milliseconds(300));
    }

    void init()
    {
        service = std::make_unique<FakeService>(QFile::encodeName(socketPath).toStdString());
        QVERIFY(service->isReady());
    }

    void cleanup() { service.reset(); }

    void everyRequestCarriesItsCommandAndFields()
    {
        FirewallOptions options;
        options.killConnect = 1;
        options.allowLocalDevices = 1;
        options.blockDNS = 1;
        QVERIFY(enableFirewall("127.0.0.1;10.0.0.8", options));
        QVERIFY(updateFirewall("", FirewallOptions()));
        QVERIFY(disableFirewall());
        QVERIFY(isFirewallSupported());
        QVERIFY(isTimezoneSupported());
        QVERIFY(changeTimezoneRequest(false, QString::fromUtf8("America/São_Paulo")));
        QVERIFY(changeTimezoneRequest(true, QString()));

        const auto requests = service->received();
        QCOMPARE(requests.size(), size_t(7));
        for (const auto& bytes : requests) {
            QCOMPARE(bytes.size(), requestSize); // always the whole record
        }
        const std::vector<std::int32_t> commands{1, 3, 2, 5, 7, 8, 8};
        for (size_t i = 0; i < requests.size(); ++i) {
            const ServiceRequest request = ServiceRequest::fromBytes(requests[i].data(), requests[i].size());
            QCOMPARE(request.command(), commands[i]);
        }
        const ServiceRequest enable = ServiceRequest::fromBytes(requests[0].data(), requests[0].size());
        QVERIFY(enable.addressList() == u"127.0.0.1;10.0.0.8");
        QVERIFY(enable.options() == options);
        const ServiceRequest update = ServiceRequest::fromBytes(requests[1].data(), requests[1].size());
        QVERIFY(update.addressList().empty());
        QCOMPARE(requests[5][4], std::uint8_t(0));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(requests[5].data()) + 5), "America/S\xc3\xa3o_Paulo");
        QCOMPARE(requests[6][4], std::uint8_t(1));
    }

    void resultIsTheOkByte()
    {
        service->answer(0);
        QVERIFY(!isFirewallSupported());
        service->answer(1, 77);
        QVERIFY(isTimezoneSupported());
        service->answer(0);
        QVERIFY(!changeTimezoneRequest(false, "Europe/Paris"));
    }

    void overlongTextsAreRefusedBeforeSending()
    {
        QVERIFY(!enableFirewall(QString(16000, '1'), FirewallOptions()));
        QVERIFY(!updateFirewall(QString(16000, '1'), FirewallOptions()));
        QVERIFY(!changeTimezoneRequest(false, QString(32004, 'z')));
        // Multi-byte characters count in bytes: 10,002 three-byte characters are 30,006 bytes,
        // which fit; 10,668 are 32,004, which do not.
        QVERIFY(changeTimezoneRequest(false, QString(10002, QChar(0x20ac))));
        QVERIFY(!changeTimezoneRequest(false, QString(10668, QChar(0x20ac))));
        QCOMPARE(service->received().size(), size_t(1));
        QVERIFY(enableFirewall(QString(15999, '1'), FirewallOptions()));
    }

    void unreachableServiceFails()
    {
        service.reset();
        QVERIFY(!isFirewallSupported());
        QVERIFY(!disableFirewall());
        QVERIFY(!enableFirewall("127.0.0.1", FirewallOptions()));
    }

    void openVpnCommandLineShape()
    {
        // The paths are given in Qt's form and go out in the system's own.
#ifdef Q_OS_WIN
        QCOMPARE(openVpnCommandLine("C:/Program Files/Quarnel/openvpn/openvpn.exe",
                                    "C:/Users/a b/AppData/Local/Temp/Quarnel.ovpn", 51234,
                                    "C:/Users/a b/AppData/Local/Temp/Quarnel.management-Ab12Cd.txt"),
                 QStringLiteral("C:\\Program Files\\Quarnel\\openvpn\\openvpn.exe "
                                "--config \"C:\\Users\\a b\\AppData\\Local\\Temp\\Quarnel.ovpn\" "
                                "--management 127.0.0.1 51234 "
                                "\"C:\\Users\\a b\\AppData\\Local\\Temp\\Quarnel.management-Ab12Cd.txt\" "
                                "--management-query-passwords"));
#else
        QCOMPARE(openVpnCommandLine("/opt/quarnel/openvpn/openvpn", "/run/user/1000/quarnel/Quarnel.ovpn", 51234,
                                    "/run/user/1000/quarnel/Quarnel.management-Ab12Cd.txt"),
                 QStringLiteral("/opt/quarnel/openvpn/openvpn --config \"/run/user/1000/quarnel/Quarnel.ovpn\" "
                                "--management 127.0.0.1 51234 \"/run/user/1000/quarnel/Quarnel.management-Ab12Cd.txt\" "
                                "--management-query-passwords"));
#endif
    }

private:
    QTemporaryDir dir;
    QString socketPath;
    std::unique_ptr<FakeService> service;
};

QTEST_GUILESS_MAIN(TestServiceRequests)
#include "ServiceRequestsTest.moc"
