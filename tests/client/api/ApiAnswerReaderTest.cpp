#include "api/ApiAnswerReader.h"
#include "api/Catalogue.h"
#include "api/XmlNesting.h"

#include <QtTest>

namespace {

QByteArray nested(int levels, bool closed)
{
    QByteArray xml = "<data><ver type=\"ZnVsbA==\">dHJ1ZQ==</ver><auth>dHJ1ZQ==</auth>";
    xml += QByteArray("<a>").repeated(levels);
    if (closed)
        xml += QByteArray("</a>").repeated(levels) + "</data>";
    return xml;
}

} // namespace

class ApiAnswerReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void depth_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<int>("levels");
        QTest::addColumn<bool>("within");

        const QByteArray answer = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<data><upgrade><ver>My44</ver>"
                                  "<link>eA==</link></upgrade><vpn name=\"QQ==\"/><vpn name=\"Qg==\"/></data>\n";
        QTest::newRow("answer, 3 levels") << answer << 3 << true;
        QTest::newRow("answer, 2 levels") << answer << 2 << false;
        QTest::newRow("empty elements add nothing") << QByteArray("<data><a/><a /><a/></data>") << 2 << true;
        QTest::newRow("empty") << QByteArray() << 0 << true;
        QTest::newRow("tags in a comment") << QByteArray("<data><!-- <a><a><a> --></data>") << 1 << true;
        QTest::newRow("tags in CDATA") << QByteArray("<data><![CDATA[<a><a>]]></data>") << 1 << true;
        QTest::newRow("tags in a processing instruction") << QByteArray("<?p <a><a> ?><data/>") << 1 << true;
        // Without the quotes, the "/>" inside the value would close the element early.
        QTest::newRow("'/>' in a quoted value") << QByteArray("<data x=\"/>\"><a><b/></a></data>") << 2 << false;
        QTest::newRow("'>' in a single-quoted value") << QByteArray("<data x='>'><a/></data>") << 2 << true;
        QTest::newRow("end tags without start tags") << QByteArray("</x></x><data><a><b/></a></data>") << 2 << false;
        // Entities may hold elements: past the declaration every "<" counts.
        const QByteArray doctype = "<!DOCTYPE data [<!ENTITY e \"<a><a/></a>\">]><data>&e;</data>";
        QTest::newRow("document type, 6 levels") << doctype << 6 << false;
        QTest::newRow("document type, 7 levels") << doctype << 7 << true;
        QTest::newRow("cut inside a tag") << QByteArray("<data><a x=\"") << 2 << true;
        QTest::newRow("deeper than asked") << nested(40000, false) << 32 << false;
    }

    void depth()
    {
        QFETCH(QByteArray, xml);
        QFETCH(int, levels);
        QFETCH(bool, within);
        QCOMPARE(XmlNesting::within(xml, levels), within);
    }

    // An answer nested tens of thousands of levels deep used to overflow the stack of
    // the DOM parser (and to take seconds well before that); now it reads as a broken
    // answer: a failed sign-in, the catalogue as it was.
    void deepAnswerReadsAsBroken_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("never closed") << nested(100000, false);
        QTest::newRow("closed") << nested(30000, true);
    }

    void deepAnswerReadsAsBroken()
    {
        QFETCH(QByteArray, body);
        Catalogue catalogue;
        ServerInfo cached;
        cached.id = QStringLiteral("Cached");
        catalogue.serverList.append(cached);
        QString version;
        QString link;

        QElapsedTimer timer;
        timer.start();
        const ApiAnswerReader::SignIn answer = ApiAnswerReader::readSignIn(body, catalogue, version, link);
        ApiAnswerReader::readServerList(body, catalogue);
        QString zone;
        QVERIFY(!ApiAnswerReader::readTimezone(body, zone));
        QVERIFY(timer.elapsed() < 2000);

        QVERIFY(!answer.accepted);
        QCOMPARE(answer.error, NetworkManager::RequestFailed);
        QCOMPARE(catalogue.serverList.size(), 1);
        QCOMPARE(catalogue.serverList.first().id, QStringLiteral("Cached"));
    }

    // A login's expiry beyond what QDateTime can count used to wrap round to an arbitrary
    // date; it now reads as unknown, as an unreadable date in the cache does.
    void expiry_data()
    {
        QTest::addColumn<QByteArray>("seconds");
        QTest::addColumn<QDateTime>("expires");
        QTest::newRow("2030") << QByteArray("1893456000") << QDateTime(QDate(2030, 1, 1), QTime(0, 0), Qt::UTC);
        QTest::newRow("before 1970") << QByteArray("-86400") << QDateTime(QDate(1969, 12, 31), QTime(0, 0), Qt::UTC);
        QTest::newRow("not a number: the epoch")
            << QByteArray("soon") << QDateTime(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC);
        QTest::newRow("past the range") << QByteArray("99999999999999999") << QDateTime();
        QTest::newRow("far before the range") << QByteArray("-99999999999999999") << QDateTime();
        QTest::newRow("largest 64-bit number") << QByteArray("9223372036854775807") << QDateTime();
    }

    void expiry()
    {
        QFETCH(QByteArray, seconds);
        QFETCH(QDateTime, expires);
        const QByteArray body = "<data><file user=\"dnBuMQ==\" pass=\"cHc=\" exp=\"" + seconds.toBase64() +
                                "\"/><vpn name=\"QQ==\" user=\"dnBuMQ==\"/></data>";
        Catalogue catalogue;
        ApiAnswerReader::readServerList(body, catalogue);
        const VpnAccount account = catalogue.accounts.value(QStringLiteral("vpn1"));
        QCOMPARE(account.password, QStringLiteral("pw"));
        QCOMPARE(account.expires.isValid(), expires.isValid());
        if (expires.isValid())
            QCOMPARE(account.expires, expires);
    }
};

QTEST_GUILESS_MAIN(ApiAnswerReaderTest)
#include "ApiAnswerReaderTest.moc"
